#pragma once
// The start-up reading of an input file without windows: working copy, header, constants
// block, count line, design constants. Shared by the command line and the desktop program.
#include <string>
#include <vector>

#include "input/design_constants.h"
#include "input/input_file.h"

namespace tavo {

struct InputSession {
  WorkingCopy copy;
  DesignConstants constants;
  std::string countLine;
  bool ok = false;
};

// Points the context at an input file path ("frame.Ardekon" or "frame").
void SetInputPath(ModuleContext& ctx, const std::string& path);

// Reads everything up to the first element line. False when the input can't be read.
bool OpenInput(ModuleContext& ctx, InputSession& session);

// Reads the element lines that follow (at most N) as the batch pass does: a blank line or the
// end of the file ends the list; what that leaves unread goes to ctx.inputDiagnostics.
std::vector<Element> ReadAllElements(ModuleContext& ctx, InputSession& session);

}  // namespace tavo
