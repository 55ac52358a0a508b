#pragma once
// Unit texts "[force]-[length]", their factors to kilograms-force and centimetres,
// the labels printed beside values, and the rounding used on converted values.
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class Messages;

// A factor held as the ratio of two whole numbers (each exact in a double), so that a
// conversion between decimal units is one multiplication and one division by exact
// numbers: 5696 cm4 is 56960000 mm4, not the nearest double of 5696 / 0.1^4.
struct UnitRatio {
  double num = 1.0;
  double den = 1.0;

  double Value() const { return num / den; }
  // A value in the unit, in the base unit (value x factor) and back (value / factor).
  double ToBase(double value) const { return value * num / den; }
  double FromBase(double value) const { return value * den / num; }
  bool Usable() const;  // finite and non-zero
};
UnitRatio operator*(const UnitRatio& a, const UnitRatio& b);
UnitRatio operator/(const UnitRatio& a, const UnitRatio& b);

struct UnitSystem {
  std::string forceName = "kg";
  std::string lengthName = "cm";
  double forceFactor = 1.0;   // kg per force unit
  double lengthFactor = 1.0;  // cm per length unit

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

// Factors of the unit tables as decimals are written (N is 100/981 kg); factor 1 for a name
// outside them.
UnitRatio ForceRatioOf(std::string_view name);
UnitRatio LengthRatioOf(std::string_view name);
double ForceFactorOf(std::string_view name);
double LengthFactorOf(std::string_view name);
// The exact factors of a unit system: those of its names, unless its factor was set to
// something else, which is then taken as it stands.
UnitRatio ForceRatio(const UnitSystem& units);
UnitRatio LengthRatio(const UnitSystem& units);

// Factor of a dimension letter (F, L, W, A, V, I, M, S, D; empty: 1) from force and length
// factors; known is false for any other letter.
struct LetterRatio {
  UnitRatio ratio;
  bool known = false;
};
LetterRatio RatioOfLetter(std::string_view letter, const UnitRatio& force, const UnitRatio& length);

// value x factor of the dimension letter, rounded to 5 decimals.
double ConvertToBase(double value, std::string_view letter, double forceFactor, double lengthFactor,
                     Messages* messages = nullptr);
double ConvertToBase(double value, std::string_view letter, const UnitRatio& force, const UnitRatio& length,
                     Messages* messages = nullptr);
double ConvertToBase(double value, std::string_view letter, const UnitSystem& units, Messages* messages = nullptr);

struct UnitLabelResult {
  double factor = 1.0;  // ratio.Value()
  UnitRatio ratio;
  std::string label;
  bool known = false;

  // A base value in the labelled unit, and back; a value as it is when the letter is unknown.
  double FromBase(double value) const { return known && ratio.Usable() ? ratio.FromBase(value) : value; }
  double ToBase(double value) const { return known && ratio.Usable() ? ratio.ToBase(value) : value; }
};

// Factor and label of a dimension letter in the given display units; for F, M and S with a
// non-zero reference the unit is rescaled so the shown value stays readable.
UnitLabelResult UnitLabel(std::string_view letter, double reference, const UnitSystem& display);
void AutoScale(std::string_view letter, UnitLabelResult& result, double reference, const UnitSystem& display);
std::string StressLabel(std::string_view force, std::string_view length);

double ToDisplay(double value, std::string_view letter, int digits, const UnitSystem& display);

// Labels of F, L, A, V, W, M, S, I in that order.
std::vector<std::string> UnitLabelSet(const UnitSystem& display);

// value to `digits` significant digits (half to even), e.g. 56959996.6 to 6 is 56960000.
double RoundToSignificant(double value, int digits);

// digits >= 0: half to even; -1/-2: up/down to a multiple of 5; -3: up when the fraction exceeds 0.05.
double RoundTo(double value, int digits);

}  // namespace tavo
