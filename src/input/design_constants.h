#pragma once
// The design constants (the yield stress Fy, the tensile strength Fu and the design code): where
// each value comes from, its range, and what the constants window does with them: read, check,
// convert and save.
#include <optional>
#include <string>
#include <vector>

#include "core/module_context.h"

namespace tavo {

// Given: on the command line, or typed or confirmed out of range in the constants window.
enum class ValueSource { InputFile, SettingsFile, Default, Given };

struct ConstantRow {
  int row = 0;
  std::string label;  // bilingual
  std::string key;
  int keyIndex = 1;
  std::string value;  // in the constants units
  double defaultValue = 0;
  std::string dimension;  // a dimension letter, or "BAR" for a list choice
  double minimum = 0, maximum = 0;  // in kg and cm
  std::string hint1, hint2;
  std::vector<std::string> choices;  // a list choice's values, as written ("BAR" rows)
  ValueSource source = ValueSource::Default;
  bool inRange = true;
  Diagnostics problems;  // what reading the value had to say (unreadable, given twice, units)
};

inline constexpr int kMaxConstantRows = 20;
// The rows of the module's constants.
inline constexpr int kFyRow = 1, kFuRow = 2, kCodeRow = 3;

struct DesignConstants {
  std::vector<ConstantRow> rows;

  ConstantRow* Find(int row);
  const ConstantRow* Find(int row) const;
};

std::string ConstantsFilePath(const ModuleContext& ctx);

// Every constant of the module (Fy, Fu, CODE) read afresh: from the input's constants block, else
// the settings file, else its default. Afterwards, as after each function below, ctx.fy holds Fy
// in kg/cm², ctx.fyExplicit says whether the user gave it, and ctx.fyDiagnostics what is wrong
// with it: a value that is not a number, or one outside 2000..4000 kg/cm² (an error, unless given
// explicitly: then a warning). ctx.fu holds Fu (3000..6000 kg/cm², said the same way, and only
// under the limit-state code, which alone reads it) and ctx.code the code; a code name that is
// none of kDesignCodeNames is an error in ctx.inputDiagnostics, and asd89 is used.
void DefineAllConstants(DesignConstants& constants, ModuleContext& ctx);

// The values as they stand (read, or typed in the window): each row's range is marked.
void CheckConstants(DesignConstants& constants, ModuleContext& ctx);

// The values, written in the units `from`, converted to the display units.
void ConvertConstantUnits(DesignConstants& constants, ModuleContext& ctx, const UnitSystem& from);

// Fy for a command: the value given (kg/cm²) when there is one, else what DefineAllConstants
// found in the input, the settings file or the default. With no input read (a section on its
// own), the settings file is read first in its own units.
void ResolveFy(DesignConstants& constants, ModuleContext& ctx, std::optional<double> givenKgCm2);

// What a command line gives in place of the constants; each absent one is read as above.
struct GivenConstants {
  std::optional<double> fy, fu;  // kg/cm²
  std::optional<DesignCode> code;
};
// ResolveFy for every constant given.
void ResolveConstants(DesignConstants& constants, ModuleContext& ctx, const GivenConstants& given);

// A row's value given by the user (in the display units): it replaces what was read.
void GiveValue(DesignConstants& constants, ModuleContext& ctx, int row, const std::string& value);

// Writes the units and every constant to the settings file. False when it could not be written.
bool SaveConstants(DesignConstants& constants, ModuleContext& ctx);

// A row's value in base units (kg, cm).
double ValueInBase(const ConstantRow& row, const UnitSystem& units);

// What the constants window shows above the rows.
struct InputSummary {
  std::vector<std::string> lines;  // bilingual
  std::string statusBar;           // bilingual
};
InputSummary chngcte_inc(DesignConstants& constants, ModuleContext& ctx);

const char* SourceName(ValueSource source);

}  // namespace tavo
