// tavo run: the batch pass over an input file, printed as a table or streamed as JSON.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "families/family_table.h"
#include "checks/element_check.h"
#include "cli/check_json.h"
#include "cli/cli_common.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/files.h"
#include "core/units.h"
#include "engine/batch_run.h"
#include "engine/section_engine.h"
#include "input/batch_pass.h"
#include "input/input_session.h"
#include "output/results_writer.h"
#include "cli/cli_texts.h"
#include "core/text_helpers.h"

namespace tavo::cli {

namespace {

// Standard output in large writes: a run over 100 000 elements must not flush per line.
class Output {
 public:
  ~Output() { Flush(); }
  void Write(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= 1 << 16) Flush();
  }
  void Flush() {
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
    buffer_.clear();
    std::fflush(stdout);
  }

 private:
  std::string buffer_;
};

// A value rounded half to even to the given decimals, written with exactly that many.
std::string Fixed(double value, int decimals) {
  double v = RoundTo(value, decimals);
  if (v == 0) v = 0;  // no "-0.0"
  char buf[400];
  const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return std::string(buf, res.ec == std::errc() ? res.ptr : buf);
}

std::string Cell(const std::optional<double>& v, int decimals) { return v ? Fixed(*v, decimals) : "-"; }

// The element's diagnostics as compilers write them, "frame.Ardekon:12: error: ID 7: text",
// each with its line end; with errorsOnly the warnings are left out (--quiet).
void ElementNotes(const CheckedMember& m, const std::string& file, int line, char language, bool errorsOnly,
                  std::string& notes) {
  const std::string id = "ID " + std::to_string(m.member.id) + ": ";
  for (const Diagnostic& d : m.diagnostics) {
    if (errorsOnly && d.severity != Severity::Error) continue;
    Diagnostic shown = d;
    shown.text = id + PickLanguage(d.text, language);
    notes += LocatedLine(file, line, shown, language) + '\n';
  }
}

class TableWriter {
 public:
  explicit TableWriter(Output& out) : out_(out) {}

  void Header(const ModuleContext& ctx, const std::string& fySource, const std::string& forcesFile) {
    limitStates_ = IsLimitStateCode(ctx.code);
    out_.Write("Input:     " + ctx.InputFile() + "\n");
    out_.Write("Fy:        " + ShortestText(ctx.fy) + " kg/cm² (" + fySource + ")\n");
    if (limitStates_) {
      out_.Write("Code:      " + std::string(DesignCodeName(ctx.code)) + ", Fu " + ShortestText(ctx.fu) + " kg/cm²\n");
      out_.Write("Forces:    " + (forcesFile.empty() ? std::string("none (available strengths only)") : forcesFile) + "\n");
    }
    out_.Write("Units:     " + ctx.dataUnits + " (input data)\n");
    out_.Write("Elements:  " + std::to_string(ctx.N) + "\n\n");
    if (limitStates_) {
      std::string line;
      LimitStateLine(line, "", "ID", "Kind", "Designation", {"Pc kg", "Pt kg", "M3 kg.cm", "M2 kg.cm", "V2 kg", "V3 kg"},
                     "Ratio", "Equation", "Status");
      out_.Write(line);
      out_.Write(std::string(line.size() + 2, '-') + "\n");
      return;
    }
    Line("", "ID", "Kind", "Designation", "Class", "Lc cm", "Fb kg/cm²", "Mmax t.m", "Fa kg/cm²", "Pmax ton",
         "Tmax ton", "Status");
    out_.Write(std::string(134, '-') + "\n");
  }

