#include "input/forces_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/language.h"
#include "support/test_support.h"

namespace tavo {
namespace {

// Conversions worked out here from the definitions: standard gravity and metres.
constexpr double kKgPerKn = 1000 / 9.80665;
constexpr double kKgCmPerKnM = 1000 / 9.80665 * 100;

UnitSystem KgCm() { return UnitSystem{}; }

UnitSystem Units(const char* force, const char* length) {
  UnitSystem u;
  u.forceName = force;
  u.lengthName = length;
  u.forceFactor = ForceFactorOf(force);
  u.lengthFactor = LengthFactorOf(length);
  return u;
}

// Every diagnostic's English half, joined, for matching.
std::string English(const Diagnostics& list) {
  std::string out;
  for (const auto& d : list) out += std::string(EnglishHalf(d.text)) + "\n";
  return out;
}

void ExpectBilingualErrors(const Diagnostics& list) {
  ASSERT_FALSE(list.empty());
  for (const auto& d : list) {
    EXPECT_EQ(d.severity, Severity::Error) << d.text;
    EXPECT_NE(d.text.find("||"), std::string::npos) << d.text;
    EXPECT_FALSE(PersianHalf(d.text).empty()) << d.text;
    EXPECT_NE(PersianHalf(d.text), EnglishHalf(d.text)) << d.text;
  }
}

TEST(ForcesFile, LayoutsAndSeparators) {
  // Comma, units in brackets in the header.
  {
    const auto t = ReadForcesText(
        "ID,Combo,P[kN],V2[kN],V3[kN],T[kN-m],M2[kN-m],M3[kN-m]\n"
        "1,COMB1,-120.5,10,2,0.5,3,45\n",
        KgCm());
    EXPECT_TRUE(t.found);
    EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
    ASSERT_EQ(t.byId.count(1), 1u);
    const Demand& d = t.byId.at(1).at(0);
    EXPECT_EQ(d.combination, "COMB1");
    EXPECT_DOUBLE_EQ(*d.P, -120.5 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*d.V2, 10 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*d.V3, 2 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*d.T, 0.5 * kKgCmPerKnM);
    EXPECT_DOUBLE_EQ(*d.M2, 3 * kKgCmPerKnM);
    EXPECT_DOUBLE_EQ(*d.M3, 45 * kKgCmPerKnM);
  }
  // Semicolon, units in parentheses, decimal commas, blanks in the names.
  {
    const auto t = ReadForcesText("Frame ; Output Case ; P (tonf) ; M3 (tonf-m)\n12;DL;-3,5;1,25\n", KgCm());
    EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
    const Demand& d = t.byId.at(12).at(0);
    EXPECT_EQ(d.combination, "DL");
    EXPECT_DOUBLE_EQ(*d.P, -3500);
    EXPECT_DOUBLE_EQ(*d.M3, 125000);
    EXPECT_FALSE(d.V2.has_value());  // no column: absent, not zero
  }
  // Tab, a title line and a row of units under the header; a column of no use is ignored.
  {
    const auto t = ReadForcesText(
        "TABLE:  Element Forces - Frames\r\n"
        "Frame\tStation\tOutputCase\tCaseType\tP\tM3\r\n"
        "Text\tm\tText\tText\tKN\tKN-m\r\n"
        "7\t0\tCOMB1\tCombination\t-50\t12\r\n",
        KgCm());
    EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
    const Demand& d = t.byId.at(7).at(0);
    EXPECT_DOUBLE_EQ(*d.P, -50 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*d.M3, 12 * kKgCmPerKnM);
    EXPECT_EQ(d.station, "0");
    EXPECT_EQ(t.ignoredColumns, std::vector<std::string>{"CaseType"});
  }
  // Quoted fields keep their separators and quotes; a byte-order mark is no part of the header.
  {
    const auto t = ReadForcesText(
        "\xEF\xBB\xBF"
        "Elem,\"Load Case\",P,\"Note\"\n3,\"ULS, \"\"1\"\"\",-2,\"a,b\"\n",
        KgCm());
    EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
    EXPECT_EQ(t.byId.at(3).at(0).combination, "ULS, \"1\"");
    EXPECT_DOUBLE_EQ(*t.byId.at(3).at(0).P, -2);
  }
}

TEST(ForcesFile, WhereTheUnitsComeFrom) {
  // A UNITS line like the input's.
  {
    const auto t = ReadForcesText("UNITS=[ton]-[m],,\nID,P,M3\n1,2,1.5\n", KgCm());
    EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].P, 2000);
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].M3, 150000);
  }
  // The header's unit wins over the UNITS line, column by column.
  {
    const auto t = ReadForcesText("UNITS=[ton]-[m]\nID,P[kN],M3\n1,2,1.5\n", KgCm());
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].P, 2 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].M3, 150000);
  }
  // Nothing said: the input's units.
  {
    const auto t = ReadForcesText("ID,P,M3\n1,2,1.5\n", Units("kN", "m"));
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].P, 2 * kKgPerKn);
    EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].M3, 1.5 * kKgCmPerKnM);
    const auto kg = ReadForcesText("ID,P,M3\n1,2,1.5\n", KgCm());
    EXPECT_DOUBLE_EQ(*kg.byId.at(1)[0].P, 2);
    EXPECT_DOUBLE_EQ(*kg.byId.at(1)[0].M3, 1.5);
  }
}

