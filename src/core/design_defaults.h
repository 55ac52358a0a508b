#pragma once
// Values the module uses when neither the input nor the settings give one.

namespace tavo {

// The yield stress of the usual structural steel, kg/cm².
inline constexpr double kDefaultFy = 2400.0;

}  // namespace tavo
