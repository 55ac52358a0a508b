#pragma once
// The forces file beside an input: a CSV table of element IDs and forces, one row per element
// and load combination (several rows per element are several combinations), read into demands
// in kg and kg·cm.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/demands.h"
#include "core/diagnostics.h"
#include "core/units.h"

namespace tavo {

struct ForcesTable {
  std::map<int, std::vector<Demand>> byId;  // element ID → its rows, in file order
  bool found = false;                       // false: no file (no demands: strengths only)
  Diagnostics diagnostics;                  // what reading it had to say, with line numbers
  // Rows of an element that could not be read, said to that element: it is never reported
  // OK on forces it did not get.
  std::map<int, Diagnostics> notesById;
  // Header cells that name no column this reader uses, as written; a note, not a problem.
  std::vector<std::string> ignoredColumns;
};

// The forces file of an input "frame.Ardekon" is "frame.forces.csv" beside it.
std::filesystem::path ForcesFileFor(const std::filesystem::path& input);

// Reads the file. Units are taken from the header ("P[kN]", "M3[kN-m]", or a units line) else
// `inputUnits`, the input's data units.
ForcesTable ReadForcesFile(const std::filesystem::path& file, const UnitSystem& inputUnits);

// The same for the file's contents already in memory; `found` is true.
ForcesTable ReadForcesText(std::string_view text, const UnitSystem& inputUnits);

// Factor of a force unit name of the forces file to kg: kg, kgf, ton, tonf, N, kN, lb, lbf,
// kip (any case), N and kN by standard gravity (9.80665) and the pound as defined
// (0.45359237 kg), so a converted value is exact to the last digit; usable() false for any
// other name.
UnitRatio ForcesFileForceRatio(std::string_view name);

}  // namespace tavo
