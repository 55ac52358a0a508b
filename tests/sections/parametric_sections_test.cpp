// The welded families against an exact integration over their plates, for many random
// dimensions written with every separator and blank an engineer uses.
#include "sections/parametric_sections.h"

#include <gtest/gtest.h>

#include <cmath>

#include "section_test_support.h"

namespace tavo {
namespace {

using test::Integrate;
using test::PlasticModulusX;
using test::PlasticModulusY;
using test::Rect;
using test::ScratchCatalogue;

using test::ExpectRel;

class RandomDimensions : public test::RandomSpelling {
 protected:
  RandomDimensions() : RandomSpelling(20240611) {}
  // Millimetre values as a designation writes them (whole or one decimal).
  double Mm(double lo, double hi) { return std::round(Uniform(lo, hi) * 10) / 10; }
};

TEST_F(RandomDimensions, PlateGirderMatchesItsThreePlates) {
  ScratchCatalogue sc;
  int webPlastic = 0;
  for (int i = 0; i < 2000; ++i) {
    const double hw = Mm(50, 2000), tw = Mm(3, 40), bf1 = Mm(50, 800), tf1 = Mm(3, 60), bf2 = Mm(50, 800),
                 tf2 = Mm(3, 60);
    const std::string d = Written("PG", {hw, tw, bf1, tf1, bf2, tf2});
    const Section s = sc.Compute(d);
    ASSERT_FALSE(HasError(s.diagnostics)) << d << ": " << s.problem;
    const double H = hw / 10, T = tw / 10, B1 = bf1 / 10, T1 = tf1 / 10, B2 = bf2 / 10, T2 = tf2 / 10;
    // Flange 1 on top of the web, flange 2 below, all centred on x = 0.
    const std::vector<Rect> plates = {{-B1 / 2, T2 + H, B1, T1}, {-T / 2, T2, T, H}, {-B2 / 2, 0, B2, T2}};
    const auto ref = Integrate(plates);
    ExpectRel(s.props.A, ref.A, "A");
    ExpectRel(s.props.I1, ref.Ix, "I1");
    ExpectRel(s.props.I2, ref.Iy, "I2");
    ExpectRel(s.props.Depth, H + T1 + T2, "Depth");
    ExpectRel(s.props.S1, ref.Ix / std::max(ref.cy, H + T1 + T2 - ref.cy), "S1");
    ExpectRel(s.props.S2, ref.Iy / (std::max(B1, B2) / 2), "S2");
    ExpectRel(s.props.r1, std::sqrt(ref.Ix / ref.A), "r1");
    ExpectRel(s.props.Z2, PlasticModulusY(plates), "Z2");
    // Z1 assumes the plastic axis in the web; where it lies there the formula is exact.
    const double areaBelowWeb = B2 * T2, areaAboveWeb = B1 * T1;
    if (std::fabs(areaAboveWeb - areaBelowWeb) < H * T) {
      EXPECT_NEAR(s.props.Z1, PlasticModulusX(plates), 1e-7 * PlasticModulusX(plates));
      ++webPlastic;
    }
  }
  EXPECT_GT(webPlastic, 500);
}

TEST_F(RandomDimensions, BoxMatchesItsFourPlates) {
  ScratchCatalogue sc;
  for (int i = 0; i < 2000; ++i) {
    const double hw = Mm(50, 2000), tw = Mm(3, 40), bf = Mm(60, 1000), tf = Mm(3, 60);
    // Centre distance of the webs, cm: from touching to just short of clearing the flanges.
    const double D = Uniform(tw / 10, 0.999 * (bf + tw) / 10);
    const std::string d = i % 2 ? " (D=" + std::to_string(D) + ")" : "";
    const Section s = sc.Compute(Written("BOX", {hw, tw, bf, tf}) + d);
    ASSERT_TRUE(s.usable);
    const double H = hw / 10, T = tw / 10, B = bf / 10, TF = tf / 10;
    const double dw = i % 2 ? std::stod(std::to_string(D)) : B - T;
    const std::vector<Rect> plates = {{-B / 2, H / 2, B, TF},
                                      {-B / 2, -H / 2 - TF, B, TF},
                                      {-dw / 2 - T / 2, -H / 2, T, H},
                                      {dw / 2 - T / 2, -H / 2, T, H}};
    const auto ref = Integrate(plates);
    ExpectRel(s.cs.d, dw, "d");
    ExpectRel(s.props.A, ref.A, "A");
    ExpectRel(s.props.I1, ref.Ix, "I1");
    ExpectRel(s.props.I2, ref.Iy, "I2");
    ExpectRel(s.props.S1, ref.Ix / (H / 2 + TF), "S1");
    // Webs set wider than the flanges are the extreme fibres of the weak axis.
    ExpectRel(s.props.S2, ref.Iy / test::ExtremeX(plates), "S2");
    ExpectRel(s.props.Width, 2 * test::ExtremeX(plates), "Width");
    ExpectRel(s.props.Z1, PlasticModulusX(plates), "Z1");
    if (dw >= T) {  // webs clear of the axis
      EXPECT_NEAR(s.props.Z2, PlasticModulusY(plates), 1e-7 * s.props.Z2);
    }
  }
}

TEST_F(RandomDimensions, CrossMatchesItsPlatesWithTheWebCrossingCountedTwice) {
  ScratchCatalogue sc;
  for (int i = 0; i < 2000; ++i) {
    const double h1 = Mm(50, 1500), h2 = Mm(50, 1500), tw = Mm(3, 40), bf1 = Mm(50, 600), tf1 = Mm(3, 50),
                 bf2 = Mm(50, 600), tf2 = Mm(3, 50);
    const std::string d = Written("CROSS", {h1, h2, tw, bf1, tf1, bf2, tf2});
    const Section s = sc.Compute(d);
    ASSERT_FALSE(HasError(s.diagnostics)) << d << ": " << s.problem;
    const double H1 = h1 / 10, H2 = h2 / 10, T = tw / 10, B1 = bf1 / 10, T1 = tf1 / 10, B2 = bf2 / 10, T2 = tf2 / 10;
    const std::vector<Rect> plates = {
        {-T / 2, -H1 / 2, T, H1},         {-B1 / 2, H1 / 2, B1, T1},  {-B1 / 2, -H1 / 2 - T1, B1, T1},  // web 1
        {-H2 / 2, -T / 2, H2, T},         {H2 / 2, -B2 / 2, T2, B2},  {-H2 / 2 - T2, -B2 / 2, T2, B2},  // web 2
    };
    const auto ref = Integrate(plates);
    ExpectRel(s.props.A, ref.A, "A");
    ExpectRel(s.props.I1, ref.Ix, "I1");
    ExpectRel(s.props.I2, ref.Iy, "I2");
    // A flange of one web may reach beyond the other web's flanges.
    ExpectRel(s.props.S1, ref.Ix / test::ExtremeY(plates), "S1");
    ExpectRel(s.props.S2, ref.Iy / test::ExtremeX(plates), "S2");
    ExpectRel(s.props.Z1, PlasticModulusX(plates), "Z1");
    ExpectRel(s.props.Z2, PlasticModulusY(plates), "Z2");
  }
}

TEST_F(RandomDimensions, TubeIsTheAnnulusWithPiAsTheFormulasWriteIt) {
  ScratchCatalogue sc;
  for (int i = 0; i < 2000; ++i) {
    const double D = Mm(20, 2000), t = Mm(1, D / 2);
    const Section s = sc.Compute(Written("TUBE", {D, t}));
    ASSERT_TRUE(s.usable);
    const double R = D / 20, r = R - t / 10;
    // ∫∫ dA and ∫∫ y² dA over the ring in polar form: π(R² − r²) and π(R⁴ − r⁴)/4.
    ExpectRel(s.props.A, kPi * (R * R - r * r), "A");
    ExpectRel(s.props.I1, kPi * (R * R * R * R - r * r * r * r) / 4, "I1");
    ExpectRel(s.props.I2, s.props.I1, "I2");
    ExpectRel(s.props.S1, s.props.I1 / R, "S1");
    // Z uses 0.424 for 4/(3π); the exact (D³ − di³)/6 differs by under 0.1 %.
    const double exactZ = (8 * R * R * R - 8 * r * r * r) / 6;
    EXPECT_NEAR(s.props.Z1, exactZ, 1e-3 * exactZ);
    // No compression flange: neither rt nor Af is defined, and neither carries a stand-in value.
    EXPECT_DOUBLE_EQ(s.props.rt, 0);
    EXPECT_DOUBLE_EQ(s.props.Af, 0);
  }
}

TEST(Box, WebsOutsideTheFlangesWidenTheSection) {
  // BOX 300*10*250*15 with the webs 30 apart: their outer faces at ±15.5 stand beyond the
  // flange edges at ±12.5. I2 = 2·(1.5·25³/12 + 30·1³/12 + 30·1·15²) = 17411.25; S2 = I2/15.5.
  // The designation reader refuses such a box; the property formulas still describe it.
  ScratchCatalogue sc;
  EXPECT_TRUE(HasError(sc.Compute("BOX 300*10*250*15 (D=30)").diagnostics));
  CurrentSection cs;
  cs.h = cs.hw = 30, cs.tw = 1, cs.b = 25, cs.tf = 1.5, cs.d = 30;
  Section s;
  s.cs = cs;
  SectionNotes notes;
  BoxProperties(s.cs, s.props, notes);
  EXPECT_NEAR(s.props.I2, 17411.25, 1e-9);
  EXPECT_NEAR(s.props.Width, 31, 1e-12);
  EXPECT_NEAR(s.props.S2, 17411.25 / 15.5, 1e-9);
}

}  // namespace
}  // namespace tavo
