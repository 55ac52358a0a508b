// Castellated beams: both sections held to the exact rectangle integrator, and the shipped
// records to the closed form of their parents.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>
#include <tuple>

#include "section_test_support.h"
#include "families/family_table.h"
#include "sections/section_assembly.h"

namespace tavo {
namespace {

using test::Integrate;
using test::Rect;
using test::ScratchCatalogue;

// A castellated parent whose record is exactly its three plates (no root fillets), so that
// both sections of the castellated beam can be held to the rectangle integrator as they are.
class PlateOnlyParent {
 public:
  static constexpr double h = 30, b = 15, tw = 0.71, tf = 1.07;
  PlateOnlyParent() {
    const auto parent = Integrate({{-b / 2, -h / 2, b, tf}, {-tw / 2, -h / 2 + tf, tw, h - 2 * tf}, {-b / 2, h / 2 - tf, b, tf}});
    std::ostringstream record;
    record << std::setprecision(17) << "1\n" << h << ", " << b << ", " << tw << ", " << tf << ", 0, " << parent.A << ", "
           << parent.Ix << ", " << parent.Iy << ", 45, 30\n";
    dir_.Write("cte/stahl.CPE", record.str());
    catalogue_ = std::make_unique<ProfileCatalogue>(dir_.str() + "cte");
  }
  Section Compute(const std::string& designation) const {
    SectionInput in;
    in.catalogue = catalogue_.get();
    in.families = tavo::StandardFamilies();
    in.dataUnits = UnitFactors("UNITS=[kg]-[cm]");
    return ComputeSection(designation, in);
  }

