#include "cli/cli_common.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "core/language.h"
#include "core/files.h"
#include "core/startup.h"
#include "core/text_util.h"
#include "cli/cli_texts.h"
#include "core/core_texts.h"
#include "core/text_helpers.h"

namespace tavo::cli {

namespace fs = std::filesystem;

void TerminalMessages::Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) {
  if (quiet && kind != MessageKind::Error && kind != MessageKind::Critical) return;
  if (clearLine) clearLine();
  std::cout.flush();
  out_.Show(text, title, kind, rightToLeft);
}

Answer TerminalMessages::Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
                             bool rightToLeft) {
  if (quiet) return defaultAnswer;
  if (clearLine) clearLine();
  return out_.Ask(text, title, buttons, defaultAnswer, rightToLeft);
}

CliState::CliState() { ctx.messages = &messages; }

CliState::~CliState() {
  if (!privateTemp.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(privateTemp, ec);
  }
}

void CliState::Prepare(bool dataOnStdout) {
  messages.quiet = quiet;
  if (quiet && !dataOnStdout) {
    // Every command prints its text in its own way (streams, printf): shut the descriptor.
    std::cout.flush();
    std::fflush(stdout);
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
      ::dup2(null, STDOUT_FILENO);
      ::close(null);
    }
  }
  ctx.installDir = FindInstallDir(executable, installOverride);
  if (privateTemp.empty()) {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "tavo-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) privateTemp = pattern;
  }
  ctx.tempDir = privateTemp.empty() ? ctx.installDir + "temp/" : privateTemp + "/";
}

bool CliState::OpenInputFile(const std::string& path, InputSession& session) {
  // The reader adds ".Ardekon" to a name without it; a folder or a file of another kind would
  // then be reported as a missing file that the user never named.
  std::error_code ec;
  const fs::path given = SuitePath(path);
  const auto say = [this](const std::string& text) {
    ShowMessage(ctx, text, texts::kError);
    exitCode = 1;
    return false;
  };
  if (Trim(path).empty()) return say(texts::kNoInputGiven);
  if (fs::is_directory(given, ec))
    return say(Fill(texts::kInputIsFolder, {{"path", path}}));
  const bool named = ToLower(given.extension().string()) == ".ardekon";
  if (!named && fs::exists(given, ec) && !fs::exists(SuitePath(path + ".Ardekon"), ec))
    return say(Fill(texts::kNotAnInputName, {{"path", path}}));
  if (!named && fs::is_directory(SuitePath(path + ".Ardekon"), ec))
    return say(Fill(texts::kNamedInputIsFolder, {{"path", path}}));
  SetInputPath(ctx, path);
  if (OpenInput(ctx, session)) return true;
  exitCode = 1;
  return false;
}

SectionEngine& CliState::Engine() {
  if (!engine) engine = std::make_unique<SectionEngine>(ctx);
  return *engine;
}

std::string LocatedLine(const std::string& file, int line, const Diagnostic& d, char language) {
  std::string where = file;
  if (line > 0) where += ":" + std::to_string(line);
  return where + ": " + SeverityName(d.severity) + ": " + DiagnosticLine(d, language);
}

void ShowErrors(const Diagnostics& list, char language) {
  for (const Diagnostic& d : list)
    if (d.severity == Severity::Error) std::cerr << LabelledLine(d, language) << '\n';
}

std::string JoinWords(const std::vector<std::string>& words) {
  std::string text;
  for (const auto& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

std::optional<double> GivenFy(double option) { return option > 0 ? std::optional<double>(option) : std::nullopt; }

CLI::IsMember MemberKindNames() {
  return CLI::IsMember(std::vector<std::string>(kMemberKindNames.begin(), kMemberKindNames.end()));
}

void AddCodeOptions(CLI::App& cmd, CodeOptions& options) {
  cmd.add_option("--code", options.code,
                 "Design code: asd89 (today's allowable stresses), aisc360-lrfd or aisc360-asd (the limit-state "
                 "code); default: the constants' CODE, else asd89")
      ->check(CLI::IsMember(std::vector<std::string>(kDesignCodeNames.begin(), kDesignCodeNames.end())));
  cmd.add_option("--fu", options.fu,
                 "Tensile strength Fu in kg/cm², read by the limit-state code (default: the input's, else the "
                 "settings file's, else " + ShortestText(kDefaultFu) + ")")
      ->check(CLI::PositiveNumber);
}

GivenConstants GivenOf(double fy, const CodeOptions& options) {
  GivenConstants given;
  given.fy = GivenFy(fy);
  given.fu = GivenFy(options.fu);
  if (!options.code.empty()) given.code = DesignCodeOfName(options.code);
  return given;
}

void ShowConstantsNotes(const ModuleContext& ctx, bool quiet) {
  for (const Diagnostic& d : ctx.inputDiagnostics)
    if (StartsWith(d.subject, "CODE") && (!quiet || d.severity == Severity::Error))
      std::cerr << LabelledLine(d, ctx.language) << '\n';
}

int LineOfDiagnostic(const Diagnostic& d) {
  for (const std::string& text : {d.subject, PickLanguage(d.text, 'E')}) {
    const std::string lower = ToLower(Trim(text));
    if (!StartsWith(lower, "line ")) continue;
    int line = 0;
    size_t i = 5;
    while (i < lower.size() && lower[i] >= '0' && lower[i] <= '9' && line < 100000000) line = line * 10 + (lower[i++] - '0');
    if (i > 5) return line;
  }
  return 0;
}

}  // namespace tavo::cli
