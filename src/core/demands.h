#pragma once
// Forces an analysis gives a member for one load combination, in kg and kg·cm, with the
// signs analysis programs use: P positive in tension, negative in compression.
#include <optional>
#include <string>

namespace tavo {

struct Demand {
  std::string combination;  // the load combination's name (OutputCase), or "row N" of the file
  std::string station;      // where along the member, as the file writes it; may be empty
  // Each force is absent when the file has no column for it.
  std::optional<double> P, V2, V3, T, M2, M3;
};

}  // namespace tavo
