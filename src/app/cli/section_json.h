#pragma once
// A computed section as one JSON object, shared by every command that prints sections
// (properties unrounded, in kg and cm).
#include <nlohmann/json.hpp>

#include "sections/section.h"

namespace tavo::cli {

// designation, base, family, count, arrangement, properties {A ... Width}; "problem" (in the
// chosen language) only when the computation had something to say.
nlohmann::json SectionJson(const Section& section, char language = 'E');

}  // namespace tavo::cli
