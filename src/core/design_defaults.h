#pragma once
// Values the module uses when neither the input nor the settings give one.

namespace tavo {

// The yield stress of the usual structural steel, kg/cm².
inline constexpr double kDefaultFy = 2400.0;
// Its tensile strength (370 MPa, rounded), for the limit-state code's tension rupture, kg/cm².
inline constexpr double kDefaultFu = 3700.0;

}  // namespace tavo
