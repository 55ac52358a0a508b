#include "input/forces_file.h"

namespace tavo {

std::filesystem::path ForcesFileFor(const std::filesystem::path& input) {
  std::filesystem::path p = input;
  p.replace_extension(".forces.csv");
  return p;
}

// Placeholder until the reader is written: no file.
ForcesTable ReadForcesFile(const std::filesystem::path&, const UnitSystem&) { return {}; }

}  // namespace tavo
