#pragma once
// What every command of the command-line program shares: the context with its message
// seam, the install tree, and a private temporary folder for the working copy.
#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/messages.h"
#include "core/module_context.h"
#include "engine/section_engine.h"
#include "input/input_session.h"

namespace tavo::cli {

struct CliState {
  ModuleContext ctx;
  StderrMessages messages;
  std::string executable;
  std::string installOverride;
  std::string privateTemp;  // removed when the program ends
  int exitCode = 0;
  std::unique_ptr<SectionEngine> engine;

  CliState();
  ~CliState();
  // Sets the install directory and a private working folder; call before reading input.
  void Prepare();
  // Opens an input file up to its first element line; on failure the exit status becomes 1
  // (the reason has gone to standard error).
  bool OpenInputFile(const std::string& path, InputSession& session);
  // The engine of the command, made on first use: after Prepare, and after the input (if
  // any) was read and the language chosen, so that it reads them as they are.
  SectionEngine& Engine();
};

// A designation given as several command-line words, joined by single blanks.
std::string JoinWords(const std::vector<std::string>& words);
// The --fy option's value: 0 stands for "not given".
std::optional<double> GivenFy(double option);
// The --kind option's check: one of the member kinds' names.
CLI::IsMember MemberKindNames();

void AddInfoCommand(CLI::App& app, CliState& state);
void AddSectionCommand(CLI::App& app, CliState& state);
void AddRunCommand(CLI::App& app, CliState& state);
void AddReportCommand(CLI::App& app, CliState& state);
void AddDrawCommand(CLI::App& app, CliState& state);

}  // namespace tavo::cli
