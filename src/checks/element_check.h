#pragma once
// One element of the batch pass: its line becomes a section (designation parser and
// catalogue) and a checked member (kind from its place in the counts, length from "L=").
#include <functional>
#include <optional>

#include "checks/check_results.h"
#include "input/batch_pass.h"
#include "sections/section_parser.h"

namespace tavo {

// The member data of element `index` (1-based): kind, length in cm, Fy and the data units, with
// what reading them had to say (ID, length, data units, Fy). A kind or a length (cm) given in
// place of the element's own replaces it.
MemberInput MemberOfElement(const ModuleContext& ctx, const Element& element, int index,
                            std::optional<MemberKind> kind = {}, std::optional<double> lengthCm = {});

// A member that is not an element of an input (a designation on the command line): the kind,
// a length in the given data units (0 for none), ctx.fy and its problems.
MemberInput MemberOfDesignation(const ModuleContext& ctx, MemberKind kind, double length, const UnitSystem& dataUnits);

// A beam or column without a length is checked as fully braced, a bracing without one in tension
// only: a warning says so. Nothing when the member already has an error.
void NoteMissingLength(MemberInput& member);

CheckedMember CheckElement(const ModuleContext& ctx, const SectionInput& input, const Element& element, int index);

ElementSummary Summarise(const CheckedMember& member);

using CheckedMemberFn = std::function<void(int index, const CheckedMember& member)>;

// The element check the batch pass runs; onChecked (optional) sees every full record as it is
// made, for writers that stream. ctx and input must outlive the returned function.
ElementCheckFn MakeElementCheck(const ModuleContext& ctx, const SectionInput& input, CheckedMemberFn onChecked = {});

}  // namespace tavo
