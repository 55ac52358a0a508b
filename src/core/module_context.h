#pragma once
// The run state every part of the module reads: who we are, what we were asked to do,
// where the files are, and the element being handled. One instance per program.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/design_code.h"
#include "core/design_defaults.h"
#include "core/diagnostics.h"
#include "core/member_kind.h"
#include "core/rgb.h"
#include "core/units.h"

namespace tavo {

class Messages;
class ProcessLauncher;

struct DisplayMetrics {
  std::string fontName = "Arial";
  int fontSize = 8;
  int screenHeight = 0;
  Rgb okColour{0, 150, 0};
  Rgb notOkColour{200, 0, 0};
};

struct ModuleContext {
  std::string moduleKey = "tavo";
  std::string moduleTitle = "Tavolin";
  char language = 'E';
  char runMode = 'I';
  std::string installDir;  // ends with a path separator
  std::string inputBase;   // input path without ".Ardekon"
  std::string inputExtension = ".Ardekon";
  std::string inputDir;    // ends with a path separator
  std::string tempDir;     // working copy, listing and scratch files; ends with a separator
  std::string suiteVersion;
  std::string title;
  // Remark lines the working copy leaves out: after its line `after`, `count` lines of the
  // input file. With them every element line is found again at its line in the user's file.
  struct LeftOutLines {
    int after = 0, count = 0;
  };
  std::vector<LeftOutLines> leftOutLines;

  std::string dataUnits = "[kg]-[cm]";
  std::string constantsUnits;
  std::string constantsText;
  UnitSystem displayUnits;  // the constants units unless the user picks others
  UnitSystem dataUnitSystem;

  std::array<int, 3> kindCounts{0, 0, 0};
  int N = 0;
  int currentIndex = 0;
  int16_t currentId = 0;
  std::string target = "ETABS";

  double fy = kDefaultFy;  // kg/cm²
  // The rules members are checked by, and the tensile strength the limit-state code uses.
  DesignCode code = DesignCode::Asd89;
  double fu = kDefaultFu;  // kg/cm²
  bool fyExplicit = false;  // given on the command line or confirmed in the constants window

  // What the reader has to say about the file as a whole (count line, units, element lines).
  Diagnostics inputDiagnostics;
  // Problems of the count line's units text: every element inherits them, since its lengths
  // and spacings were read in units the user did not write. Also listed in inputDiagnostics.
  Diagnostics dataUnitsDiagnostics;
  // Problems with Fy; every element inherits them.
  Diagnostics fyDiagnostics;

  DisplayMetrics metrics;

  Messages* messages = nullptr;
  ProcessLauncher* launcher = nullptr;

  std::string InputFile() const { return inputBase + inputExtension; }
};

}  // namespace tavo