TEST(ForcesFile, ConversionsAreExact) {
  EXPECT_DOUBLE_EQ(ForcesFileForceRatio("kN").ToBase(1), 1000 / 9.80665);
  EXPECT_DOUBLE_EQ(ForcesFileForceRatio("n").ToBase(9.80665), 1.0);
  EXPECT_EQ(ForcesFileForceRatio("tonf").ToBase(2.5), 2500);
  EXPECT_EQ(ForcesFileForceRatio("KGF").ToBase(7), 7);
  EXPECT_DOUBLE_EQ(ForcesFileForceRatio("lb").ToBase(1), 0.45359237);
  EXPECT_DOUBLE_EQ(ForcesFileForceRatio("kips").ToBase(1), 453.59237);
  EXPECT_FALSE(ForcesFileForceRatio("furlong").Usable());
  // A moment in kN-mm is a thousandth of one in kN-m.
  const auto t = ReadForcesText("ID,M3[kN-mm],M2[kN.m]\n1,1000,1\n", KgCm());
  EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].M3, kKgCmPerKnM);
  EXPECT_DOUBLE_EQ(*t.byId.at(1)[0].M2, kKgCmPerKnM);
}

TEST(ForcesFile, SeveralRowsOfAnElementAreItsCombinations) {
  const auto t = ReadForcesText(
      "Frame,Station,OutputCase,P\n"
      "4,0,COMB1,-1\n"
      "5,0,COMB1,-9\n"
      "4,3.5,COMB1,-2\n"
      "4,0,COMB2,-3\n"
      "4,,,-4\n",
      KgCm());
  EXPECT_TRUE(t.diagnostics.empty()) << English(t.diagnostics);
  const auto& rows = t.byId.at(4);
  ASSERT_EQ(rows.size(), 4u);
  // In file order; a case read at several stations names each, one read once keeps its name.
  EXPECT_EQ(rows[0].combination, "COMB1 @ 0");
  EXPECT_EQ(rows[1].combination, "COMB1 @ 3.5");
  EXPECT_EQ(rows[2].combination, "COMB2");
  EXPECT_EQ(rows[3].combination, "row 6");
  EXPECT_DOUBLE_EQ(*rows[1].P, -2);
  EXPECT_EQ(t.byId.at(5).at(0).combination, "COMB1");
}

TEST(ForcesFile, BadRowsAreSkippedAndTheirElementIsTold) {
  const auto t = ReadForcesText(
      "ID,Combo,P,M3\n"
      "1,A,-5,2\n"
      "1,B,abc,2\n"
      "2,A,1e999,0\n"
      "F12,A,1,1\n"
      ",A,1,1\n"
      "3,A,-1,\n",
      KgCm());
  ExpectBilingualErrors(t.diagnostics);
  const std::string all = English(t.diagnostics);
  EXPECT_NE(all.find("Line 3 of the forces file: P = \"abc\" is not a number"), std::string::npos) << all;
  EXPECT_NE(all.find("Line 4 of the forces file: P = \"1e999\""), std::string::npos) << all;
  EXPECT_NE(all.find("Line 5 of the forces file: the element ID \"F12\""), std::string::npos) << all;
  EXPECT_NE(all.find("Line 6 of the forces file has no element ID"), std::string::npos) << all;
  // The good rows stay; the elements that lost a row carry an error.
  ASSERT_EQ(t.byId.at(1).size(), 1u);
  EXPECT_EQ(t.byId.at(1)[0].combination, "A");
  EXPECT_EQ(t.byId.count(2), 0u);
  EXPECT_DOUBLE_EQ(*t.byId.at(3)[0].P, -1);
  EXPECT_FALSE(t.byId.at(3)[0].M3.has_value());
  ASSERT_EQ(t.notesById.size(), 2u);
  ExpectBilingualErrors(t.notesById.at(1));
  EXPECT_NE(English(t.notesById.at(1)).find("Line 3"), std::string::npos);
  ExpectBilingualErrors(t.notesById.at(2));
}

