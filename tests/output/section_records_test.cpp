#include "output/section_records.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// Properties of a made-up member, chosen so every record field is worked out by hand.
SectionProperties Props() {
  SectionProperties p;
  p.A = 53.81, p.A1 = 21.6, p.A2 = 24.0, p.J = 1234.5;
  p.I1 = 8356.1, p.I2 = 603.8, p.S1 = 557.1, p.S2 = 80.5, p.Z1 = 628.4, p.Z2 = 125.2;
  p.r1 = 12.46, p.r2 = 3.3, p.Depth = 30, p.Width = 15;
  return p;
}

UnitSystem KgCm() { return UnitFactors("UNITS=[kg]-[cm]"); }
UnitSystem TonM() { return UnitFactors("UNITS=[ton]-[m]"); }

// Both layouts in both unit systems are held by the golden records; the second SAP record
// carries no modulus.
TEST(SapRecord, ModulusOnlyAfterTheFirstElement) {
  EXPECT_EQ(SapRecord(Props(), 2, "2   IPE30", KgCm()),
            "c   2   IPE30\r\n"
            "  2 A=    54 AS=   22,   24 J=12e2   I=8356e0  ,6038e-1  T=30,15\r\n");
}

TEST(SectionRecords, HalfSquareCentimetreAndSmallRadius) {
  SectionProperties p = Props();
  p.A = 0.5, p.A1 = 0.25, p.A2 = 0.125, p.r1 = 0.8, p.r2 = 0.45;
  const std::string etabs = EtabsRecord(p, 3, "3 X", KgCm());
  EXPECT_EQ(etabs.substr(etabs.find("\r\n") + 2, 19), ".50000 .2500 .1250 ");
  EXPECT_NE(etabs.find(".800 .450\r\n"), std::string::npos);
  const std::string sap = SapRecord(p, 3, "3 X", KgCm());
  EXPECT_NE(sap.find("  3 A=.50000 AS=.2500,.1250"), std::string::npos);
  EXPECT_EQ(SectionRecord("etabs", p, 3, "3 X", KgCm()), etabs);
  EXPECT_EQ(SectionRecord("SAP", p, 3, "3 X", KgCm()), sap);
  EXPECT_EQ(SectionRecord("STAAD", p, 3, "3 X", KgCm()), sap);
}

CheckedMember Beam() {
  CheckedMember m;
  m.section.cs.family = "IPE";
  m.member.kind = MemberKind::Beam;
  m.member.id = 6;
  m.member.Lx = 450;
  m.results.cls = "C";
  m.results.Lc = 123.45;
  m.results.Fb = 1584.0;
  m.results.Mmax = 6.8;
  return m;
}

TEST(ListingBlock, BeamWithItsArrowBytes) {
  EXPECT_EQ(ListingBlock(Beam(), 6, "6   IPE27  L=450   ", MemberKind::Beam),
            "\r\nID = 6 \r\n   6   IPE27  L=450\r\n   Lc = 123.4 cm\r\n"
            "   Fb = 1584 kg/cm\xFD \xCD\x10 Mmax = 6.8 ton.m\r\n   This Section is Compact\r\n");
  CheckedMember m = Beam();
  m.results.Fb.reset();
  m.results.cls = "S";
  const std::string block = ListingBlock(m, 6, "6", MemberKind::Beam);
  EXPECT_NE(block.find("   Fb = not computed for this section\r\n"), std::string::npos);
  EXPECT_NE(block.find("   This Section is Non Compact\r\n"), std::string::npos);
}

TEST(ListingBlock, BracingAngleAndColumnWithoutLength) {
  CheckedMember m;
  m.section.cs.family = "L";
  m.member.kind = MemberKind::Bracing;
  m.member.Lx = 300;
  m.results.Lc = 50;  // never printed for a bracing
  m.results.Tmax = 12.3;
  m.results.lambda = 150;
  m.results.Fa = 466.67;
  m.results.Pmax = 5.2;
  EXPECT_EQ(ListingBlock(m, -4, "-4 L60", MemberKind::Bracing),
            "\r\nID =-4 \r\n   -4 L60\r\n   Tmax = 12.3 ton\r\n   Fa = 466 kg/cm\xFD \xCD\x10 Pmax = 5.2 ton\r\n");

  CheckedMember c;
  c.section.cs.family = "BOX";
  c.member.kind = MemberKind::Column;
  c.results.cls = "N";
  EXPECT_EQ(ListingBlock(c, 2, "2 BOX", MemberKind::Column),
            "\r\nID = 2 \r\n   2 BOX\r\n   This Section is Non Compact\r\n");
  c.member.Lx = 320;
  EXPECT_NE(ListingBlock(c, 2, "2 BOX", MemberKind::Column).find("   Fa = slenderness not computable"),
            std::string::npos);
}

TEST(ResultRow, DisplayUnitsToThreeDecimals) {
  const auto kg = ResultRow(Props(), 7, KgCm());
  EXPECT_EQ(kg[0], 7);
  EXPECT_DOUBLE_EQ(kg[1], 53.81);
  EXPECT_DOUBLE_EQ(kg[11], 12.46);
  const auto t = ResultRow(Props(), 7, TonM());
  EXPECT_DOUBLE_EQ(t[1], 0.005);    // 53.81 cm² = 0.005381 m²
  EXPECT_DOUBLE_EQ(t[7], 0.001);    // 557.1 cm³ = 0.0005571 m³
  EXPECT_DOUBLE_EQ(t[11], 0.125);   // 12.46 cm = 0.1246 m
  UnitSystem mm = UnitFactors("UNITS=[N]-[mm]");
  const auto m = ResultRow(Props(), 7, mm);
  EXPECT_DOUBLE_EQ(m[1], 5381);
  // 1234.5 cm4 is exactly 12345000 mm4 (single-precision factors made it 12344999.264).
  EXPECT_EQ(m[4], 12345000.0);
  // The run's precomputed factors give the same row.
  for (const auto& u : {KgCm(), TonM(), mm}) EXPECT_EQ(ResultRow(Props(), 7, DisplayFactorsOf(u)), ResultRow(Props(), 7, u));
}

}  // namespace
}  // namespace tavo