  // The element's row and its notes, made on any thread.
  void FormatRow(const CheckedMember& m, int fileLine, std::string& line, std::string& notes) const {
    const CheckResults& r = m.results;
    const MemberKind kind = m.member.kind;
    const bool beam = kind == MemberKind::Beam, brace = kind == MemberKind::Bracing;
    const ElementStatus status = m.Status();
    const std::string marker = status == ElementStatus::Error ? "E" : HasWarning(m.diagnostics) ? "W" : "";
    if (!m.diagnostics.empty() || (status == ElementStatus::NotOk && !r.notOkReason.empty())) Note(m, fileLine, notes);
    if (status == ElementStatus::Error) {
      // Numbers of a section that is not what the user wrote are not results: none shown.
      // What the user wrote (without its length), not a text rebuilt from a section that isn't it.
      std::string shown = m.section.cs.designation;
      if (const auto at = shown.find(" L="); at != std::string::npos) shown.erase(at);
      shown = Trim(shown);
      if (limitStates_)
        LimitStateLine(line, marker, std::to_string(m.member.id), KindName(kind), shown, {"-", "-", "-", "-", "-", "-"},
                       "-", "-", "ERROR");
      else
        Line(line, marker, std::to_string(m.member.id), KindName(kind), shown, "-", "-", "-", "-", "-", "-", "-", "ERROR");
      return;
    }
    if (limitStates_) {
      // The governing available strengths, and with forces the governing ratio and its equation.
      std::array<std::string, 6> available;
      available.fill("-");
      std::string ratio = "-", equation = "-";
      if (const auto& a = m.aisc; a && a->covered) {
        for (size_t i = 0; i < available.size(); ++i)
          if (a->available[i] > 0) available[i] = Fixed(a->available[i], 0);
        if (a->governingRatio) {
          ratio = Fixed(*a->governingRatio, 3);
          equation = a->governingEquation;
        }
      }
      LimitStateLine(line, marker, std::to_string(m.member.id), KindName(kind), Trim(m.section.cs.FullText), available,
                     ratio, equation, r.ok ? "OK" : "NOT OK");
      return;
    }
    const std::string lc = (!brace && r.Lc > 0) ? Fixed(r.Lc, 1) : "-";
    const std::string fb = beam ? Cell(r.Fb, 1) : "-";
    const std::string mmax = beam ? Cell(r.Mmax, 2) : "-";
    const std::string fa = !beam ? Cell(r.Fa, 1) : "-";
    const std::string pmax = (!beam && r.Fa) ? Fixed(r.Pmax, 1) : "-";
    const std::string tmax = brace ? Fixed(r.Tmax, 1) : "-";
    Line(line, marker, std::to_string(m.member.id), KindName(kind), Trim(m.section.cs.FullText),
         r.cls.empty() ? "-" : r.cls, lc, fb, mmax, fa, pmax, tmax, r.ok ? "OK" : "NOT OK");
  }

  // A chunk's rows, in order, with their counts and notes.
  void Write(const BatchChunk& chunk) {
    out_.Write(chunk.text);
    for (size_t i = 0; i < chunk.statuses.size(); ++i) {
      ++rows_;
      if (chunk.statuses[i] == ElementStatus::Error) ++errors_;
      else if (chunk.statuses[i] == ElementStatus::NotOk) ++notOk_;
      if (chunk.statuses[i] != ElementStatus::Error && chunk.warned[i]) ++warned_;
    }
    KeepNotes(chunk.notes);
  }

  void Footer(const Diagnostics& fileNotes) {
    out_.Write("\n" + std::to_string(rows_) + (rows_ == 1 ? " element: " : " elements: ") +
               std::to_string(rows_ - notOk_ - errors_) + " OK, " + std::to_string(notOk_) + " not OK, " +
               std::to_string(errors_) + " with errors; " + std::to_string(warned_) + " checked with warnings.\n");
    if (notes_.empty() && fileNotes.empty()) return;
    out_.Write("\nNotes (an element with an error is not checked):\n");
    for (const Diagnostic& d : fileNotes) out_.Write(LocatedLine(file_, 0, d, language_) + "\n");
    out_.Write(notes_);
    if (dropped_ > 0) out_.Write("  ... and " + std::to_string(dropped_) + " more notes (see --json or the result files)\n");
  }

  void SetLanguage(char language) { language_ = language; }
  void SetFile(const std::string& file) { file_ = file; }

