#pragma once
// What every command of the command-line program shares: the context with its message
// seam, the install tree, and a private temporary folder for the working copy.
#include <CLI/CLI.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/module_context.h"
#include "engine/section_engine.h"
#include "input/input_session.h"

namespace tavo::cli {

// Standard error for a person or a script: with quiet only errors pass, and a progress bar on
// the line is wiped first so a message never lands in the middle of it.
class TerminalMessages final : public Messages {
 public:
  void Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) override;
  Answer Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
             bool rightToLeft) override;
  bool quiet = false;
  std::function<void()> clearLine;  // set while a progress bar is drawn

 private:
  StderrMessages out_;
};

struct CliState {
  ModuleContext ctx;
  TerminalMessages messages;
  std::string executable;
  std::string installOverride;
  std::string privateTemp;  // removed when the program ends
  int exitCode = 0;
  bool quiet = false;  // --quiet: nothing but errors
  std::unique_ptr<SectionEngine> engine;

  CliState();
  ~CliState();
  // Sets the install directory and a private working folder; call before reading input.
  // With --quiet standard output is shut unless it carries data asked for (--json).
  void Prepare(bool dataOnStdout = false);
  // Opens an input file up to its first element line; on failure the exit status becomes 1
  // (the reason has gone to standard error).
  bool OpenInputFile(const std::string& path, InputSession& session);
  // The engine of the command, made on first use: after Prepare, and after the input (if
  // any) was read and the language chosen, so that it reads them as they are.
  SectionEngine& Engine();
};

// A diagnostic about the input file as compilers write one, "frame.Ardekon:12: error: text",
// so that an editor can jump to the line; without a line "frame.Ardekon: error: text". The
// severity word stays English in Persian too: editors look for it.
std::string LocatedLine(const std::string& file, int line, const Diagnostic& d, char language);

// The errors among the diagnostics on standard error, for --quiet, which hides the text that
// would have carried them.
void ShowErrors(const Diagnostics& list, char language);

// A designation given as several command-line words, joined by single blanks.
std::string JoinWords(const std::vector<std::string>& words);
// The --fy option's value: 0 stands for "not given".
std::optional<double> GivenFy(double option);
// The --kind option's check: one of the member kinds' names.
CLI::IsMember MemberKindNames();

// --code and --fu, which run, section and report share.
struct CodeOptions {
  std::string code;  // empty: the constants' choice
  double fu = 0;     // kg/cm²; 0: not given
};
void AddCodeOptions(CLI::App& cmd, CodeOptions& options);
// What the command line gives in place of the constants: --fy (0: not given), --code and --fu.
GivenConstants GivenOf(double fy, const CodeOptions& options);
// The constants' problems that concern no element (an unknown code name) on standard error,
// for commands that read no input file and so have no file notes to carry them.
void ShowConstantsNotes(const ModuleContext& ctx, bool quiet);

// The line a diagnostic of the forces file is about, when it names one ("line 12" leading its
// subject or its English text); 0 when it names none.
int LineOfDiagnostic(const Diagnostic& d);

void AddInfoCommand(CLI::App& app, CliState& state);
void AddSectionCommand(CLI::App& app, CliState& state);
void AddRunCommand(CLI::App& app, CliState& state);
void AddReportCommand(CLI::App& app, CliState& state);
void AddDrawCommand(CLI::App& app, CliState& state);

}  // namespace tavo::cli
