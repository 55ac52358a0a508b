#pragma once
// What every command of the command-line program shares: the context with its message
// seam, the install tree, and a private temporary folder for the working copy.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "core/messages.h"
#include "core/module_context.h"
#include "input/input_session.h"

namespace tavo::cli {

struct CliState {
  ModuleContext ctx;
  StderrMessages messages;
  std::string executable;
  std::string installOverride;
  std::string privateTemp;  // removed when the program ends
  int exitCode = 0;

  CliState();
  ~CliState();
  // Sets the install directory and a private working folder; call before reading input.
  void Prepare();
  // Opens an input file up to its first element line; on failure the exit status becomes 1
  // (the reason has gone to standard error).
  bool OpenInputFile(const std::string& path, InputSession& session);
};

void AddInfoCommand(CLI::App& app, CliState& state);
void AddSectionCommand(CLI::App& app, CliState& state);
void AddRunCommand(CLI::App& app, CliState& state);
void AddReportCommand(CLI::App& app, CliState& state);
void AddDrawCommand(CLI::App& app, CliState& state);

}  // namespace tavo::cli
