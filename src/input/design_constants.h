#pragma once
// The design constants (here only the yield stress Fy): where each value comes from, its
// range, and the one operation the constants window drives in its five modes.
#include <string>
#include <vector>

#include "core/module_context.h"

namespace tavo {

enum class ConstantsMode { Defining, Checking, UpdateUnits, WriteToFile, UpdateMinMax };
enum class ValueSource { InputFile, SettingsFile, Default };

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
  ValueSource source = ValueSource::Default;
  bool inRange = true;
};

inline constexpr int kMaxConstantRows = 20;

struct DesignConstants {
  ConstantsMode mode = ConstantsMode::Defining;
  std::vector<ConstantRow> rows;
  UnitSystem previousUnits;  // for "update units": the units the values were in

  ConstantRow* Find(int row);
  const ConstantRow* Find(int row) const;
};

std::string ConstantsFilePath(const ModuleContext& ctx);

// One constant, acted on according to constants.mode.
void MyConstants(DesignConstants& constants, ModuleContext& ctx, int row, const std::string& key, int keyIndex,
                 double defaultValue, const std::string& dimension, double minimum, double maximum,
                 const std::string& label, const std::string& hint1 = {}, const std::string& hint2 = {});

// Every constant of the module (Fy); afterwards ctx.fy holds Fy in kg/cm².
void DefineAllConstants(DesignConstants& constants, ModuleContext& ctx);

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
