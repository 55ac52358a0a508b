#include "checks/compactness.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "section_builders.h"

namespace tavo {
namespace {

// The class and Lc by the given family's rule.
Compactness Classify(Section s, const SectionFamily* family, double fy) {
  s.family = family;
  return ClassifySection(s, fy);
}

using namespace test;

// Limits at Fy = 2400 (√Fy = 48.9898): 545/√Fy = 11.125, 795/√Fy = 16.228, 1590/√Fy = 32.456,
// 5365/√Fy = 109.513, 6370/√(0.6 Fy) = 167.864, 232000/Fy = 96.667.
// At Fy = 2500 (√Fy = 50) the limits are round: 545/50 = 10.9, 5365/50 = 107.3.
struct ClassCase {
  const char* why;
  Section section;
  const SectionFamily* family;
  double fy;
  const char* cls;  // nullptr: not checked
  double Lc;        // negative: not checked
};

const SectionFamily* const kPG = &kPlateGirderFamily;
const SectionFamily* const kBox = &kBoxFamily;
const SectionFamily* const kRolled = &kRolledIFamily;
const ClassCase kClassCases[] = {
    // k = 0.5 × 25/1.2 = 10.42; Lc = min(635 × 25/√2400, 1400000 × 30/(2400 × 52.4)) = min(324.047, 333.969).
    {"PG compact", PlateGirder(50, 0.8, 25, 1.2, 25, 1.2), kPG, 2400, "C", 324.04708},
    {"PG k 12.5, kc 1", PlateGirder(50, 0.8, 30, 1.2, 30, 1.2), kPG, 2400, "N", -1},
    {"PG k 20.8", PlateGirder(50, 0.8, 50, 1.2, 50, 1.2), kPG, 2400, "S", -1},
    {"PG the larger flange ratio decides", PlateGirder(50, 0.8, 25, 1.2, 50, 1.2), kPG, 2400, "S", -1},
    {"PG web hw/tw 200 > 167.9", PlateGirder(160, 0.8, 25, 1.2, 25, 1.2), kPG, 2400, "S", -1},
    // k = 14: with kc = 1 the limit is 16.228; kc = 4.05/70^0.46 would give 12.29 ("S").
    {"PG hw/tw exactly 70 uses kc 1", PlateGirder(56, 0.8, 33.6, 1.2, 33.6, 1.2), kPG, 2400, "N", -1},
    {"PG hw/tw 71: kc 0.57, limit 12.25", PlateGirder(56.8, 0.8, 33.6, 1.2, 33.6, 1.2), kPG, 2400, "S", -1},
    {"PG k exactly 10.9 is inclusive", PlateGirder(50, 1, 21.8, 1, 21.8, 1), kPG, 2500, "C", -1},
    {"PG Depth/tw exactly 107.3 is inclusive", PlateGirder(105.3, 1, 20, 1, 20, 1), kPG, 2500, "C", -1},
    {"PG flange 2 is the compression flange", PlateGirder(50, 0.8, 40, 1.2, 25, 1.2), kPG, 2400, nullptr, 324.04708},
    // 1400000 × 25 × 0.6 / (2400 × 51.8) = 168.918.
    {"PG thin flange 2: area term", PlateGirder(50, 0.8, 25, 1.2, 25, 0.6), kPG, 2400, nullptr, 168.91892},
    // min(635 × 20/√2400, 1400000 × 24 / (2400 × 42.4)) = min(259.238, 330.189).
    {"cross compact", Cross(40, 30, 0.8, 20, 1.2, 20, 1.2), &kCrossFamily, 2400, "C", 259.23766},
    {"cross second flange 12.5", Cross(40, 30, 0.8, 20, 1.2, 30, 1.2), &kCrossFamily, 2400, "N", -1},
    {"cross 10.9 at 2500 is strict", Cross(40, 30, 1, 21.8, 1, 20, 1), &kCrossFamily, 2500, "N", -1},
    {"box compact, Lc 53000 b/Fy", Box(30, 1, 30, 1.5, 29), kBox, 2400, "C", 662.5},
    {"box h/b exactly 6", Box(60, 1, 10, 1, 9), kBox, 2400, "N", -1},
    {"box h/b 5.9", Box(59, 1, 10, 1, 9), kBox, 2400, "C", -1},
    {"box tf = 2 tw", Box(30, 1, 30, 2, 29), kBox, 2400, "N", -1},
    {"box d/tf 33.3", Box(30, 1, 60, 1.5, 50), kBox, 2400, "N", -1},
    {"box Depth/tw 113", Box(110, 1, 30, 1.5, 29), kBox, 2400, "N", -1},
    {"tube D/t 96", Tube(48, 0.5), &kTubeFamily, 2400, "C", 0},
    {"tube D/t 97", Tube(48.5, 0.5), &kTubeFamily, 2400, "N", -1},
    {"tube D/t exactly 100 at 2320", Tube(50, 0.5), &kTubeFamily, 2320, "C", -1},
    // 0.5 × 15/1.07 = 7.01; Lc = min(635 × 15/√2400, 1400000 × 16.05/(2400 × 30)) = min(194.428, 312.083).
    {"IPE300", Rolled("IPE", "IPE300", 30, 15, 0.71, 1.07), kRolled, 2400, "C", 194.42825},
    // Count 2: only the area term, with Af = 2 × 15 × 1.07 = 32.1.
    {"2IPE300", Rolled("2IPE", "2IPE300", 30, 15, 0.71, 1.07, 2), kRolled, 2400, nullptr, 624.16667},
    {"IPB 10.9 at 2500 is strict", Rolled("IPB", "IPB200", 20, 21.8, 0.9, 1), kRolled, 2500, "N", -1},
    {"IPB 10.85", Rolled("IPB", "IPB200", 20, 21.7, 0.9, 1), kRolled, 2500, "C", -1},
    {"channel b/tf 6.5", Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01), &kChannelFamily, 2400, "C", 0},
    {"channel b/tf 14 without the half", Channel("UNP200", 20, 14, 0.85, 1, 2.01), &kChannelFamily, 2400, "N",
     -1},
    {"angle", Angle("L60", 6, 0.6, 1.69), &kAngleFamily, 2400, "", 0},
};

TEST(Compactness, ClassAndLcByFamily) {
  for (const ClassCase& c : kClassCases) {
    const Compactness got = Classify(c.section, c.family, c.fy);
    if (c.cls) { EXPECT_EQ(got.cls, c.cls) << c.why; }
    if (c.Lc >= 0) { EXPECT_NEAR(got.Lc, c.Lc, 1e-5) << c.why; }
  }
}

TEST(Compactness, PlatesAddToAfButAreNotClassified) {
  // Cover plates add to Af and to the depth: Af = 32.1 + 20 × 1, Depth 32.
  Section s = Rolled("2IPE", "2IPE300", 30, 15, 0.71, 1.07, 2);
  s.cs.PlateWidth = 20, s.cs.PlateThickness = 1, s.props.Depth = 32;
  EXPECT_NEAR(Classify(s, kRolled, 2400).Lc, 1400000.0 * 52.1 / (2400 * 32), 1e-9);
  // A wide thin plate keeps the class.
  s = Rolled("IPB", "IPB200", 20, 21.7, 0.9, 1);
  s.cs.PlateWidth = 60, s.cs.PlateThickness = 0.5;
  EXPECT_EQ(Classify(s, kRolled, 2500).cls, "C");
  for (const char* code : {"CPE", "CNP", "CPB", "2CPE", "3CPB"})  // castellated: always non-compact
    EXPECT_EQ(Classify(Rolled(code, "CPE300", 45, 15, 0.71, 1.07), kRolled, 2400).cls, "N") << code;
}

TEST(Compactness, DegenerateDimensionsGiveFiniteLc) {
  for (const SectionFamily* f : {&kPlateGirderFamily, &kCrossFamily, &kBoxFamily, &kTubeFamily,
                        &kChannelFamily, &kAngleFamily, &kRolledIFamily}) {
    Section s;
    s.cs.Count = 2;
    const Compactness c = Classify(s, f, 2400);
    EXPECT_TRUE(std::isfinite(c.Lc) && c.Lc >= 0);
  }
}

}  // namespace
}  // namespace tavo
