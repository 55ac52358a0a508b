#pragma once
// JSON forms of a checked member for the command line: the check object alone (shared with
// `tavo section`) and the whole element object that `tavo run --json` streams.
#include <nlohmann/json.hpp>

#include "checks/check_results.h"

namespace tavo::cli {

// {class, Lc, Fb, Mmax, Tmax, Fa, Pmax, lambda, weld, status}; absent values are null.
nlohmann::json CheckJson(const CheckedMember& member);

// The member's strengths by the limit-state code: {method, classification, available,
// limit_states, covered, notes}, and with forces (withForces) each limit state's demand, ratio and
// combination and the governing ratio, equation and combination. kg and kg·cm.
nlohmann::json Aisc360Json(const aisc::Result& result, bool withForces, char language = 'E');
// "aisc360" added to an element's or a section's object when the member was checked by the
// limit-state code (today's rules add nothing).
void AddAisc360(nlohmann::json& j, const CheckedMember& member, char language);

// [{severity, text, subject}] in one language.
nlohmann::json NotesJson(const Diagnostics& diagnostics, char language);
// Sets "status" (OK, not OK, error) and "notes"; an element with an error gets null properties and check.
void AddStatusAndNotes(nlohmann::json& j, const CheckedMember& member, char language);

// The section object (SectionJson) with id, kind, length (cm), check, status and notes.
nlohmann::json ElementJson(const CheckedMember& member, char language = 'E');

}  // namespace tavo::cli
