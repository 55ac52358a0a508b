#pragma once
// What the section targets share: the committed catalogue, read once per process, and the
// options byte that leads each input (language, ALONE, SINGLE, the data's length unit).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/units.h"
#include "families/family_table.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"

#ifndef TAVO_CATALOGUE_DIR
#error "TAVO_CATALOGUE_DIR must name the folder holding stahl.*"
#endif

namespace tavo::fuzz {

inline const ProfileCatalogue& ShippedCatalogue() {
  static const ProfileCatalogue catalogue(TAVO_CATALOGUE_DIR);
  return catalogue;
}

// Bit 0: Persian; bit 1: ALONE; bit 2: SINGLE; bit 3: lengths in m, else bit 4: lengths in mm
// (a factor single precision cannot hold exactly, which spacings written back must survive).
inline SectionInput InputOfOptions(uint8_t options, Messages* messages) {
  SectionInput input;
  input.catalogue = &ShippedCatalogue();
  input.families = StandardFamilies();
  input.messages = messages;
  input.language = (options & 1) ? 'P' : 'E';
  if (options & 2) input.flags += "ALONE";
  if (options & 4) input.flags += "SINGLE";
  if (options & 8)
    input.dataUnits = UnitFactors("UNITS=[kg]-[m]");
  else if (options & 16)
    input.dataUnits = UnitFactors("UNITS=[kg]-[mm]");
  return input;
}

// A fuzz input as the designation targets read it: the first byte picks the options, the rest
// is the designation.
struct OptionsAndDesignation {
  SectionInput input;
  std::string_view text;
};
inline OptionsAndDesignation ReadOptionsAndDesignation(const uint8_t* data, size_t size, Messages* messages) {
  if (size == 0) return {InputOfOptions(0, messages), {}};
  return {InputOfOptions(data[0], messages), std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

}  // namespace tavo::fuzz
