#include "checks/aisc360.h"

namespace tavo::aisc {

// Placeholder until the interaction is written.
void ApplyDemands(Result&, const Section&, std::span<const Demand>) {}

}  // namespace tavo::aisc
