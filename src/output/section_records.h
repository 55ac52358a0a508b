#pragma once
// What a results run writes per element: the row of thirteen display values of the result
// table, the section record for the analysis program (ETABS or SAP layout) and the block of
// the element listing. Records are in the input's data units.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checks/check_results.h"
#include "core/units.h"

namespace tavo {

// ID, A, A1, A2, J, I1, I2, S1, S2, Z1, Z2, R1, R2; every value but the ID in display units
// to `decimals` decimals (0: not rounded, as the screen shows them to significant digits). The
// limit-state code adds its ratio after them (see ResultGridRow).
using ResultRowValues = std::vector<double>;
ResultRowValues ResultRow(const SectionProperties& p, int16_t id, const UnitSystem& display, int decimals = 3);

// The display factors of the letters A, I, V, L, worked out once for a whole run.
struct DisplayFactors {
  UnitRatio area, inertia, modulus, length;
};
DisplayFactors DisplayFactorsOf(const UnitSystem& display);
ResultRowValues ResultRow(const SectionProperties& p, int16_t id, const DisplayFactors& factors);

// The element text as the records print it: the element line without its padding.
std::string RecordText(std::string_view elementText);

// Two lines, each ending in CR LF.
std::string EtabsRecord(const SectionProperties& p, int16_t id, std::string_view elementText, const UnitSystem& data);
// Two lines; the element with ID 1 also carries the modulus of elasticity (" E=").
std::string SapRecord(const SectionProperties& p, int16_t id, std::string_view elementText, const UnitSystem& data);
// ETABS for the target "ETABS" (any letter case), the SAP layout for any other.
std::string SectionRecord(std::string_view target, const SectionProperties& p, int16_t id,
                          std::string_view elementText, const UnitSystem& data);

// The listing block, lines ending in CR LF, with the code page 437 arrow bytes.
std::string ListingBlock(const CheckedMember& member, int16_t id, std::string_view elementText, MemberKind kind);
void AppendListingBlock(std::string& out, const CheckedMember& member, int16_t id, std::string_view elementText,
                        MemberKind kind);

}  // namespace tavo
