#include "core/units.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/messages.h"

namespace tavo {
namespace {

TEST(ParseUnitsText, ReadsNamesAsWrittenAndMapsKgf) {
  auto n = ParseUnitsText("UNITS=[ton]-[m]");
  EXPECT_EQ(n.force, "ton");
  EXPECT_EQ(n.length, "m");
  n = ParseUnitsText("units=[KN]-[MM]");
  EXPECT_EQ(n.force, "KN");
  EXPECT_EQ(n.length, "MM");
  n = ParseUnitsText("[kgf]-[cm]");
  EXPECT_EQ(n.force, "kg");
  n = ParseUnitsText("[ N ]-[ mm ]");
  EXPECT_EQ(n.force, "N");
  EXPECT_EQ(n.length, "mm");
}

TEST(ParseUnitsText, BracketsOutOfOrderGiveMessageAndKgCm) {
  RecordingMessages m;
  auto n = ParseUnitsText("UNITS=]ton[-[m", &m);
  EXPECT_FALSE(n.ok);
  EXPECT_EQ(n.force, "kg");
  EXPECT_EQ(n.length, "cm");
  EXPECT_TRUE(m.Saw("Unexpected error occured! (Units_SF_SL)"));
  m.calls.clear();
  n = ParseUnitsText("UNITS=[ton-m", &m);
  EXPECT_FALSE(n.ok);
  EXPECT_EQ(m.calls.size(), 1u);
}

TEST(ParseUnitsText, PlainFormWithoutBrackets) {
  const auto n = ParseUnitsText("units=kN-m rest");
  EXPECT_EQ(n.force, "kN");
  EXPECT_EQ(n.length, "m");
}

TEST(UnitFactors, TablesAndDefaults) {
  auto u = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_FLOAT_EQ(u.forceFactor, 1000);
  EXPECT_FLOAT_EQ(u.lengthFactor, 100);
  u = UnitFactors("units=[KN]-[MM]");
  EXPECT_FLOAT_EQ(u.forceFactor, static_cast<float>(1000 / 9.81));
  EXPECT_FLOAT_EQ(u.lengthFactor, 0.1f);
  EXPECT_EQ(u.forceName, "KN");
  u = UnitFactors("[ton]-[m]");  // no UNITS= keyword: the base system
  EXPECT_FLOAT_EQ(u.forceFactor, 1);
  EXPECT_EQ(u.forceName, "kg");
  u = UnitFactors("UNITS=[Lb]-[in]");
  EXPECT_FLOAT_EQ(u.forceFactor, 0.4536f);
  EXPECT_FLOAT_EQ(u.lengthFactor, 2.54f);
  u = UnitFactors("UNITS=[kip]-[ft]");
  EXPECT_FLOAT_EQ(u.forceFactor, 453.6f);
  EXPECT_FLOAT_EQ(u.lengthFactor, 30.48f);
  u = UnitFactors("UNITS=[stone]-[furlong]");
  EXPECT_FLOAT_EQ(u.forceFactor, 1);
  EXPECT_FLOAT_EQ(u.lengthFactor, 1);
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

TEST(UnitLabel, LabelsOfEveryLetter) {
  UnitSystem u = UnitFactors("UNITS=[kg]-[cm]");
  EXPECT_EQ(UnitLabel("A", 0, u).label, "cm²");
  EXPECT_EQ(UnitLabel("V", 0, u).label, "cm³");
  EXPECT_EQ(UnitLabel("I", 0, u).label, "cm4");
  EXPECT_EQ(UnitLabel("M", 0, u).label, "kg.cm");
  EXPECT_EQ(UnitLabel("W", 0, u).label, "kg/cm");
  EXPECT_EQ(UnitLabel("D", 0, u).label, "kg/cm³");
  EXPECT_EQ(UnitLabel("S", 0, u).label, "kg/cm²");
  EXPECT_FALSE(UnitLabel("Q", 0, u).known);
  u = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(UnitLabel("I", 0, u).factor, 1e8);
  EXPECT_DOUBLE_EQ(UnitLabel("S", 0, u).factor, 0.1);
}

TEST(UnitLabel, StressLabelsCompareExactly) {
  EXPECT_EQ(StressLabel("N", "mm"), "MPa");
  EXPECT_EQ(StressLabel("n", "mm"), "n/mm²");
  EXPECT_EQ(StressLabel("N", "m"), "Pa");
  EXPECT_EQ(StressLabel("Lb", "in"), "psi");
  EXPECT_EQ(StressLabel("kip", "in"), "ksi");
  EXPECT_EQ(StressLabel("ton", "m"), "ton/m²");
}

TEST(AutoScale, ForceMomentAndStressSwitchUnits) {
  const UnitSystem kgcm = UnitFactors("UNITS=[kg]-[cm]");
  auto r = UnitLabel("F", 25000, kgcm);  // e = 4.4
  EXPECT_EQ(r.label, "ton");
  EXPECT_DOUBLE_EQ(25000 / r.factor, 25);
  r = UnitLabel("F", 9000, kgcm);  // e = 3.95 stays
  EXPECT_EQ(r.label, "kg");
  r = UnitLabel("M", 5e7, kgcm);  // e > 6: ton and m
  EXPECT_EQ(r.label, "ton.m");
  EXPECT_DOUBLE_EQ(5e7 / r.factor, 500);
  r = UnitLabel("M", 5e4, kgcm);  // 3 < e <= 6: ton only
  EXPECT_EQ(r.label, "ton.cm");
  const UnitSystem kgm = UnitFactors("UNITS=[kg]-[m]");
  r = UnitLabel("S", 2400, kgm);  // 2400 kg/cm² is 2.4e7 kg/m²: 6 < e <= 9
  EXPECT_EQ(r.label, "ton/m²");
  EXPECT_NEAR(2400 / r.factor, 24000, 1e-6);
  const UnitSystem tonm = UnitFactors("UNITS=[ton]-[m]");
  r = UnitLabel("F", 0.002, tonm);  // 2 grams-force in tons: e < -2
  EXPECT_EQ(r.label, "kg");
  const UnitSystem nm = UnitFactors("UNITS=[N]-[m]");
  r = UnitLabel("S", 2400, nm);  // 2.35e8 Pa: e > 6 with N: m becomes mm
  EXPECT_EQ(r.label, "MPa");
  EXPECT_NEAR(2400 / r.factor, 235.44, 0.01);
  const UnitSystem knm = UnitFactors("UNITS=[kN]-[m]");
  r = UnitLabel("S", 2400, knm);  // 2.35e5 kN/m²: 4 < e <= 6, m -> mm and kN -> N
  EXPECT_EQ(r.label, "MPa");
  EXPECT_NEAR(2400 / r.factor, 235.44, 0.01);
}

TEST(ToDisplay, ConvertsWithoutRescalingAndRoundsFromOneDigit) {
  const UnitSystem tonm = UnitFactors("UNITS=[ton]-[m]");
  EXPECT_DOUBLE_EQ(ToDisplay(25000, "F", 3, tonm), 25);
  EXPECT_DOUBLE_EQ(ToDisplay(12345.678, "A", 3, tonm), 1.235);
  EXPECT_DOUBLE_EQ(ToDisplay(1.23456, "L", 0, UnitSystem{}), 1.23456);  // 0 digits: not rounded
  const auto labels = UnitLabelSet(tonm);
  ASSERT_EQ(labels.size(), 8u);
  EXPECT_EQ(labels[0], "ton");
  EXPECT_EQ(labels[2], "m²");
  EXPECT_EQ(labels[5], "ton.m");
  EXPECT_EQ(labels[6], "ton/m²");
  EXPECT_EQ(labels[7], "m4");
}

TEST(RoundTo, HalfToEvenOnDecimalHalves) {
  EXPECT_DOUBLE_EQ(RoundTo(2.5, 0), 2);
  EXPECT_DOUBLE_EQ(RoundTo(3.5, 0), 4);
  EXPECT_DOUBLE_EQ(RoundTo(-2.5, 0), -2);
  EXPECT_DOUBLE_EQ(RoundTo(2.675, 2), 2.68);  // stored as 2.67499999...
  EXPECT_DOUBLE_EQ(RoundTo(2.665, 2), 2.66);
  EXPECT_DOUBLE_EQ(RoundTo(1.0049, 2), 1.0);
  EXPECT_DOUBLE_EQ(RoundTo(0.125, 2), 0.12);
  EXPECT_DOUBLE_EQ(RoundTo(123.456, 1), 123.5);
  EXPECT_DOUBLE_EQ(RoundTo(-0.35, 1), -0.4);
}

TEST(RoundTo, PlateModes) {
  EXPECT_DOUBLE_EQ(RoundTo(12, -1), 15);
  EXPECT_DOUBLE_EQ(RoundTo(15, -1), 15);
  EXPECT_DOUBLE_EQ(RoundTo(16, -1), 20);
  EXPECT_DOUBLE_EQ(RoundTo(20, -1), 20);
  EXPECT_DOUBLE_EQ(RoundTo(12, -2), 10);
  EXPECT_DOUBLE_EQ(RoundTo(15, -2), 10);
  EXPECT_DOUBLE_EQ(RoundTo(17, -2), 15);
  EXPECT_DOUBLE_EQ(RoundTo(3.04, -3), 3);
  EXPECT_DOUBLE_EQ(RoundTo(3.06, -3), 4);
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
    EXPECT_FALSE(c.english.empty()) << bad;
    EXPECT_FALSE(c.persian.empty()) << bad;
  }
  EXPECT_NE(CheckUnitsText("[tons]-[m]").english.find("tons"), std::string::npos);
}

}  // namespace
}  // namespace tavo