 private:
  static void Line(std::string& line, const std::string& marker, const std::string& id, const std::string& kind,
                   const std::string& designation, const std::string& cls, const std::string& lc, const std::string& fb,
                   const std::string& mmax, const std::string& fa, const std::string& pmax, const std::string& tmax,
                   const std::string& status) {
    // Fixed columns, counted in bytes: units with a two-byte "²" take one more column to line up.
    const bool headerRow = id == "ID";
    const auto left = [&line](const std::string& s, size_t width) {
      line += s;
      if (s.size() < width) line.append(width - s.size(), ' ');
    };
    const auto right = [&line](const std::string& s, size_t width) {
      if (s.size() < width) line.append(width - s.size(), ' ');
      line += s;
    };
    left(marker, 1);
    line += ' ';
    right(id, 6);
    line += "  ";
    left(kind, 8);
    line += "  ";
    left(designation, 32);
    line += "  ";
    left(cls, 5);
    line += "  ";
    right(lc, 9);
    line += "  ";
    right(fb, headerRow ? 11 : 10);
    line += "  ";
    right(mmax, 9);
    line += "  ";
    right(fa, headerRow ? 11 : 10);
    line += "  ";
    right(pmax, 9);
    line += "  ";
    right(tmax, 9);
    line += "  ";
    line += status;
    line += '\n';
  }
  // A row under the limit-state code: the available strengths in place of today's capacities.
  static void LimitStateLine(std::string& line, const std::string& marker, const std::string& id, const std::string& kind,
                             const std::string& designation, const std::array<std::string, 6>& available,
                             const std::string& ratio, const std::string& equation, const std::string& status) {
    const auto left = [&line](const std::string& s, size_t width) {
      line += s;
      if (s.size() < width) line.append(width - s.size(), ' ');
      line += "  ";
    };
    const auto right = [&line](const std::string& s, size_t width) {
      if (s.size() < width) line.append(width - s.size(), ' ');
      line += s;
      line += "  ";
    };
    left(marker, 1);
    right(id, 5);
    left(kind, 8);
    left(designation, 32);
    for (const std::string& a : available) right(a, 10);
    right(ratio, 6);
    left(equation, 8);
    line += status;
    line += '\n';
  }
  void Line(const std::string& marker, const std::string& id, const std::string& kind, const std::string& designation,
            const std::string& cls, const std::string& lc, const std::string& fb, const std::string& mmax,
            const std::string& fa, const std::string& pmax, const std::string& tmax, const std::string& status) {
    std::string line;
    Line(line, marker, id, kind, designation, cls, lc, fb, mmax, fa, pmax, tmax, status);
    out_.Write(line);
  }

  // The element's notes, for the list under the table.
  void Note(const CheckedMember& m, int fileLine, std::string& notes) const {
    ElementNotes(m, file_, fileLine, language_, false, notes);
    if (m.Status() == ElementStatus::NotOk && !m.results.notOkReason.empty())
      notes += file_ + ":" + std::to_string(fileLine) + ": note: ID " + std::to_string(m.member.id) +
               ": not OK: " + PickLanguage(m.results.notOkReason, language_) + "\n";
    notes += '\0';
  }

  // A run of a million faulty lines must not hold all their notes: each element's block
  // (ended by a zero byte) is kept while there is room.
  void KeepNotes(std::string_view blocks) {
    for (size_t at = 0; at < blocks.size();) {
      size_t end = blocks.find('\0', at);
      if (end == std::string_view::npos) end = blocks.size();
      if (notes_.size() + (end - at) > kMaxNotesBytes)
        ++dropped_;
      else
        notes_.append(blocks.substr(at, end - at));
      at = end + 1;
    }
  }

  static constexpr size_t kMaxNotesBytes = 1 << 20;
  Output& out_;
  char language_ = 'E';
  std::string file_;
  std::string notes_;
  int rows_ = 0, notOk_ = 0, errors_ = 0, warned_ = 0, dropped_ = 0;
  bool limitStates_ = false;
};

// Streams "[", one object per element, "]" without holding the array.
class JsonWriter {
 public:
  JsonWriter(Output& out, char language) : out_(out), language_(language) {}
  void Open() { out_.Write("["); }
  // Element `index` (1-based), made on any thread.
  void FormatElement(const CheckedMember& m, int index, std::string& text) const {
    text += index == 1 ? "\n  " : ",\n  ";
    text += ElementJson(m, language_).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
  void Write(const BatchChunk& chunk) {
    out_.Write(chunk.text);
    any_ = any_ || !chunk.elements.empty();
  }
  void Close() { out_.Write(any_ ? "\n]\n" : "]\n"); }

 private:
  Output& out_;
  char language_;
  bool any_ = false;
};

// "Checking elements  45%" on standard error, only for a person watching a terminal and only
// for a run long enough to wait for: many elements, or a second gone. A few redraws a second
// at most, and wiped at the end.
class ProgressBar {
 public:
  using Clock = std::chrono::steady_clock;
  ProgressBar(int total, bool quiet) : shown_(!quiet && ::isatty(STDERR_FILENO) == 1), total_(total) {}
  bool operator()(int percent) {
    if (!shown_ || percent == last_) return true;
    const Clock::time_point now = Clock::now();
    if (last_ < 0 && total_ <= kManyElements && now - start_ < std::chrono::seconds(1)) return true;
    if (last_ >= 0 && now - drawn_ < std::chrono::milliseconds(200)) return true;
    std::fprintf(stderr, "\r%s %3d%%", kText, percent);
    std::fflush(stderr);
    last_ = percent;
    drawn_ = now;
    return true;
  }
  // Wipes the bar so a message starts on a clean line; the next step draws it again.
  void Clear() {
    if (shown_ && last_ >= 0) {
      std::fprintf(stderr, "\r%*s\r", static_cast<int>(sizeof kText) + 4, "");
      std::fflush(stderr);
    }
    last_ = -1;
  }

