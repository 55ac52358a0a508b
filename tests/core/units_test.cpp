#include "core/units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"

namespace tavo {
namespace {

TEST(ParseUnitsText, ReadsNamesAsWrittenAndMapsKgf) {
  for (const auto& [text, force, length] :
       {std::tuple{"UNITS=[ton]-[m]", "ton", "m"}, std::tuple{"units=[KN]-[MM]", "KN", "MM"},
        std::tuple{"[kgf]-[cm]", "kg", "cm"}, std::tuple{"[ N ]-[ mm ]", "N", "mm"},
        std::tuple{"units=kN-m rest", "kN", "m"}}) {  // the plain form without brackets
    const auto n = ParseUnitsText(text);
    EXPECT_EQ(n.force, force) << text;
    EXPECT_EQ(n.length, length) << text;
  }
  RecordingMessages m;  // brackets out of order: a message and kg, cm
  auto n = ParseUnitsText("UNITS=]ton[-[m", &m);
  EXPECT_FALSE(n.ok);
  EXPECT_EQ(n.force + n.length, "kgcm");
  EXPECT_TRUE(m.Saw("Unexpected error occured! (Units_SF_SL)"));
  m.calls.clear();
  EXPECT_FALSE(ParseUnitsText("UNITS=[ton-m", &m).ok);
  EXPECT_EQ(m.calls.size(), 1u);
}

TEST(UnitFactors, TablesAndDefaults) {
  // The factors are the doubles nearest the decimals of the tables, not float approximations.
  for (const auto& [text, force, length] :
       {std::tuple{"UNITS=[ton]-[m]", 1000.0, 100.0}, std::tuple{"units=[KN]-[MM]", 1000 / 9.81, 0.1},
        std::tuple{"units=[n]-[mm]", 1 / 9.81, 0.1},
        std::tuple{"[ton]-[m]", 1.0, 1.0},  // no UNITS= keyword: the base system
        std::tuple{"UNITS=[Lb]-[in]", 0.4536, 2.54}, std::tuple{"UNITS=[kip]-[ft]", 453.6, 30.48},
        std::tuple{"UNITS=[stone]-[furlong]", 1.0, 1.0}}) {
    const auto u = UnitFactors(text);
    EXPECT_DOUBLE_EQ(u.forceFactor, force) << text;
    EXPECT_DOUBLE_EQ(u.lengthFactor, length) << text;
    EXPECT_NEAR(u.forceFactor, force, 1e-15 * force) << text;
    EXPECT_NEAR(u.lengthFactor, length, 1e-15 * length) << text;
  }
  EXPECT_EQ(UnitFactors("units=[KN]-[MM]").forceName, "KN");
  EXPECT_EQ(UnitFactors("[ton]-[m]").forceName, "kg");
}

TEST(ConvertToBase, LettersAndUnknownWarning) {
  EXPECT_DOUBLE_EQ(ConvertToBase(2, "S", 1000, 100), 0.2);
  EXPECT_DOUBLE_EQ(ConvertToBase(3, "F", 1000, 100), 3000);
  EXPECT_DOUBLE_EQ(ConvertToBase(3, "L", 1000, 100), 300);
  EXPECT_DOUBLE_EQ(ConvertToBase(3, "M", 1000, 100), 300000);
  EXPECT_DOUBLE_EQ(ConvertToBase(5, "D", 1000, 10), 5);
  EXPECT_DOUBLE_EQ(ConvertToBase(1, "S", 1.0 / 9.81, 0.1), 10.19368);  // 1 MPa, rounded to 5 decimals
  RecordingMessages m;
  ConvertToBase(1, "Q", 1, 1, &m);
  EXPECT_TRUE(m.Saw("Error Code 2394726"));
  m.calls.clear();
  ConvertToBase(1, "SVC", 1, 1, &m);
  EXPECT_TRUE(m.calls.empty());
}

TEST(UnitLabel, LabelsOfEveryLetterAndStressNames) {
  const UnitSystem kgcm = UnitFactors("UNITS=[kg]-[cm]");
  for (const auto& [letter, label] : {std::pair{"A", "cm²"}, std::pair{"V", "cm³"}, std::pair{"I", "cm4"},
                                      std::pair{"M", "kg.cm"}, std::pair{"W", "kg/cm"}, std::pair{"D", "kg/cm³"},
                                      std::pair{"S", "kg/cm²"}})
    EXPECT_EQ(UnitLabel(letter, 0, kgcm).label, label) << letter;
  EXPECT_FALSE(UnitLabel("Q", 0, kgcm).known);
  const UnitSystem tonm = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(UnitLabel("I", 0, tonm).factor, 1e8);
  EXPECT_DOUBLE_EQ(UnitLabel("S", 0, tonm).factor, 0.1);
  for (const auto& [force, length, label] : {std::tuple{"N", "mm", "MPa"}, std::tuple{"n", "mm", "n/mm²"},
                                             std::tuple{"N", "m", "Pa"}, std::tuple{"Lb", "in", "psi"},
                                             std::tuple{"kip", "in", "ksi"}, std::tuple{"ton", "m", "ton/m²"}})
    EXPECT_EQ(StressLabel(force, length), label);  // names compare exactly
}

TEST(AutoScale, ForceMomentAndStressSwitchUnits) {
  const struct {
    const char *units, *letter;
    double value;
    const char* label;
    double shown, tolerance;
  } cases[] = {
      {"[kg]-[cm]", "F", 25000, "ton", 25, 0},        // e = 4.4
      {"[kg]-[cm]", "F", 9000, "kg", 9000, 0},        // e = 3.95 stays
      {"[kg]-[cm]", "M", 5e7, "ton.m", 500, 0},       // e > 6: ton and m
      {"[kg]-[cm]", "M", 5e4, "ton.cm", 50, 0},       // 3 < e <= 6: ton only
      {"[kg]-[m]", "S", 2400, "ton/m²", 24000, 1e-6},  // 2.4e7 kg/m²: 6 < e <= 9
      {"[ton]-[m]", "F", 0.002, "kg", 0.002, 1e-12},  // 2 grams-force in tons: e < -2
      {"[N]-[m]", "S", 2400, "MPa", 235.44, 0.01},     // 2.35e8 Pa: m becomes mm
      {"[kN]-[m]", "S", 2400, "MPa", 235.44, 0.01},    // 2.35e5 kN/m²: m -> mm and kN -> N
  };
  for (const auto& c : cases) {
    const auto r = UnitLabel(c.letter, c.value, UnitFactors(std::string("UNITS=") + c.units));
    EXPECT_EQ(r.label, c.label) << c.units << " " << c.value;
    EXPECT_NEAR(c.value / r.factor, c.shown, c.tolerance + 1e-12 * c.shown) << c.units << " " << c.value;
  }
}

// Conversions between decimal units come out as the decimal number itself: 5696 cm4 is
// 56960000 mm4 to the last digit (single-precision factors gave 56959996.604).
TEST(ToDisplay, DecimalUnitsConvertExactly) {
  const UnitSystem knmm = UnitFactors("UNITS=[kN]-[mm]");
  EXPECT_EQ(ToDisplay(5696, "I", 3, knmm), 56960000.0);
  EXPECT_EQ(ToDisplay(5696, "I", 0, knmm), 56960000.0);  // unrounded, too
  EXPECT_EQ(ToDisplay(53.8, "A", 0, knmm), 5380.0);
  EXPECT_EQ(ToDisplay(557, "V", 0, knmm), 557000.0);
  EXPECT_EQ(ToDisplay(0.125, "L", 0, knmm), 1.25);
  EXPECT_EQ(ToDisplay(5696, "I", 0, UnitFactors("UNITS=[kg]-[m]")), 5.696e-5);
  EXPECT_EQ(ToDisplay(1e8, "I", 0, UnitFactors("UNITS=[kg]-[m]")), 1.0);
  // Forces in N and kN are the decimal multiple of 9.81.
  EXPECT_EQ(ToDisplay(1000, "F", 0, knmm), 9.81);
  EXPECT_EQ(ToDisplay(2400, "S", 0, UnitFactors("UNITS=[N]-[mm]")), 235.44);
  EXPECT_EQ(ToDisplay(2400, "S", 0, UnitFactors("UNITS=[N]-[cm]")), 23544.0);
  EXPECT_EQ(ToDisplay(100, "M", 0, UnitFactors("UNITS=[kN]-[m]")), 0.00981);
  // Inches and feet: ratios of whole numbers too.
  EXPECT_EQ(ToDisplay(2.54, "L", 0, UnitFactors("UNITS=[kip]-[in]")), 1.0);
  EXPECT_EQ(ToDisplay(30.48 * 30.48, "A", 0, UnitFactors("UNITS=[kip]-[ft]")), 1.0);
  EXPECT_EQ(ToDisplay(453.6, "F", 0, UnitFactors("UNITS=[kip]-[ft]")), 1.0);
  // Back to the base: the same exactness through the letters of ConvertToBase.
  EXPECT_EQ(ConvertToBase(235.44, "S", UnitFactors("UNITS=[N]-[mm]")), 2400.0);
  EXPECT_EQ(ConvertToBase(56960, "L", UnitFactors("UNITS=[kg]-[mm]")), 5696.0);
  EXPECT_EQ(ConvertToBase(9.81, "M", UnitFactors("UNITS=[kN]-[m]")), 100000.0);
}

// A unit system whose factor is not its name's (set by hand) converts with that factor.
TEST(UnitRatio, FactorsSetByHandAndProducts) {
  UnitSystem odd = UnitFactors("UNITS=[kg]-[mm]");
  odd.lengthFactor = 0.2;
  EXPECT_DOUBLE_EQ(ToDisplay(1, "A", 0, odd), 25.0);
  odd.lengthFactor = 0;  // unusable: the value as it stands
  EXPECT_EQ(ToDisplay(7, "A", 0, odd), 7.0);
  const UnitRatio kn = ForceRatioOf("KN"), mm = LengthRatioOf("mm");
  const UnitRatio stress = kn / (mm * mm);
  EXPECT_EQ(stress.num / stress.den, 1e7 / 981);
  EXPECT_DOUBLE_EQ((ForceRatioOf("kip") / LengthRatioOf("ft")).Value(), 453.6 / 30.48);
  EXPECT_FALSE(RatioOfLetter("Q", kn, mm).known);
  EXPECT_FALSE((UnitRatio{1, 0}).Usable());
}

TEST(ToDisplay, ConvertsWithoutRescalingAndRoundsFromOneDigit) {
  const UnitSystem tonm = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(ToDisplay(25000, "F", 3, tonm), 25);
  EXPECT_DOUBLE_EQ(ToDisplay(12345.678, "A", 3, tonm), 1.235);
  EXPECT_DOUBLE_EQ(ToDisplay(1.23456, "L", 0, UnitSystem{}), 1.23456);  // 0 digits: not rounded
  EXPECT_EQ(UnitLabelSet(tonm),
            (std::vector<std::string>{"ton", "m", "m²", "m³", "ton/m", "ton.m", "ton/m²", "m4"}));
}

TEST(RoundTo, HalfToEvenOnDecimalHalvesAndPlateModes) {
  for (const auto& [value, digits, rounded] :
       {std::tuple{2.5, 0, 2.0}, std::tuple{3.5, 0, 4.0}, std::tuple{-2.5, 0, -2.0},
        std::tuple{2.675, 2, 2.68},  // stored as 2.67499999...
        std::tuple{2.665, 2, 2.66}, std::tuple{1.0049, 2, 1.0}, std::tuple{0.125, 2, 0.12},
        std::tuple{123.456, 1, 123.5}, std::tuple{-0.35, 1, -0.4},
        // Plate modes: -1 up to a multiple of 5, -2 down to one, -3 up from a tenth.
        std::tuple{12.0, -1, 15.0}, std::tuple{15.0, -1, 15.0}, std::tuple{16.0, -1, 20.0},
        std::tuple{12.0, -2, 10.0}, std::tuple{15.0, -2, 10.0}, std::tuple{17.0, -2, 15.0},
        std::tuple{3.04, -3, 3.0}, std::tuple{3.06, -3, 4.0}})
    EXPECT_DOUBLE_EQ(RoundTo(value, digits), rounded) << value << " to " << digits;
  EXPECT_TRUE(std::isnan(RoundTo(std::nan(""), 2)));
}

// A unit text either names its units exactly or is refused: [ton]-[m with its "]" missing was
// read as [ton]-[cm], and an unknown name as factor 1, both without a word.
TEST(CheckUnitsText, ExactBracketsAndKnownNamesOnly) {
  for (const char* good : {"[kg]-[cm]", "[ton]-[m]", "[KN]-[MM]", "[kgf]-[cm]", " [N] - [mm] ", "ton-m", "[Lb]-[in]"})
    EXPECT_TRUE(CheckUnitsText(good).ok) << good;
  for (const char* bad : {"[ton]-[m", "[ton-[m]", "ton]-[m]", "[ton]-[m]]", "[ton][m]", "[ton]-[m]x", "[]-[m]",
                          "[tons]-[m]", "[ton]-[yd]", "", "ton", "[ton]-[[m]]"}) {
    const UnitsTextCheck c = CheckUnitsText(bad);
    EXPECT_FALSE(c.ok) << bad;
    EXPECT_FALSE(c.english.empty() || c.persian.empty()) << bad;
  }
  EXPECT_NE(CheckUnitsText("[tons]-[m]").english.find("tons"), std::string::npos);
}

}  // namespace
}  // namespace tavo
