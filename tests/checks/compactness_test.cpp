#include "checks/compactness.h"
#include "families/family_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "section_builders.h"

namespace tavo {
namespace {

using test::Angle;
using test::Box;
using test::Channel;
using test::Cross;
using test::PlateGirder;
using test::Rolled;
using test::Tube;

// Limits at Fy = 2400 (√Fy = 48.9898): 545/√Fy = 11.125, 795/√Fy = 16.228, 1590/√Fy = 32.456,
// 5365/√Fy = 109.513, 6370/√(0.6 Fy) = 167.864, 232000/Fy = 96.667.
// At Fy = 2500 (√Fy = 50) the limits are round: 545/50 = 10.9, 5365/50 = 107.3.

TEST(PlateGirderCompactness, CompactNonCompactSlender) {
  // k = 0.5 × 25/1.2 = 10.42; Depth/tw = 52.4/0.8 = 65.5.
  Section s = PlateGirder(50, 0.8, 25, 1.2, 25, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "C");
  // k = 12.5 fails 11.125, passes 16.228 with kc = 1 (hw/tw = 62.5).
  s = PlateGirder(50, 0.8, 30, 1.2, 30, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  // k = 20.8 fails both.
  s = PlateGirder(50, 0.8, 50, 1.2, 50, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "S");
  // The larger of the two flange ratios decides.
  s = PlateGirder(50, 0.8, 25, 1.2, 50, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "S");
  // A web too slender for the non-compact limit: hw/tw = 200 > 167.9.
  s = PlateGirder(160, 0.8, 25, 1.2, 25, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "S");
}

TEST(PlateGirderCompactness, WebRatioOfExactly70UsesKcOne) {
  // k = 0.5 × 33.6/1.2 = 14. With kc = 1 the limit is 16.228 ("N"); with
  // kc = 4.05/70^0.46 = 0.5737 it would be 795/√(2400/0.5737) = 12.29 ("S").
  Section s = PlateGirder(56, 0.8, 33.6, 1.2, 33.6, 1.2);
  ASSERT_EQ(s.cs.hw / s.cs.tw, 70.0);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  // hw/tw = 71: kc = 0.5700, limit 12.25 → "S".
  s = PlateGirder(56.8, 0.8, 33.6, 1.2, 33.6, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "S");
}

TEST(PlateGirderCompactness, LimitsAreInclusive) {
  // Fy 2500: k = 0.5 × 21.8/1 = 10.9 exactly at the compact limit.
  Section s = PlateGirder(50, 1, 21.8, 1, 21.8, 1);
  EXPECT_EQ(ClassifySection(s, 2500).cls, "C");
  // Depth/tw exactly 107.3: hw 105.3, tw 1, flanges 1 thick.
  s = PlateGirder(105.3, 1, 20, 1, 20, 1);
  ASSERT_DOUBLE_EQ(s.props.Depth / s.cs.tw, 107.3);
  EXPECT_EQ(ClassifySection(s, 2500).cls, "C");
}

TEST(PlateGirderCompactness, LcFromTheCompressionFlange) {
  // min(635 × 25/√2400, 1400000 × 25 × 1.2 / (2400 × 52.4)) = min(324.047, 333.969).
  Section s = PlateGirder(50, 0.8, 25, 1.2, 25, 1.2);
  EXPECT_NEAR(ClassifySection(s, 2400).Lc, 324.04708, 1e-5);
  // Flange 2 is the compression flange: a wide flange 1 changes nothing.
  s = PlateGirder(50, 0.8, 40, 1.2, 25, 1.2);
  EXPECT_NEAR(ClassifySection(s, 2400).Lc, 324.04708, 1e-5);
  // A thin flange 2 lets the area term govern: 1400000 × 25 × 0.6 / (2400 × 51.8) = 168.918.
  s = PlateGirder(50, 0.8, 25, 1.2, 25, 0.6);
  EXPECT_NEAR(ClassifySection(s, 2400).Lc, 168.91892, 1e-5);
}

TEST(CrossCompactness, ClassAndLc) {
  // 0.5 × 20/1.2 = 8.33; Depth/tw = 42.4/0.8 = 53; Width/tw = 32.4/0.8 = 40.5.
  Section s = Cross(40, 30, 0.8, 20, 1.2, 20, 1.2);
  const Compactness c = ClassifySection(s, 2400);
  EXPECT_EQ(c.cls, "C");
  // min(635 × 20/√2400, 1400000 × 24 / (2400 × 42.4)) = min(259.238, 330.189).
  EXPECT_NEAR(c.Lc, 259.23766, 1e-5);
  // Second flange too wide: 0.5 × 30/1.2 = 12.5.
  s = Cross(40, 30, 0.8, 20, 1.2, 30, 1.2);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  // Strict comparison: 10.9 at Fy 2500 is not compact.
  s = Cross(40, 30, 1, 21.8, 1, 20, 1);
  EXPECT_EQ(ClassifySection(s, 2500).cls, "N");
}

TEST(BoxCompactness, EveryConditionCounts) {
  // d/tf = 29/1.5 = 19.3; Depth/tw = 33; h/b = 1; tf < 2 tw.
  Section s = Box(30, 1, 30, 1.5, 29);
  Compactness c = ClassifySection(s, 2400);
  EXPECT_EQ(c.cls, "C");
  EXPECT_NEAR(c.Lc, 53000.0 * 30 / 2400, 1e-9);  // 662.5
  // h/b exactly 6 is not compact; 5.9 is.
  s = Box(60, 1, 10, 1, 9);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  s = Box(59, 1, 10, 1, 9);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "C");
  // tf = 2 tw is not compact.
  s = Box(30, 1, 30, 2, 29);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  // A wide web spacing: d/tf = 50/1.5 = 33.3 > 32.46.
  s = Box(30, 1, 60, 1.5, 50);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
  // Slender webs: Depth/tw = 113/1 > 109.5.
  s = Box(110, 1, 30, 1.5, 29);
  EXPECT_EQ(ClassifySection(s, 2400).cls, "N");
}

TEST(TubeCompactness, LimitIsInclusiveAndLcZero) {
  // 232000/2400 = 96.67.
  Compactness c = ClassifySection(Tube(48, 0.5), 2400);  // D/t = 96
  EXPECT_EQ(c.cls, "C");
  EXPECT_EQ(c.Lc, 0);
  EXPECT_EQ(ClassifySection(Tube(48.5, 0.5), 2400).cls, "N");  // 97
  // 232000/2320 = 100 exactly; D/t = 100 is still compact.
  EXPECT_EQ(ClassifySection(Tube(50, 0.5), 2320).cls, "C");
}

TEST(RolledCompactness, IPEClassAndLcBySingleOrMultiple) {
  // IPE 300: h 30, b 15, tw 0.71, tf 1.07; 0.5 × 15/1.07 = 7.01, 30/0.71 = 42.3.
  Section s = Rolled("IPE", "IPE300", 30, 15, 0.71, 1.07);
  Compactness c = ClassifySection(s, 2400);
  EXPECT_EQ(c.cls, "C");
  // Count 1: min(635 × 15/√2400, 1400000 × 16.05/(2400 × 30)) = min(194.428, 312.083).
  EXPECT_NEAR(c.Lc, 194.42825, 1e-5);
  // Count 2: only the area term, with Af = 2 × 15 × 1.07 = 32.1 → 624.167.
  s = Rolled("2IPE", "2IPE300", 30, 15, 0.71, 1.07, 2);
  EXPECT_NEAR(ClassifySection(s, 2400).Lc, 624.16667, 1e-5);
  // Cover plates add to Af and to the depth: Af = 32.1 + 20 × 1, Depth 32 → 1400000 × 52.1/(2400 × 32).
  s.cs.PlateWidth = 20;
  s.cs.PlateThickness = 1;
  s.props.Depth = 32;
  EXPECT_NEAR(ClassifySection(s, 2400).Lc, 1400000.0 * 52.1 / (2400 * 32), 1e-9);
}

TEST(RolledCompactness, StrictLimitsAndOwnPlatesOnly) {
  // Fy 2500: 0.5 × 21.8/1 = 10.9 equals the limit and fails the strict test.
  Section s = Rolled("IPB", "IPB200", 20, 21.8, 0.9, 1);
  EXPECT_EQ(ClassifySection(s, 2500).cls, "N");
  s.cs.b = 21.7;
  EXPECT_EQ(ClassifySection(s, 2500).cls, "C");
  // Cover plates are not tested: a wide thin plate keeps the class.
  s.cs.PlateWidth = 60;
  s.cs.PlateThickness = 0.5;
  EXPECT_EQ(ClassifySection(s, 2500).cls, "C");
}

TEST(RolledCompactness, CastellatedAreAlwaysNonCompact) {
  for (const char* code : {"CPE", "CNP", "CPB", "2CPE", "3CPB"}) {
    Section s = Rolled(code, "CPE300", 45, 15, 0.71, 1.07);
    EXPECT_EQ(ClassifySection(s, 2400).cls, "N") << code;
  }
}

TEST(ChannelCompactness, FlangeRatioWithoutTheHalf) {
  // UNP 200: b/tf = 7.5/1.15 = 6.5; h/tw = 20/0.85 = 23.5.
  Compactness c = ClassifySection(Channel("UNP200", 20, 7.5, 0.85, 1.15, 2.01), 2400);
  EXPECT_EQ(c.cls, "C");
  EXPECT_EQ(c.Lc, 0);
  // b/tf = 14 > 11.125 although 0.5 b/tf = 7 would pass.
  c = ClassifySection(Channel("UNP200", 20, 14, 0.85, 1, 2.01), 2400);
  EXPECT_EQ(c.cls, "N");
}

TEST(AngleCompactness, NoClassAndNoLc) {
  const Compactness c = ClassifySection(Angle("L60", 6, 0.6, 1.69), 2400);
  EXPECT_EQ(c.cls, "");
  EXPECT_EQ(c.Lc, 0);
}

TEST(Compactness, DegenerateDimensionsGiveFiniteLc) {
  for (const SectionFamily* f : StandardFamilies()) {
    Section s;
    s.family = f;
    s.cs.Count = 2;
    const Compactness c = ClassifySection(s, 2400);
    EXPECT_TRUE(std::isfinite(c.Lc));
    EXPECT_GE(c.Lc, 0);
  }
}

}  // namespace
}  // namespace tavo
