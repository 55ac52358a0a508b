// tavo run: the batch pass over an input file, printed as a table or streamed as JSON.
#include <unistd.h>

#include <algorithm>
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
#include "core/units.h"
#include "engine/section_engine.h"
#include "input/batch_pass.h"
#include "input/input_session.h"
#include "output/results_writer.h"

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
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

std::string Cell(const std::optional<double>& v, int decimals) { return v ? Fixed(*v, decimals) : "-"; }

class TableWriter {
 public:
  explicit TableWriter(Output& out) : out_(out) {}

  void Header(const ModuleContext& ctx, const std::string& fySource) {
    out_.Write("Input:     " + ctx.InputFile() + "\n");
    out_.Write("Fy:        " + ShortestText(ctx.fy) + " kg/cm² (" + fySource + ")\n");
    out_.Write("Units:     " + ctx.dataUnits + " (input data)\n");
    out_.Write("Elements:  " + std::to_string(ctx.N) + "\n\n");
    Line("", "ID", "Kind", "Designation", "Class", "Lc cm", "Fb kg/cm²", "Mmax t.m", "Fa kg/cm²", "Pmax ton",
         "Tmax ton", "Status");
    out_.Write(std::string(134, '-') + "\n");
  }

  void Row(const CheckedMember& m) {
    const CheckResults& r = m.results;
    const MemberKind kind = m.member.kind;
    const bool beam = kind == MemberKind::Beam, brace = kind == MemberKind::Bracing;
    const ElementStatus status = m.Status();
    ++rows_;
    const std::string marker = status == ElementStatus::Error ? "E" : HasWarning(m.diagnostics) ? "W" : "";
    if (!m.diagnostics.empty() || (status == ElementStatus::NotOk && !r.notOkReason.empty())) Note(m);
    if (status == ElementStatus::Error) {
      // Numbers of a section that is not what the user wrote are not results: none shown.
      ++errors_;
      // What the user wrote (without its length), not a text rebuilt from a section that isn't it.
      std::string shown = m.section.cs.designation;
      if (const auto at = shown.find(" L="); at != std::string::npos) shown.erase(at);
      shown = Trim(shown);
      Line(marker, std::to_string(m.member.id), KindName(kind), shown, "-", "-", "-", "-", "-", "-", "-", "ERROR");
      return;
    }
    if (!marker.empty()) ++warned_;
    const std::string lc = (!brace && r.Lc > 0) ? Fixed(r.Lc, 1) : "-";
    const std::string fb = beam ? Cell(r.Fb, 1) : "-";
    const std::string mmax = beam ? Cell(r.Mmax, 2) : "-";
    const std::string fa = !beam ? Cell(r.Fa, 1) : "-";
    const std::string pmax = (!beam && r.Fa) ? Fixed(r.Pmax, 1) : "-";
    const std::string tmax = brace ? Fixed(r.Tmax, 1) : "-";
    if (!r.ok) ++notOk_;
    Line(marker, std::to_string(m.member.id), KindName(kind), Trim(m.section.cs.FullText), r.cls.empty() ? "-" : r.cls,
         lc, fb, mmax, fa, pmax, tmax, r.ok ? "OK" : "NOT OK");
  }

  void Footer(const Diagnostics& fileNotes) {
    out_.Write("\n" + std::to_string(rows_) + (rows_ == 1 ? " element: " : " elements: ") +
               std::to_string(rows_ - notOk_ - errors_) + " OK, " + std::to_string(notOk_) + " not OK, " +
               std::to_string(errors_) + " with errors; " + std::to_string(warned_) + " checked with warnings.\n");
    if (notes_.empty() && fileNotes.empty()) return;
    out_.Write("\nNotes (E: error, the element is not checked; W: warning):\n");
    for (const Diagnostic& d : fileNotes)
      out_.Write(std::string("  input  ") + (d.severity == Severity::Error ? "E " : "W ") + DiagnosticLine(d, language_) + "\n");
    out_.Write(notes_);
    if (dropped_ > 0) out_.Write("  ... and " + std::to_string(dropped_) + " more notes (see --json or the result files)\n");
  }

  void SetLanguage(char language) { language_ = language; }

 private:
  void Line(const std::string& marker, const std::string& id, const std::string& kind, const std::string& designation,
            const std::string& cls, const std::string& lc, const std::string& fb, const std::string& mmax,
            const std::string& fa, const std::string& pmax, const std::string& tmax, const std::string& status) {
    char buf[512];
    // Units with a two-byte "²" need one more column of width to line up.
    const bool headerRow = id == "ID";
    std::snprintf(buf, sizeof buf, "%-1s %6s  %-8s  %-32s  %-5s  %9s  %*s  %9s  %*s  %9s  %9s  %s\n", marker.c_str(),
                  id.c_str(), kind.c_str(), designation.c_str(), cls.c_str(), lc.c_str(), headerRow ? 11 : 10,
                  fb.c_str(), mmax.c_str(), headerRow ? 11 : 10, fa.c_str(), pmax.c_str(), tmax.c_str(),
                  status.c_str());
    out_.Write(buf);
  }

