#pragma once
// Unit texts "[force]-[length]", their factors to kilograms-force and centimetres,
// the labels printed beside values, and the rounding used on converted values.
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class Messages;

struct UnitSystem {
  std::string forceName = "kg";
  std::string lengthName = "cm";
  // Kept in single precision: the factors were always stored that way, and the
  // converted values depend on it in their last digits.
  float forceFactor = 1.0f;
  float lengthFactor = 1.0f;

  std::string Text() const { return "[" + forceName + "]-[" + lengthName + "]"; }
};

struct UnitNames {
  std::string force = "kg";
  std::string length = "cm";
  bool ok = true;  // false when the brackets were out of order
};

// Force and length names of a unit text; "kg","cm" (with a message) on malformed brackets.
UnitNames ParseUnitsText(std::string_view text, Messages* messages = nullptr);

// The whole unit system of a text; kg/cm with factor 1 when it holds no "UNITS=".
UnitSystem UnitFactors(std::string_view text, Messages* messages = nullptr);

// Whether a unit text ("[ton]-[m]", or the plain "ton-m") says exactly which units are meant:
// both brackets of each name closed, and both names in the tables. The problem (English and
// Persian) says what is wrong; the caller uses "[kg]-[cm]" instead.
struct UnitsTextCheck {
  bool ok = true;
  std::string english, persian;
};
UnitsTextCheck CheckUnitsText(std::string_view unitText);

float ForceFactorOf(std::string_view name);
float LengthFactorOf(std::string_view name);

// value x factor of the dimension letter, rounded to 5 decimals.
double ConvertToBase(double value, std::string_view letter, double forceFactor, double lengthFactor,
                     Messages* messages = nullptr);

struct UnitLabelResult {
  double factor = 1.0;
  std::string label;
  bool known = false;
};

// Factor and label of a dimension letter in the given display units; for F, M and S with a
// non-zero reference the unit is rescaled so the shown value stays readable.
UnitLabelResult UnitLabel(std::string_view letter, double reference, const UnitSystem& display);
void AutoScale(std::string_view letter, UnitLabelResult& result, double reference, const UnitSystem& display);
std::string StressLabel(std::string_view force, std::string_view length);

double ToDisplay(double value, std::string_view letter, int digits, const UnitSystem& display);

// Labels of F, L, A, V, W, M, S, I in that order.
std::vector<std::string> UnitLabelSet(const UnitSystem& display);

// digits >= 0: half to even; -1/-2: up/down to a multiple of 5; -3: up when the fraction exceeds 0.05.
double RoundTo(double value, int digits);

}  // namespace tavo