 private:
  static constexpr const char kText[] = "Checking elements";
  static constexpr int kManyElements = 1000;
  bool shown_;
  int total_;
  int last_ = -1;
  Clock::time_point start_ = Clock::now(), drawn_;
};

}  // namespace

namespace {

struct RunArgs {
  std::string input;
  bool json = false;
  bool noFiles = false;
  std::string outDir;
  double fy = 0;
  bool strict = false;
  int jobs = 0;
  CodeOptions code;
  std::string forces;
};

// Each element's table row or JSON object and its result-file texts, made on the worker
// threads and written in element order.
class RunFormatter final : public BatchFormatter {
 public:
  RunFormatter(TableWriter* table, JsonWriter* json, ResultsWriter* files) : table_(table), json_(json), files_(files) {}
  // --quiet: no table, but the elements' errors on standard error as they come.
  void ShowErrorsOf(const std::string& file, char language) {
    errorsFile_ = file;
    language_ = language;
  }
  void Format(BatchChunk& chunk, int index, const Element& element, const CheckedMember& m) const override {
    if (index == chunk.first) {
      // Room for the whole chunk at once (typical bytes per element), not grown row by row.
      const size_t n = chunk.elements.size();
      chunk.text.reserve(n * (json_ ? 1200 : 150));
      if (files_) {
        chunk.files.csv.reserve(n * 260);
        chunk.files.rtf.reserve(n * 700);
        chunk.files.listing.reserve(n * 170);
      }
    }
    if (json_) json_->FormatElement(m, index, chunk.text);
    if (table_) table_->FormatRow(m, element.line, chunk.text, chunk.notes);
    if (!errorsFile_.empty()) ElementNotes(m, errorsFile_, element.line, language_, true, chunk.notes);
    if (files_) files_->FormatElement(chunk.files, m, element, m.member.kind);
  }
  bool Write(BatchChunk& chunk) override {
    for (size_t i = 0; i < chunk.statuses.size(); ++i) {
      if (chunk.statuses[i] == ElementStatus::Error) ++errors;
      else if (chunk.warned[i]) ++warned;
    }
    if (json_) json_->Write(chunk);
    if (table_) table_->Write(chunk);
    if (files_) files_->Append(chunk.files);
    if (!errorsFile_.empty() && !chunk.notes.empty()) {
      std::fflush(stdout);
      std::fwrite(chunk.notes.data(), 1, chunk.notes.size(), stderr);
    }
    return true;
  }
  int errors = 0, warned = 0;