  // The element's notes, kept for the list under the table; a run of a million faulty lines
  // must not hold them all.
  void Note(const CheckedMember& m) {
    std::string block;
    const std::string id = "  ID " + std::to_string(m.member.id) + "  ";
    for (const Diagnostic& d : m.diagnostics)
      block += id + (d.severity == Severity::Error ? "E " : "W ") + DiagnosticLine(d, language_) + "\n";
    if (m.Status() == ElementStatus::NotOk && !m.results.notOkReason.empty())
      block += id + "not OK: " + PickLanguage(m.results.notOkReason, language_) + "\n";
    if (notes_.size() + block.size() > kMaxNotesBytes) {
      ++dropped_;
      return;
    }
    notes_ += block;
  }

  static constexpr size_t kMaxNotesBytes = 1 << 20;
  Output& out_;
  char language_ = 'E';
  std::string notes_;
  int rows_ = 0, notOk_ = 0, errors_ = 0, warned_ = 0, dropped_ = 0;
};

// Streams "[", one object per element, "]" without holding the array.
class JsonWriter {
 public:
  JsonWriter(Output& out, char language) : out_(out), language_(language) {}
  void Open() { out_.Write("["); }
  void Element(const CheckedMember& m) {
    out_.Write(first_ ? "\n  " : ",\n  ");
    first_ = false;
    out_.Write(ElementJson(m, language_).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  }
  void Close() { out_.Write(first_ ? "]\n" : "\n]\n"); }

 private:
  Output& out_;
  char language_;
  bool first_ = true;
};

// "Checking elements  45%" on standard error, only for a person watching a terminal.
class ProgressBar {
 public:
  ProgressBar() : shown_(::isatty(STDERR_FILENO) == 1) {}
  bool operator()(int percent) {
    if (shown_ && percent != last_) {
      std::fprintf(stderr, "\rChecking elements %3d%%", percent);
      std::fflush(stderr);
      last_ = percent;
    }
    return true;
  }
  // Clears the bar so a message starts on a clean line; the next step draws it again.
  void Clear() {
    if (shown_ && last_ >= 0) std::fprintf(stderr, "\r%*s\r", 24, "");
    last_ = -1;
  }
  void Finish() { Clear(); }

 private:
  bool shown_;
  int last_ = -1;
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
  cmd->add_flag("--json", o.json, "Stream one JSON object per element");
  cmd->add_flag("--no-files", o.noFiles, "Write no result files");
  cmd->add_option("--out-dir", o.outDir, "Folder for the result files (default: beside the input)");
  cmd->add_flag("--strict", o.strict, "Exit with status 3 on warnings too, not only on errors");
  cmd->callback([&state, args] {
    const RunArgs& a = *args;
    state.Prepare();
    ModuleContext& ctx = state.ctx;
    InputSession session;
    if (!state.OpenInputFile(a.input, session)) return;
    SectionEngine& engine = state.Engine();
    engine.ResolveFy(GivenFy(a.fy), &session.constants);
    const ConstantRow* fyRow = session.constants.Find(1);
    for (const Diagnostic& d : ctx.fyDiagnostics)
      std::cerr << LabelledLine(d, ctx.language) << '\n';

    Output out;
    TableWriter table(out);
    JsonWriter stream(out, ctx.language);
    if (a.json)
      stream.Open();
    else
      table.Header(ctx, fyRow ? SourceName(fyRow->source) : "default");

    table.SetLanguage(ctx.language);
    ProgressBar progress;
    int errors = 0, warned = 0;
    auto onChecked = [&](int, const CheckedMember& m) {
      if (m.Status() == ElementStatus::Error)
        ++errors;
      else if (HasWarning(m.diagnostics))
        ++warned;
      if (a.json)
        stream.Element(m);
      else
        table.Row(m);
    };
    // Result files: _Out.csv and _Out.rtf beside the input (or in --out-dir), book.tmp with them.
    ResultsWriter results(ctx);
    ResultsOptions resultsOptions;
    resultsOptions.outDir = a.outDir;
    resultsOptions.listingDir = a.outDir.empty() ? std::filesystem::path(ctx.inputDir) : std::filesystem::path(a.outDir);
    const bool writeFiles = !a.noFiles && results.Start(resultsOptions);
    if (!a.noFiles && !writeFiles) state.exitCode = 1;
    auto check = [&](int index, const Element& element) {
      const CheckedMember m = engine.CheckElement(element, index);
      onChecked(index, m);
      if (writeFiles) results.Add(m, element, m.member.kind);
      return Summarise(m);
    };
    const BatchPassResult result =
        Main_Continue_Const(ctx, session, check, [&progress](int p) { return progress(p); });
    progress.Finish();
    if (result.endedOnBlank)
      std::cerr << PickLanguage("Element line " + std::to_string(result.N) +
                                    " is blank: the pass ends there.||سطر عضو " + std::to_string(result.N) +
                                    " خالی است: بررسی همان‌جا پایان می‌یابد.",
                                ctx)
                << '\n';
    if (a.json) {
      stream.Close();
      for (const Diagnostic& d : ctx.inputDiagnostics)
        std::cerr << LabelledLine(d, ctx.language) << '\n';
    } else {
      table.Footer(ctx.inputDiagnostics);
    }
    // 3: some element (or the file) was not read as written, so not everything was checked.
    if (errors > 0 || HasError(ctx.inputDiagnostics) ||
        (a.strict && (warned > 0 || HasWarning(ctx.inputDiagnostics))))
      state.exitCode = std::max(state.exitCode, 3);
    out.Flush();
    if (writeFiles) {
      ResultFiles files;
      if (results.Finish(&files)) {
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