TEST(ForcesFile, UnknownUnitsKeepTheirColumnsOut) {
  {
    const auto t = ReadForcesText("ID,P[furlong],M3[kN-m]\n1,5,\n2,,3\n", KgCm());
    ExpectBilingualErrors(t.diagnostics);
    EXPECT_NE(English(t.diagnostics).find("Unknown unit \"furlong\" for column P"), std::string::npos);
    // Element 1 gave a P that cannot be read; element 2 gave none.
    EXPECT_EQ(t.byId.count(1), 0u);
    EXPECT_TRUE(HasError(t.notesById.at(1)));
    EXPECT_DOUBLE_EQ(*t.byId.at(2)[0].M3, 3 * kKgCmPerKnM);
  }
  {
    const auto t = ReadForcesText("ID,P[kN-m],M3[kN]\n1,5,3\n", KgCm());
    const std::string all = English(t.diagnostics);
    EXPECT_NE(all.find("is a moment's, but P is a force"), std::string::npos) << all;
    EXPECT_NE(all.find("of column M3 of the forces file names no length"), std::string::npos) << all;
    EXPECT_TRUE(t.byId.empty());
  }
  {
    const auto t = ReadForcesText("UNITS=[parsec]-[m]\nID,P,M3[kN-m]\n1,5,\n2,,1\n", KgCm());
    EXPECT_NE(English(t.diagnostics).find("The units line \"UNITS=[parsec]-[m]\""), std::string::npos);
    EXPECT_EQ(t.byId.count(1), 0u);
    EXPECT_EQ(t.byId.count(2), 1u);  // its own unit in the header
  }
}

TEST(ForcesFile, FilesThatAreNoTable) {
  auto expectNothing = [](const ForcesTable& t, const char* english) {
    EXPECT_TRUE(t.found);
    EXPECT_TRUE(t.byId.empty());
    ExpectBilingualErrors(t.diagnostics);
    EXPECT_NE(English(t.diagnostics).find(english), std::string::npos) << English(t.diagnostics);
  };
  expectNothing(ReadForcesText("", KgCm()), "is empty");
  expectNothing(ReadForcesText(" \r\n\t\n", KgCm()), "is empty");
  expectNothing(ReadForcesText(std::string("ID,P\n1,2\0\x01", 9), KgCm()), "not a text table");
  expectNothing(ReadForcesText("\xFF\xFEI\0D\0", KgCm()), "not a text table");
  expectNothing(ReadForcesText("Name,Combo,P\n1,A,2\n", KgCm()), "no element ID column");
  expectNothing(ReadForcesText("ID,Combo,Axial\n1,A,2\n", KgCm()), "names none of the forces");
  expectNothing(ReadForcesText("ID,P," + std::string(70000, 'x') + "\n1,2\n", KgCm()), "header line");
}

TEST(ForcesFile, AnOverlongRowIsSkippedAndItsElementTold) {
  const std::string text = "ID,P\n5," + std::string(70000, '1') + "\n6,-3\n";
  const auto t = ReadForcesText(text, KgCm());
  EXPECT_NE(English(t.diagnostics).find("Line 2 of the forces file is longer than 64 KiB"), std::string::npos);
  EXPECT_EQ(t.byId.count(5), 0u);
  EXPECT_TRUE(HasError(t.notesById.at(5)));
  EXPECT_DOUBLE_EQ(*t.byId.at(6)[0].P, -3);
}

TEST(ForcesFile, ProblemsOfAHugeFileAreCounted) {
  std::string text = "ID,P\n";
  for (int i = 0; i < 200; ++i) text += "1,x\n";
  const auto t = ReadForcesText(text, KgCm());
  // Listed up to a bound, the rest counted; the element's own list stays short too.
  EXPECT_LT(t.diagnostics.size(), 100u);
  EXPECT_NE(English(t.diagnostics).find("further problems of the forces file are not listed"), std::string::npos);
  EXPECT_LT(t.notesById.at(1).size(), 10u);
}

TEST(ForcesFile, OnDisk) {
  test::ScratchDir dir;
  EXPECT_EQ(ForcesFileFor(dir.path() / "frame.Ardekon"), dir.path() / "frame.forces.csv");
  // No file: strengths only, nothing to say.
  const auto none = ReadForcesFile(dir.path() / "missing.forces.csv", KgCm());
  EXPECT_FALSE(none.found);
  EXPECT_TRUE(none.diagnostics.empty());
  // A folder where the file should be cannot be opened.
  std::filesystem::create_directories(dir.path() / "odd.forces.csv");
  const auto folder = ReadForcesFile(dir.path() / "odd.forces.csv", KgCm());
  EXPECT_TRUE(folder.found);
  ExpectBilingualErrors(folder.diagnostics);
  EXPECT_NE(English(folder.diagnostics).find("could not be opened"), std::string::npos);
  // A file is read like its text.
  const auto file = dir.Write("frame.forces.csv", "ID,P[kN]\r\n9,-1\r\n");
  const auto t = ReadForcesFile(file, KgCm());
  EXPECT_TRUE(t.found);
  EXPECT_DOUBLE_EQ(*t.byId.at(9)[0].P, -kKgPerKn);
}

}  // namespace
}  // namespace tavo
