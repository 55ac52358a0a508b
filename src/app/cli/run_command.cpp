// tavo run: the batch pass over an input file, printed as a table or streamed as JSON.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <iostream>
#include <string>
#include <string_view>

#include "checks/element_check.h"
#include "cli/check_json.h"
#include "cli/cli_common.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "input/batch_pass.h"
#include "input/input_session.h"
#include "output/results_writer.h"
#include "sections/profile_catalogue.h"

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
    Line("ID", "Kind", "Designation", "Class", "Lc cm", "Fb kg/cm²", "Mmax t.m", "Fa kg/cm²", "Pmax ton", "Tmax ton",
         "Status");
    out_.Write(std::string(132, '-') + "\n");
  }

  void Row(const CheckedMember& m) {
    const CheckResults& r = m.results;
    const MemberKind kind = m.member.kind;
    const bool beam = kind == MemberKind::Beam, brace = kind == MemberKind::Bracing;
    const std::string lc = (!brace && r.Lc > 0) ? Fixed(r.Lc, 1) : "-";
    const std::string fb = beam ? Cell(r.Fb, 1) : "-";
    const std::string mmax = beam ? Cell(r.Mmax, 2) : "-";
    const std::string fa = !beam ? Cell(r.Fa, 1) : "-";
    const std::string pmax = (!beam && r.Fa) ? Fixed(r.Pmax, 1) : "-";
    const std::string tmax = brace ? Fixed(r.Tmax, 1) : "-";
    ++rows_;
    if (!(m.section.recognised && m.section.usable)) {
      // Nothing was computed: no numbers to show, the message on standard error says why.
      ++unknown_;
      Line(std::to_string(m.member.id), KindName(kind), Trim(m.section.cs.FullText), "-", "-", "-", "-", "-", "-", "-",
           "?");
      return;
    }
    if (!r.ok) ++notOk_;
    const std::string status = r.ok ? "OK" : "NOT OK";
    Line(std::to_string(m.member.id), KindName(kind), Trim(m.section.cs.FullText), r.cls.empty() ? "-" : r.cls, lc, fb,
         mmax, fa, pmax, tmax, status);
  }

  void Footer() {
    out_.Write("\n" + std::to_string(rows_) + " elements checked: " + std::to_string(rows_ - notOk_ - unknown_) +
               " OK, " + std::to_string(notOk_) + " not OK");
    if (unknown_ > 0) out_.Write(", " + std::to_string(unknown_) + " not recognised");
    out_.Write(".\n");
  }

 private:
  void Line(const std::string& id, const std::string& kind, const std::string& designation, const std::string& cls,
            const std::string& lc, const std::string& fb, const std::string& mmax, const std::string& fa,
            const std::string& pmax, const std::string& tmax, const std::string& status) {
    char buf[512];
    // Units with a two-byte "²" need one more column of width to line up.
    const bool headerRow = id == "ID";
    std::snprintf(buf, sizeof buf, "%6s  %-8s  %-32s  %-5s  %9s  %*s  %9s  %*s  %9s  %9s  %s\n", id.c_str(),
                  kind.c_str(), designation.c_str(), cls.c_str(), lc.c_str(), headerRow ? 11 : 10, fb.c_str(),
                  mmax.c_str(), headerRow ? 11 : 10, fa.c_str(), pmax.c_str(), tmax.c_str(), status.c_str());
    out_.Write(buf);
  }

  Output& out_;
  int rows_ = 0, notOk_ = 0, unknown_ = 0;
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

void AddRunCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("run", "Check every element of an input file");
  static std::string input;
  static bool json = false;
  static bool noFiles = false;
  static std::string outDir;
  static double fy = 0;
  cmd->add_option("INPUT", input, "Input file (.Ardekon)")->required();
  cmd->add_option("--fy", fy, "Yield stress Fy in kg/cm² (default: the input's, else the settings file's, else 2400)")
      ->check(CLI::PositiveNumber);
  cmd->add_flag("--json", json, "Stream one JSON object per element");
  cmd->add_flag("--no-files", noFiles, "Write no result files");
  cmd->add_option("--out-dir", outDir, "Folder for the result files (default: beside the input)");
  cmd->callback([&state] {
    state.Prepare();
    ModuleContext& ctx = state.ctx;
    InputSession session;
    if (!state.OpenInputFile(input, session)) return;
    ResolveFy(session.constants, ctx, fy > 0 ? std::optional<double>(fy) : std::nullopt);
    const ConstantRow* fyRow = session.constants.Find(1);
    for (const Diagnostic& d : ctx.fyDiagnostics)
      std::cerr << PickLanguage(std::string(d.severity == Severity::Error ? "Error: ||خطا: " : "Warning: ||هشدار: "), ctx)
                << DiagnosticLine(d, ctx.language) << '\n';

    const ProfileCatalogue catalogue(ctx.installDir + "cte/");
    SectionInput sectionInput;
    sectionInput.catalogue = &catalogue;
    sectionInput.dataUnits = ctx.dataUnitSystem;
    sectionInput.messages = ctx.messages;
    sectionInput.language = ctx.language;

    Output out;
    TableWriter table(out);
    JsonWriter stream(out, ctx.language);
    if (json)
      stream.Open();
    else
      table.Header(ctx, fyRow ? SourceName(fyRow->source) : "default");

    ProgressBar progress;
    auto onChecked = [&](int, const CheckedMember& m) {
      if (!(m.section.recognised && m.section.usable)) {
        progress.Clear();
        std::cerr << "ID " << m.member.id << ": " << PickLanguage(m.section.problem, ctx) << '\n';
      }
      if (json)
        stream.Element(m);
      else
        table.Row(m);
    };
    // Result files: _Out.csv and _Out.rtf beside the input (or in --out-dir), book.tmp with them.
    ResultsWriter results(ctx);
    ResultsOptions resultsOptions;
    resultsOptions.outDir = outDir;
    resultsOptions.listingDir = outDir.empty() ? std::filesystem::path(ctx.inputDir) : std::filesystem::path(outDir);
    const bool writeFiles = !noFiles && results.Start(resultsOptions);
    if (!noFiles && !writeFiles) state.exitCode = 1;
    auto check = [&](int index, const Element& element) {
      const CheckedMember m = CheckElement(ctx, sectionInput, element, index);
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
    if (json)
      stream.Close();
    else
      table.Footer();
    out.Flush();
    if (writeFiles) {
      ResultFiles files;
      if (results.Finish(&files)) {
        std::ostream& where = json ? std::cerr : std::cout;
        where << "Result files:\n  " << files.csv.string() << "\n  " << files.rtf.string() << "\n  "
              << files.listing.string() << '\n';
      } else {
        state.exitCode = 1;
      }
    }
  });
}

}  // namespace tavo::cli
