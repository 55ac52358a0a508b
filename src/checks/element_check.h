#pragma once
// One element of the batch pass: its line becomes a section (designation parser and
// catalogue) and a checked member (kind from its place in the counts, length from "L=").
#include <functional>

#include "checks/check_results.h"
#include "input/batch_pass.h"
#include "sections/section_parser.h"

namespace tavo {

// The member data of element `index` (1-based): kind, length in cm, Fy and the data units.
MemberInput MemberOfElement(const ModuleContext& ctx, const Element& element, int index);

CheckedMember CheckElement(const ModuleContext& ctx, const SectionInput& input, const Element& element, int index);

ElementSummary Summarise(const CheckedMember& member);

using CheckedMemberFn = std::function<void(int index, const CheckedMember& member)>;

// The element check the batch pass runs; onChecked (optional) sees every full record as it is
// made, for writers that stream. ctx and input must outlive the returned function.
ElementCheckFn MakeElementCheck(const ModuleContext& ctx, const SectionInput& input, CheckedMemberFn onChecked = {});

}  // namespace tavo
