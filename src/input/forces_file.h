#pragma once
// The forces file beside an input: a CSV table of element IDs and forces, one row per element
// and load combination (several rows per element are several combinations), read into demands
// in kg and kg·cm.
#include <filesystem>
#include <map>
#include <vector>

#include "core/demands.h"
#include "core/diagnostics.h"
#include "core/units.h"

namespace tavo {

struct ForcesTable {
  std::map<int, std::vector<Demand>> byId;  // element ID → its rows, in file order
  bool found = false;                       // false: no file (no demands: strengths only)
  Diagnostics diagnostics;                  // what reading it had to say, with line numbers
};

// The forces file of an input "frame.Ardekon" is "frame.forces.csv" beside it.
std::filesystem::path ForcesFileFor(const std::filesystem::path& input);

// Reads the file. Units are taken from the header ("P[kN]", "M3[kN-m]", or a units line) else
// `inputUnits`, the input's data units.
ForcesTable ReadForcesFile(const std::filesystem::path& file, const UnitSystem& inputUnits);

}  // namespace tavo
