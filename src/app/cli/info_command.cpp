#include <iomanip>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli/cli_common.h"
#include "core/diagnostics.h"
#include "core/language.h"
#include "core/text_util.h"
#include "input/input_session.h"

namespace tavo::cli {

namespace {

// The element line after its ID: the designation and the member's keys.
std::string TextAfterId(const std::string& elementText) {
  const std::string text = Trim(elementText);
  const auto blank = text.find(' ');
  return blank == std::string::npos ? "" : Trim(text.substr(blank));
}

nlohmann::json DiagnosticJson(const Diagnostic& d, char language) {
  return {{"severity", SeverityName(d.severity)}, {"text", PickLanguage(d.text, language)}, {"subject", d.subject}};
}

struct InfoArgs {
  std::string input;
  bool json = false;
};

}  // namespace

void AddInfoCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("info", "Print the summary of an input file");
  const auto args = std::make_shared<InfoArgs>();
  cmd->add_option("INPUT", args->input, "Input file (.Ardekon)")->required();
  cmd->add_flag("--json", args->json, "Print one JSON object");
  cmd->callback([&state, args] {
    state.Prepare(args->json);
    ModuleContext& ctx = state.ctx;
    InputSession session;
    if (!state.OpenInputFile(args->input, session)) return;
    const auto elements = ReadAllElements(ctx, session);
    const ConstantRow* fy = session.constants.Find(1);
    const std::string fySource = fy ? SourceName(fy->source) : "default";
    if (args->json) {
      nlohmann::json j;
      j["file"] = ctx.InputFile();
      j["version"] = ctx.suiteVersion;
      j["title"] = ctx.title;
      j["data_units"] = ctx.dataUnits;
      j["constants_units"] = ctx.constantsUnits;
      j["counts"] = {ctx.kindCounts[0], ctx.kindCounts[1], ctx.kindCounts[2]};
      j["N"] = ctx.N;
      j["target"] = ctx.target;
      j["Fy"] = ctx.fy;
      j["Fy_source"] = fySource;
      j["diagnostics"] = nlohmann::json::array();
      for (const Diagnostics* list : {&ctx.inputDiagnostics, &ctx.fyDiagnostics})
        for (const Diagnostic& d : *list) j["diagnostics"].push_back(DiagnosticJson(d, ctx.language));
      j["elements"] = nlohmann::json::array();
      for (size_t i = 0; i < elements.size(); ++i) {
        const auto& e = elements[i];
        nlohmann::json problems = nlohmann::json::array();
        for (const Diagnostic& d : ElementLineProblems(e.text, ctx.dataUnitSystem))
          problems.push_back(DiagnosticJson(d, ctx.language));
        j["elements"].push_back({{"id", e.id},
                                 {"line", e.line},
                                 {"kind", KindName(KindOfIndex(ctx, static_cast<int>(i) + 1))},
                                 {"length", MemberLength(e.text, ctx.dataUnitSystem)},
                                 {"text", TextAfterId(e.text)},
                                 {"diagnostics", problems}});
      }
      std::cout << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    }
    // What the reader could not read as written, where it is in the file: under the summary,
    // which stands only with these; with --quiet (no summary) the errors on standard error.
    const std::string file = ctx.InputFile();
    const bool toStderr = state.quiet;
    bool heading = false;
    const auto say = [&](int line, const Diagnostic& d) {
      if (toStderr) {
        if (d.severity == Severity::Error) std::cerr << LocatedLine(file, line, d, ctx.language) << '\n';
        return;
      }
      if (!heading) std::cout << "\nProblems:\n";
      heading = true;
      std::cout << LocatedLine(file, line, d, ctx.language) << '\n';
    };
    const auto problems = [&] {
      for (const Diagnostics* list : {&ctx.inputDiagnostics, &ctx.fyDiagnostics})
        for (const Diagnostic& d : *list) say(0, d);
      for (const Element& e : elements)
        for (const Diagnostic& d : ElementLineProblems(e.text, ctx.dataUnitSystem)) say(e.line, d);
    };
    if (args->json) {
      if (toStderr) problems();
      return;
    }
    std::cout << "File:            " << ctx.InputFile() << '\n'
              << "Version:         " << ctx.suiteVersion << '\n'
              << "Title:           " << ctx.title << '\n'
              << "Data units:      " << ctx.dataUnits << '\n'
              << "Constants units: " << ctx.constantsUnits << '\n'
              << "Counts:          " << ctx.kindCounts[0] << " columns, " << ctx.kindCounts[1] << " beams, "
              << ctx.kindCounts[2] << " braces (N = " << ctx.N << ")\n"
              << "Target program:  " << ctx.target << '\n'
              << "Fy:              " << ShortestText(ctx.fy) << " kg/cm² (" << fySource << ")\n\n";
    std::cout << std::left << std::setw(7) << "ID" << std::setw(9) << "Kind" << std::right << std::setw(10)
              << "Length cm" << "  Designation\n";
    for (size_t i = 0; i < elements.size(); ++i) {
      const auto& e = elements[i];
      const std::string text = TextAfterId(e.text);
      std::cout << std::left << std::setw(7) << e.id << std::setw(9) << KindName(KindOfIndex(ctx, static_cast<int>(i) + 1))
                << std::right << std::setw(10) << ShortestText(MemberLength(e.text, ctx.dataUnitSystem)) << "  " << text
                << '\n';
    }
    problems();
  });
}

}  // namespace tavo::cli