 private:
  TableWriter* table_;
  JsonWriter* json_;
  ResultsWriter* files_;
  std::string errorsFile_;
  char language_ = 'E';
};

}  // namespace

void AddRunCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("run", "Check every element of an input file");
  const auto args = std::make_shared<RunArgs>();
  RunArgs& o = *args;
  cmd->add_option("INPUT", o.input, "Input file (.Ardekon)")->required();
  cmd->add_option("--fy", o.fy,
                  "Yield stress Fy in kg/cm² (default: the input's, else the settings file's, else " +
                      ShortestText(kDefaultFy) + ")")
      ->check(CLI::PositiveNumber);
  AddCodeOptions(*cmd, o.code);
  cmd->add_option("--forces", o.forces,
                  "Forces file (CSV: element ID, combination, P, V2, V3, T, M2, M3) the limit-state code checks the "
                  "elements against (default: INPUT's name with .forces.csv, when there is one)");
  cmd->add_flag("--json", o.json, "Stream one JSON object per element");
  cmd->add_flag("--no-files", o.noFiles, "Write no result files");
  cmd->add_option("--out-dir", o.outDir, "Folder for the result files (default: beside the input)");
  cmd->add_flag("--strict", o.strict, "Exit with status 3 on warnings too, not only on errors");
  cmd->add_option("--jobs", o.jobs, "Threads that check and format elements (default: one per core); the output is the same for any number")
      ->check(CLI::NonNegativeNumber);
  cmd->callback([&state, args] {
    const RunArgs& a = *args;
    state.Prepare(a.json);
    ModuleContext& ctx = state.ctx;
    InputSession session;
    if (!state.OpenInputFile(a.input, session)) return;
    SectionEngine& engine = state.Engine();
    engine.ResolveConstants(GivenOf(a.fy, a.code), &session.constants);
    const ConstantRow* fyRow = session.constants.Find(kFyRow);
    const std::string file = ctx.InputFile();
    // The forces: the file named, else the one beside the input when there is one. Today's rules
    // read no forces, so under them none are read and nothing of theirs is said.
    std::string forcesFile;
    if (!IsLimitStateCode(ctx.code)) {
      if (!a.forces.empty() && !state.quiet)
        std::cerr << a.forces << ": warning: " << PickLanguage(texts::kForcesNotRead, ctx) << '\n';
    } else if (!a.forces.empty()) {
      if (!engine.LoadForces(SuitePath(a.forces))) {
        std::cerr << a.forces << ": error: " << PickLanguage(texts::kNoForcesFile, ctx) << '\n';
        state.exitCode = 1;
        return;
      }
      forcesFile = a.forces;
    } else if (engine.LoadForcesBeside(file)) {
      forcesFile = ForcesFileFor(SuitePath(file)).string();
    }
    if (!forcesFile.empty())
      for (const Diagnostic& d : engine.forces().diagnostics)
        if (!state.quiet || d.severity == Severity::Error)
          std::cerr << LocatedLine(forcesFile, LineOfDiagnostic(d), d, ctx.language) << '\n';
    // What concerns the file as a whole, on standard error (with --quiet only errors).
    const auto fileNotes = [&](const Diagnostics& list) {
      for (const Diagnostic& d : list)
        if (!state.quiet || d.severity == Severity::Error) std::cerr << LocatedLine(file, 0, d, ctx.language) << '\n';
    };
    for (const Diagnostic& d : ctx.fyDiagnostics)
      if (!state.quiet || d.severity == Severity::Error) std::cerr << LabelledLine(d, ctx.language) << '\n';

    Output out;
    TableWriter table(out);
    JsonWriter stream(out, ctx.language);
    if (a.json)
      stream.Open();
    else if (!state.quiet)
      table.Header(ctx, fyRow ? SourceName(fyRow->source) : "default", forcesFile);

    table.SetLanguage(ctx.language);
    table.SetFile(file);
    ProgressBar progress(ctx.N, state.quiet);
    state.messages.clearLine = [&progress] { progress.Clear(); };
    // Result files: _Out.csv and _Out.rtf beside the input (or in --out-dir), book.tmp with them.
    ResultsWriter results(ctx);
    ResultsOptions resultsOptions;
    resultsOptions.outDir = a.outDir;
    resultsOptions.listingDir = a.outDir.empty() ? std::filesystem::path(ctx.inputDir) : std::filesystem::path(a.outDir);
    const bool writeFiles = !a.noFiles && results.Start(resultsOptions);
    if (!a.noFiles && !writeFiles) state.exitCode = 1;
    const bool showTable = !a.json && !state.quiet;
    RunFormatter formatter(showTable ? &table : nullptr, a.json ? &stream : nullptr, writeFiles ? &results : nullptr);
    if (!showTable && state.quiet) formatter.ShowErrorsOf(file, ctx.language);
    BatchRunOptions batch;
    batch.jobs = a.jobs;
    const BatchRunResult result = RunBatch(engine, session, formatter, batch, [&progress](int p) { return progress(p); });
    const int errors = formatter.errors, warned = formatter.warned;
    progress.Clear();
    state.messages.clearLine = nullptr;
    if (result.endedOnBlank && !state.quiet)
      std::cerr << PickLanguage(Fill(texts::kPassEndsOnBlank, {{"n", std::to_string(result.N)}}), ctx)
                << '\n';
    if (a.json) stream.Close();
    if (showTable)
      table.Footer(ctx.inputDiagnostics);
    else
      fileNotes(ctx.inputDiagnostics);
    // 3: some element (or the file) was not read as written, so not everything was checked.
    if (errors > 0 || HasError(ctx.inputDiagnostics) ||
        (a.strict && (warned > 0 || HasWarning(ctx.inputDiagnostics))))
      state.exitCode = std::max(state.exitCode, 3);
    out.Flush();
    if (writeFiles) {
      ResultFiles files;
      if (results.Finish(&files)) {
        if (state.quiet) return;
        std::ostream& where = a.json ? std::cerr : std::cout;
        where << "Result files:\n  " << files.csv.string() << "\n  " << files.rtf.string() << "\n  "
              << files.listing.string() << '\n';
      } else {
        state.exitCode = 1;
      }
    }
  });
}

}  // namespace tavo::cli
