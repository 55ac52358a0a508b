#pragma once
// JSON forms of a checked member for the command line: the check object alone (shared with
// `tavo section`) and the whole element object that `tavo run --json` streams.
#include <nlohmann/json.hpp>

#include "checks/check_results.h"

namespace tavo::cli {

// {class, Lc, Fb, Mmax, Tmax, Fa, Pmax, lambda, weld, status}; absent values are null.
nlohmann::json CheckJson(const CheckedMember& member);

// The section object (SectionJson) with id, kind, length (cm) and check.
nlohmann::json ElementJson(const CheckedMember& member, char language = 'E');

}  // namespace tavo::cli
