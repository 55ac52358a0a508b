#pragma once
// The desktop program's command line: the suite's packed argument
//   tavolin "EI-/path/to/install/|/path/to/frame"
// or the form for starting it by hand
//   tavolin [--lang en|fa] [--mode I|E|H] [--install DIR] FILE.Ardekon
// which is turned into the same packed argument.
#include <string>
#include <vector>

namespace tavo::ui {

struct DesktopArgs {
  bool ok = true;
  std::string error;   // why the command line is not usable
  bool help = false;   // --help
  bool packed = false; // the suite's own form
  std::string packedArgument;
  char language = 'E';
  char mode = 'I';
  std::string installDir;  // --install, empty: found next to the program
  std::string inputFile;
};

// args: the arguments after the program name.
DesktopArgs ParseDesktopArguments(const std::vector<std::string>& args);

// The suite's packed argument for a language, mode, install folder and input base.
std::string PackArgument(char language, char mode, const std::string& installDir, const std::string& inputBase);

std::string DesktopUsage();

}  // namespace tavo::ui