 private:
  test::ScratchDir dir_;
  std::unique_ptr<ProfileCatalogue> catalogue_;
};

// The castellated beam of depth 45 with its flanges at ±22.5: at a web post the web runs
// through, at an opening (h = 30 high) only the two stubs of 6.43 beside the flanges remain.
std::vector<Rect> WebPost(double cover = 0) {
  std::vector<Rect> r = {{-7.5, 21.43, 15, 1.07}, {-7.5, -22.5, 15, 1.07}, {-0.355, -21.43, 0.71, 42.86}};
  if (cover > 0) r.insert(r.end(), {{-10, 22.5, 20, cover}, {-10, -22.5 - cover, 20, cover}});
  return r;
}
std::vector<Rect> Opening(double cover = 0) {
  std::vector<Rect> r = {{-7.5, 21.43, 15, 1.07}, {-7.5, -22.5, 15, 1.07}, {-0.355, 15, 0.71, 6.43},
                         {-0.355, -21.43, 0.71, 6.43}};
  if (cover > 0) r.insert(r.end(), {{-10, 22.5, 20, cover}, {-10, -22.5 - cover, 20, cover}});
  return r;
}

TEST(Castellated, WebPostAndOpeningHeldToTheIntegrator) {
  const PlateOnlyParent parent;
  const Section s = parent.Compute("CPE30");
  ASSERT_TRUE(s.usable) << s.problem;
  EXPECT_EQ(s.cs.catalogueName, "CPE300");
  EXPECT_DOUBLE_EQ(s.cs.h, 45);
  const auto post = Integrate(WebPost());
  const auto opening = Integrate(Opening());
  EXPECT_NEAR(s.props.A, post.A, 1e-9);
  EXPECT_NEAR(s.props.I1, post.Ix, 1e-7);
  EXPECT_NEAR(s.props.I2, post.Iy, 1e-9);
  EXPECT_NEAR(s.props.S1, post.Ix / test::ExtremeY(WebPost()), 1e-8);
  EXPECT_NEAR(s.props.Anet, opening.A, 1e-9);
  EXPECT_NEAR(s.props.I1net, opening.Ix, 1e-7);
  EXPECT_NEAR(s.props.S1net, opening.Ix / test::ExtremeY(Opening()), 1e-8);
  // The parent's own I over the castellated depth, 8356/22.5 = 371, is less than half of it.
  EXPECT_GT(s.props.S1net, 2 * 8356 / 22.5);
  // Sx: the first moment of the tee above an opening about the beam's axis.
  const auto tee = Integrate({{-7.5, 21.43, 15, 1.07}, {-0.355, 15, 0.71, 6.43}});
  EXPECT_NEAR(s.cs.Sx, tee.A * tee.cy, 1e-9);
  EXPECT_NEAR(s.props.Depth, 45, 1e-12);
  EXPECT_DOUBLE_EQ(s.props.rt, 0);

  // Cover plates lie on the castellated flanges, in both sections alike.
  const Section plated = parent.Compute("CPE30+2PL200*10");
  EXPECT_NEAR(plated.props.I1, Integrate(WebPost(1)).Ix, 1e-7);
  EXPECT_NEAR(plated.props.I1net, Integrate(Opening(1)).Ix, 1e-7);
  EXPECT_NEAR(plated.props.Anet, Integrate(Opening(1)).A, 1e-9);
  EXPECT_NEAR(plated.props.S1net, Integrate(Opening(1)).Ix / 23.5, 1e-8);
  // The "X" spelling is the same plate.
  EXPECT_NEAR(parent.Compute("CPE30X2PL200X10").props.I1, plated.props.I1, 1e-9);

  // Two side by side: twice each section; the weak axis by the parallel-axis rule at d = b.
  const Section two = parent.Compute("2CPE30");
  EXPECT_EQ(two.cs.family, "2CPE");
  EXPECT_NEAR(two.props.I1net, 2 * opening.Ix, 1e-7);
  EXPECT_NEAR(two.props.Anet, 2 * opening.A, 1e-9);
  EXPECT_NEAR(two.props.I2, 2 * (post.Iy + post.A * 15 * 15 / 4), 1e-8);
  EXPECT_NEAR(two.cs.Sx, 2 * tee.A * tee.cy, 1e-9);
}

TEST(Castellated, RootFilletsOfTheShippedRecordsKept) {
  // Each half of the parent moves out by h/4 and a web post h/2 high joins them, so the web-post
  // I is Ix + h·Sx + A·h²/16 + tw·h³/96 with Sx the published first moment of the parent's
  // half (Wpl/2, the ninth item of the I files); the opening takes away tw·h³/12. The castellated
  // records carry no Sx: it is worked out from the parent's plates, A and Ix. Rolled flanges
  // agree to 0.03 %; the sloping flanges of INP only to 0.3 %.
  const ProfileCatalogue catalogue(std::string(TAVO_SOURCE_DIR) + "/data/cte");
  for (const auto& [code, parentCode, tolerance] :
       {std::tuple{"CPE", "IPE", 3e-4}, std::tuple{"CPB", "IPB", 3e-4}, std::tuple{"CNP", "INP", 3e-3}}) {
    const auto& parents = catalogue.Family(parentCode).records;
    ASSERT_FALSE(parents.empty()) << parentCode;
    for (const auto& r : parents) {
      const double h = r[0], tw = r[2], A = r[5], Ix = r[6], Sx = r[8];
      CurrentSection cs;
      cs.family = code;
      cs.h = h, cs.b = r[1], cs.tw = tw, cs.tf = r[3];
      SectionProperties p;
      p.A = A, p.I1 = Ix, p.I2 = r[7];
      SectionNotes notes;
      const WrittenDesignation written = ReadDesignation(code, StandardFamilies(), notes);
      AssembleCastellated(written, AssemblyOptions{}, cs, p, notes);
      const double post = Ix + h * Sx + A * h * h / 16 + tw * h * h * h / 96;
      const double net = post - tw * h * h * h / 12;
      EXPECT_NEAR(p.I1, post, tolerance * post) << code << " " << h;
      EXPECT_NEAR(p.I1net, net, tolerance * net) << code << " " << h;
      EXPECT_NEAR(p.A, A + tw * h / 2, 1e-9) << code << " " << h;
      EXPECT_NEAR(p.Anet, A - tw * h / 2, 1e-9) << code << " " << h;
      EXPECT_TRUE(notes.empty()) << code << " " << h;
    }
  }
}

}  // namespace
}  // namespace tavo
