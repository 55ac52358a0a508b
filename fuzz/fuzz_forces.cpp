// Forces files: any bytes must read without a crash; every force read is a finite number,
// every element ID found is one written on a row of the text, every problem is said in both
// languages, and an element whose row was lost is told so.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "input/forces_file.h"

namespace {
// Whether the text holds the ID as a field of its own (its digits not inside a longer number).
bool WrittenAsField(std::string_view text, int id) {
  const std::string digits = std::to_string(id);
  for (size_t at = text.find(digits); at != std::string_view::npos; at = text.find(digits, at + 1)) {
    const size_t end = at + digits.size();
    const bool digitAfter = end < text.size() && text[end] >= '0' && text[end] <= '9';
    if (!digitAfter) return true;  // leading zeros may stand before it
  }
  return false;
}

void CheckPairs(const tavo::Diagnostics& list) {
  for (const auto& d : list)
    if (d.text.find("||") == std::string::npos) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tavo::UnitSystem units;
  units.forceName = "kN";
  units.lengthName = "m";
  units.forceFactor = tavo::ForceFactorOf("kN");
  units.lengthFactor = 100;
  const tavo::ForcesTable table = tavo::ReadForcesText(text, units);
  if (!table.found) std::abort();
  CheckPairs(table.diagnostics);
  for (const auto& [id, rows] : table.byId) {
    if (id < 0 || rows.empty() || !WrittenAsField(text, id)) std::abort();
    for (const auto& d : rows) {
      if (d.combination.empty()) std::abort();
      for (const auto* v : {&d.P, &d.V2, &d.V3, &d.T, &d.M2, &d.M3})
        if (*v && !std::isfinite(**v)) std::abort();
    }
  }
  for (const auto& [id, notes] : table.notesById) {
    if (id < 0 || notes.empty() || !WrittenAsField(text, id) || !tavo::HasError(notes)) std::abort();
    CheckPairs(notes);
    // A problem of an element is a problem of the file too.
    if (table.diagnostics.empty()) std::abort();
  }
  return 0;
}
