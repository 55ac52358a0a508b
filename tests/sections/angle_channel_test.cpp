// Angles and channels, single and doubled, on the controlled catalogue (L60: b 6, t 0.6,
// A 6.91, e 1.69, I 22.8, Iu 36.2, Iv 9.38; UNP200: h 20, b 7.5, tw 0.85, tf 1.15, A 32.2,
// Ix 1910, Iy 148, e 2.01). Expected values worked by hand with the parallel-axis theorem.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "section_test_support.h"

namespace tavo {
namespace {

using test::ScratchCatalogue;

// Half the width of two angles "<>" (leg b, thickness t, centroid e from the backs of the legs,
// centroids d apart), from the corners of the angle's outline: the heel, the two leg tips' outer
// and inner corners and the inner corner, turned so that the angle's diagonal lies horizontal.
double StarHalfWidth(double b, double t, double e, double d) {
  const double corners[][2] = {{0, 0}, {b, 0}, {b, t}, {t, t}, {t, b}, {0, b}};
  double far = 0;
  for (const auto& c : corners) {
    // Distance along the diagonal from the centroid (e, e); the angle's centroid sits at d/2.
    const double along = (c[0] - e + c[1] - e) / std::sqrt(2.0);
    far = std::max(far, std::abs(d / 2 - along));
  }
  return far;
}

TEST(SingleAngle, LegAxesFromTheAssemblyPrincipalAxesFromTheComplement) {
  ScratchCatalogue sc;
  const Section legs = ParseSectionDesignation("L60", sc.Input());
  EXPECT_NEAR(legs.props.S1, 22.8 / 4.31, 1e-12);  // I/(b − e)
  EXPECT_NEAR(legs.props.S2, 22.8 / 4.31, 1e-12);
  EXPECT_NEAR(legs.props.r1, std::sqrt(22.8 / 6.91), 1e-12);
  EXPECT_NEAR(legs.props.J, 0.864, 1e-12);  // 2·6·0.6³/3
  // An angle has neither an rt of flange and web nor a half-section first moment: none is made up.
  EXPECT_DOUBLE_EQ(legs.props.rt, 0);
  EXPECT_DOUBLE_EQ(legs.cs.Sx, 0);
  EXPECT_DOUBLE_EQ(legs.props.Width, 6);

  const Section s = sc.Compute("L60");
  EXPECT_EQ(s.cs.Count, 1);
  EXPECT_DOUBLE_EQ(s.cs.d, 0);
  EXPECT_DOUBLE_EQ(s.props.I1, 36.2);
  EXPECT_DOUBLE_EQ(s.props.I2, 9.38);
  EXPECT_NEAR(s.props.S1, 8.532421826317673, 1e-12);  // Iu/(√2·b/2)
  EXPECT_NEAR(s.props.S2, 3.924651838775039, 1e-12);  // Iv/max(√2·e, √2·b/2 − √2·e) = 9.38/2.390021
  EXPECT_NEAR(s.props.Z1, 10.93326, 1e-12);           // 6·0.6·1.39 + 0.6·4.31²/2 + 0.6·1.09²/2
  EXPECT_DOUBLE_EQ(s.props.Z2, s.props.Z1);
  EXPECT_NEAR(s.props.A1, 3.6, 1e-12);
  EXPECT_NEAR(s.props.A2, 3.0, 1e-12);
  EXPECT_NEAR(s.props.r1, 2.2888390879390297, 1e-12);
  EXPECT_NEAR(s.props.r2, 1.1650978356837274, 1e-12);
  EXPECT_NEAR(s.cs.rmin, 1.1650978356837274, 1e-12);
  EXPECT_DOUBLE_EQ(s.props.Depth, 6);
  EXPECT_DOUBLE_EQ(s.props.Af, 0);
  EXPECT_DOUBLE_EQ(s.cs.b, 6);  // the leg also stands in b and the thickness in tf
  EXPECT_DOUBLE_EQ(s.cs.tf, 0.6);
}

TEST(DoubledAngle, BackToBackAtTheMinimumSpacing) {
  ScratchCatalogue sc;
  const Section s = sc.Compute("2L60");
  EXPECT_EQ(s.cs.Count, 2);
  EXPECT_DOUBLE_EQ(s.cs.d, 3.38);  // 2e: the backs touch
  EXPECT_NEAR(s.props.A, 13.82, 1e-12);
  EXPECT_NEAR(s.props.I1, 45.6, 1e-12);
  EXPECT_NEAR(s.props.S1, 10.580046403712297, 1e-12);
  EXPECT_NEAR(s.props.I2, 85.071302, 1e-9);  // 2·(22.8 + 6.91·3.38²/4)
  EXPECT_NEAR(s.props.S2, 14.178550333333334, 1e-9);
  EXPECT_NEAR(s.props.r2, 2.4810614354745697, 1e-12);
  EXPECT_NEAR(s.props.J, 1.728, 1e-12);
  EXPECT_NEAR(s.props.Width, 12, 1e-12);
  EXPECT_DOUBLE_EQ(s.props.Depth, 6);
  EXPECT_NEAR(s.props.Z1, 21.86652, 1e-12);
  EXPECT_NEAR(s.props.Z2, 23.3558, 1e-12);  // A·d/2
  EXPECT_NEAR(s.props.A2, 6.0, 1e-12);
  EXPECT_NEAR(s.cs.rmin, std::sqrt(9.38 / 13.82), 1e-12);
}

TEST(DoubledAngle, GussetAndSpacingUnits) {
  ScratchCatalogue sc;
  const Section plate = sc.Compute("2L60 +PL100*10");
  EXPECT_DOUBLE_EQ(plate.cs.PlateWidth, 10);
  EXPECT_DOUBLE_EQ(plate.cs.PlateThickness, 1);
  EXPECT_DOUBLE_EQ(plate.cs.d, 4.38);  // 2e + tpl
  // Right after the size the plate is the same plate (it used to be dropped there: d 3.38).
  const Section close = sc.Compute("2L60+PL100*10");
  EXPECT_DOUBLE_EQ(close.cs.PlateThickness, 1);
  EXPECT_DOUBLE_EQ(close.cs.d, 4.38);
  EXPECT_TRUE(close.problem.empty()) << close.problem;
  const Section below = sc.Compute("2L60  (d=2)");
  EXPECT_DOUBLE_EQ(below.cs.d, 3.38);  // below the minimum: the angles touch
  EXPECT_FALSE(HasError(below.diagnostics));
  EXPECT_NE(below.problem.find("below the smallest possible, 3.38 cm"), std::string::npos) << below.problem;
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  (d=5)").cs.d, 5);
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  (d=500)", "[kg]-[mm]").cs.d, 50);
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  (d=500)").cs.d, 50);  // cm: above 100, divided by 10
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  (d=0.05)", "[ton]-[m]").cs.d, 5);
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  (d=4.567)").cs.d, 4.57);  // rounded to 2 decimals
  EXPECT_DOUBLE_EQ(sc.Compute("2L60  d=5").cs.d, 5);
  EXPECT_DOUBLE_EQ(sc.Compute("2L60 d=5").cs.d, 5);  // one blank is enough (it read no spacing: 3.38)
  EXPECT_DOUBLE_EQ(sc.Compute("2L60 d = 5").cs.d, 5);
  EXPECT_DOUBLE_EQ(sc.Compute("2L60(d=5)").cs.d, 5);
}

TEST(DoubledAngle, StarArrangement) {
  ScratchCatalogue sc;
  const Section s = sc.Compute("2L60<>");
  EXPECT_DOUBLE_EQ(s.cs.d, 4.55);  // √2·(6 + 0.6 − 3.38) = 4.5538 rounded
  EXPECT_NEAR(s.props.I1, 72.4, 1e-12);  // 2·Iu
  EXPECT_NEAR(s.props.I2, 90.2871375, 1e-9);
  EXPECT_NEAR(s.props.Depth, 8.485281374238571, 1e-12);
  EXPECT_NEAR(s.props.Width, 9.33004184082106, 1e-12);
  EXPECT_NEAR(s.props.S1, 17.064843652635346, 1e-12);
  EXPECT_NEAR(s.props.S2, s.props.I2 / StarHalfWidth(6, 0.6, 1.69, 4.55), 1e-9);
  EXPECT_NEAR(s.props.Z1, 30.547012947258853, 1e-12);
  EXPECT_NEAR(s.props.Z2, 31.4405, 1e-12);
  // A gusset widens the minimum spacing, and through it the lever arm of S2.
  const Section g = sc.Compute("2L60 <> +PL100*10");
  EXPECT_DOUBLE_EQ(g.cs.d, 5.55);
  EXPECT_NEAR(g.props.S2, g.props.I2 / StarHalfWidth(6, 0.6, 1.69, 5.55), 1e-9);
}

TEST(DoubledAngle, StarS2TakesTheHeelsAsExtremeFibres) {
  // 2L60<> at d = 20: I2 = 2·(9.38 + 6.91·20²/4) = 1400.76; the heels stand 10 + √2·1.69 = 12.39
  // from the vertical axis, so S2 = 113.06 (the depth's half, 4.24, would give 330).
  ScratchCatalogue sc;
  const Section s = sc.Compute("2L60<>  (d=20)");
  EXPECT_DOUBLE_EQ(s.cs.d, 20);
  EXPECT_NEAR(s.props.I2, 1400.76, 1e-9);
  const double arm = StarHalfWidth(6, 0.6, 1.69, 20);
  EXPECT_NEAR(arm, 10 + std::sqrt(2.0) * 1.69, 1e-12);
  EXPECT_NEAR(s.props.S2, 1400.76 / arm, 1e-9);
  EXPECT_NEAR(s.props.S2, 113.0555, 1e-4);
  EXPECT_NEAR(s.props.Width, 2 * arm, 1e-12);
  // The strong axis: the leg tips at √2·b/2 above and below.
  EXPECT_NEAR(s.props.S1, 72.4 / (std::sqrt(2.0) * 3), 1e-9);
}

TEST(SingleChannel, HandWorked) {
  ScratchCatalogue sc;
  const Section s = sc.Compute("UNP20");
  EXPECT_EQ(s.cs.catalogueName, "UNP200");
  EXPECT_DOUBLE_EQ(s.props.S1, 191);
  EXPECT_NEAR(s.props.S2, 26.958105646630237, 1e-12);  // Iy/(b − e)
  EXPECT_NEAR(s.props.J, 11.698541666666666, 1e-12);
  EXPECT_NEAR(s.props.rt, 1.9092517642257245, 1e-12);
  EXPECT_NEAR(s.props.Z1, 229.155375, 1e-9);
  EXPECT_NEAR(s.props.Z2, 63.153555, 1e-9);
  EXPECT_NEAR(s.props.A1, 17, 1e-12);
  EXPECT_NEAR(s.props.A2, 14.375, 1e-12);
  EXPECT_DOUBLE_EQ(s.props.Width, 7.5);
  EXPECT_DOUBLE_EQ(s.props.Depth, 20);
  EXPECT_DOUBLE_EQ(s.cs.Sx, 0);
  EXPECT_NEAR(s.props.Af, 7.5 * 1.15, 1e-12);
}

TEST(DoubledChannel, FlangesFacingTouchAtTheTips) {
  ScratchCatalogue sc;
  const Section s = sc.Compute("2UNP20");
  EXPECT_EQ(s.cs.Arrangement, "[]");
  EXPECT_NEAR(s.cs.d, 10.98, 1e-12);  // 2·(b − e)
  EXPECT_NEAR(s.props.A, 64.4, 1e-12);
  EXPECT_NEAR(s.props.I1, 3820, 1e-12);
  EXPECT_NEAR(s.props.S1, 382, 1e-12);
  EXPECT_NEAR(s.props.I2, 2237.02244, 1e-9);
  EXPECT_NEAR(s.props.S2, 298.2696586666667, 1e-9);
  EXPECT_NEAR(s.props.r2, 5.893757145652123, 1e-12);
  EXPECT_NEAR(s.props.Width, 15, 1e-12);  // d + 2e: the flange tips meet
  EXPECT_NEAR(s.props.Z2, 353.556, 1e-9);
  EXPECT_NEAR(s.props.Z1, 458.31075, 1e-9);
  EXPECT_NEAR(s.props.J, 23.397083333333327, 1e-12);
  EXPECT_NEAR(s.props.rt, sc.Compute("UNP20").props.rt, 1e-15);  // per channel, unchanged by doubling
  const Section noBlank = sc.Compute("2UNP20(d=12)");
  EXPECT_NEAR(noBlank.cs.d, 12, 1e-12);  // no blank before "(" is the same spacing (it was lost: 10.98)
}

TEST(DoubledChannel, BothArrangementsWithAWrittenSpacing) {
  ScratchCatalogue sc;
  const Section facing = sc.Compute("2UNP20  (d=12)");
  const Section backs = sc.Compute("2UNP20 ][ (d=12)");
  EXPECT_DOUBLE_EQ(facing.cs.d, 12);
  EXPECT_DOUBLE_EQ(backs.cs.d, 12);
  EXPECT_NEAR(facing.props.I2, 2614.4, 1e-9);  // 2·(148 + 32.2·36)
  EXPECT_NEAR(backs.props.I2, 2614.4, 1e-9);
  EXPECT_NEAR(facing.props.S2, 326.3920099875156, 1e-9);  // I2/(d/2 + e)
  EXPECT_NEAR(backs.props.S2, 227.53698868581375, 1e-9);  // I2/(d/2 + b − e)
  EXPECT_NEAR(facing.props.Width, 16.02, 1e-12);
  EXPECT_NEAR(backs.props.Width, 22.98, 1e-12);
  EXPECT_NEAR(sc.Compute("2UNP20 ][").cs.d, 4.02, 1e-12);  // 2e: the webs touch
  EXPECT_NEAR(sc.Compute("2UNP20 ][ +PL100*10").cs.d, 5.02, 1e-12);
}

}  // namespace
}  // namespace tavo
