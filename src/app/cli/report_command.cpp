// tavo report: the properties and check report of one member, as text, RTF or HTML.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "core/files.h"
#include "core/language.h"
#include "core/text_util.h"
#include "engine/section_engine.h"
#include "input/input_session.h"
#include "output/report_writers.h"
#include "output/section_report.h"
#include "cli/cli_texts.h"
#include "core/text_helpers.h"

namespace tavo::cli {

namespace {

struct ReportArgs {
  std::vector<std::string> words;
  std::string input;
  int id = 0;
  std::string kind;
  double length = -1;
  double fy = 0;
  CodeOptions code;
  std::string units = "[kg]-[cm]";
  std::string lang;
  std::string format;
  std::string out;
  std::string devTree;
  bool header = false;
};

// The format asked for, else the one the output file's extension names, else text.
std::string FormatOf(const ReportArgs& a) {
  if (!a.format.empty()) return a.format;
  const std::string ext = ToLower(std::filesystem::path(a.out).extension().string());
  if (ext == ".rtf") return "rtf";
  if (ext == ".html" || ext == ".htm") return "html";
  return "text";
}

}  // namespace

void AddReportCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("report", "Write the properties and check report of one member");
  const auto args = std::make_shared<ReportArgs>();
  ReportArgs& o = *args;
  cmd->add_option("DESIGNATION", o.words, "Section designation, e.g. \"IPE30+2PL200*10\"");
  cmd->add_option("--input", o.input, "Input file (.Ardekon) holding the element");
  cmd->add_option("--id", o.id, "ID of the element in the input file");
  cmd->add_option("--kind", o.kind, "Member kind (default column; from the input file with --input)")
      ->check(MemberKindNames());
  cmd->add_option("--length", o.length,
                  "Member length in the data length unit: the input's with --input, else that of --units "
                  "(default cm). Default: L= of the element with --input, else 0 (fully braced)")
      ->check(CLI::NonNegativeNumber);
  cmd->add_option("--fy", o.fy,
                  "Yield stress Fy in kg/cm² (default: the input file's, else the settings file's, else " +
                      ShortestText(kDefaultFy) + ")")
      ->check(CLI::PositiveNumber);
  AddCodeOptions(*cmd, o.code);
  cmd->add_option("--units", o.units, "Units of spacings in a designation, \"[F]-[L]\"")->capture_default_str();
  cmd->add_option("--lang", o.lang, "Report language")->check(CLI::IsMember({"en", "fa"}));
  cmd->add_option("--format", o.format, "Output format (default: from --out, else text)")
      ->check(CLI::IsMember({"text", "rtf", "html"}));
  cmd->add_option("--out", o.out, "Write the report to this file instead of standard output");
  cmd->add_option("--dev-tree", o.devTree, "Developer mode: templates from this folder tree, not bin/dat");
  cmd->add_flag("--header", o.header, "Print the header lines (version, maker, file, title, date)");
  cmd->callback([&state, args] {
    const ReportArgs& a = *args;
    state.Prepare();
    ModuleContext& ctx = state.ctx;
    if (a.lang == "fa") ctx.language = 'F';
    if (a.lang == "en") ctx.language = 'E';
    Section section;
    MemberInput member;
    if (!a.input.empty()) {
      if (!a.words.empty()) {
        std::cerr << "Give either a designation or --input with --id, not both.\n";
        state.exitCode = 2;
        return;
      }
      InputSession session;
      if (!state.OpenInputFile(a.input, session)) return;
      const auto elements = ReadAllElements(ctx, session);
      const int index = IndexOfElementId(elements, a.id);
      if (index == 0) {
        std::cerr << PickLanguage(Fill(texts::kNoSuchElement, {{"id", std::to_string(a.id)}, {"file", ctx.InputFile()}}), ctx)
                  << '\n';
        state.exitCode = 1;
        return;
      }
      const Element& e = elements[static_cast<size_t>(index - 1)];
      SectionEngine& engine = state.Engine();
      engine.ResolveConstants(GivenOf(a.fy, a.code), &session.constants);
      // The element's forces from the file beside the input, which only the limit-state code reads.
      if (IsLimitStateCode(ctx.code)) engine.LoadForcesBeside(ctx.InputFile());
      std::optional<double> length;
      if (a.length >= 0) length = LengthRatio(ctx.dataUnitSystem).ToBase(a.length);
      member = engine.MemberOf(e, index, MemberKindOfName(a.kind), length);
      section = engine.ComputeQuietly(DesignationOfElement(e.text));
    } else {
      if (a.words.empty()) {
        std::cerr << "Give a designation, or --input FILE with --id N.\n";
        state.exitCode = 2;
        return;
      }
      SectionEngine& engine = state.Engine();
      engine.UseDataUnits(UnitFactors("UNITS=" + a.units, ctx.messages));
      engine.ResolveConstants(GivenOf(a.fy, a.code));
      ShowConstantsNotes(ctx, state.quiet);
      member = engine.MemberOfDesignation(MemberKindOfName(a.kind).value_or(MemberKind::Column), a.length);
      section = engine.ComputeQuietly(ToUpper(JoinWords(a.words)));
    }
    SectionEngine& engine = state.Engine();
    const CheckedMember checked = engine.Check(section, member);
    // The report says what went wrong; the status tells a script that nothing was checked.
    if (checked.Status() == ElementStatus::Error) state.exitCode = 3;
    if (state.quiet) ShowErrors(checked.diagnostics, ctx.language);  // the report itself is not shown

    std::string storeError;
    if (!engine.OpenFormulas(a.devTree, &storeError))
      ShowWarning(ctx, Fill(texts::kBuiltInFormulas, {{"error", storeError}}));
    const Report report = engine.MakeReport(checked);

    RenderOptions options;
    if (a.header) options.headerLines = PrintHeaderLines(ctx, DateText(), TimeText());
    const std::string format = FormatOf(a);
    const std::string text = format == "rtf"    ? RenderRtf(report, options)
                             : format == "html" ? RenderHtml(report, options)
                                                : RenderText(report, options);
    if (a.out.empty()) {
      std::cout << text;
      return;
    }
    std::string error;
    if (!AtomicWriteFile(SuitePath(a.out), text, &error)) {
      ShowMessage(ctx, error + "||" + error);
      state.exitCode = 1;
      return;
    }
    std::cout << PickLanguage(Fill(texts::kSavedAs, {{"path", a.out}}), ctx) << '\n';
  });
}

}  // namespace tavo::cli
