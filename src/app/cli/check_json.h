#pragma once
// JSON forms of a checked member for the command line: the check object alone (shared with
// `tavo section`) and the whole element object that `tavo run --json` streams.
#include <nlohmann/json.hpp>

#include "checks/check_results.h"

namespace tavo::cli {

// {class, Lc, Fb, Mmax, Tmax, Fa, Pmax, lambda, weld, status}; absent values are null.
nlohmann::json CheckJson(const CheckedMember& member);

// [{severity, text, subject}] in one language.
nlohmann::json NotesJson(const Diagnostics& diagnostics, char language);
// Sets "status" (OK, not OK, error) and "notes"; an element with an error gets null properties and check.
void AddStatusAndNotes(nlohmann::json& j, const CheckedMember& member, char language);

// The section object (SectionJson) with id, kind, length (cm), check, status and notes.
nlohmann::json ElementJson(const CheckedMember& member, char language = 'E');

}  // namespace tavo::cli
