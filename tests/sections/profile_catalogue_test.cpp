#include "sections/profile_catalogue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "families/family_table.h"
#include "section_test_support.h"

namespace tavo {
namespace {

using test::ScratchDir;

TEST(ParseCatalogueText, ListInputIgnoresLineStructure) {
  // Two records spread over lines, blanks, tabs and commas in any mix.
  const auto f = ParseCatalogueText("L", "2\r\n6, 0.6,6.91 1.69\t22.8\n36.2, 9.38 7 0.7\n9.4, 1.97, 42.3, 67.19, 17.4", "x");
  ASSERT_TRUE(f.loaded) << f.problem;
  ASSERT_EQ(f.records.size(), 2u);
  EXPECT_EQ(f.records[0], (CatalogueRecord{6, 0.6, 6.91, 1.69, 22.8, 36.2, 9.38}));
  EXPECT_EQ(f.records[1], (CatalogueRecord{7, 0.7, 9.4, 1.97, 42.3, 67.19, 17.4}));
  EXPECT_TRUE(f.problem.empty());
}

TEST(ParseCatalogueText, ReadsOnlyTheAnnouncedRecordsAndAcceptsAByteOrderMark) {
  const auto f = ParseCatalogueText("UNP", "\xEF\xBB\xBF" "1\n20, 7.5, 0.85, 1.15, 32.2, 1910, 148, 2.01\nwhatever follows", "x");
  ASSERT_TRUE(f.loaded) << f.problem;
  EXPECT_EQ(f.records.size(), 1u);
  const auto none = ParseCatalogueText("IPE", "0\n", "x");
  EXPECT_TRUE(none.loaded);  // a count of 0 is a valid, empty family
  EXPECT_TRUE(none.records.empty());
}

TEST(ParseCatalogueText, BrokenFilesAreNotLoadedAndSayWhyNamingTheFile) {
  struct Case {
    const char* text;
    const char* fragment;
  };
  const Case cases[] = {
      {"", "is empty"},
      {"  \n\n", "is empty"},
      {"2\n6, 0.6, 6.91, 1.69, 22.8, 36.2, 9.38\n", "is short"},  // one of two records
      {"1\n6, 0.6, 6.91, 1.69, 22.8, 36.2\n", "is short"},        // a record cut off
      {"1\n6, 0.6, abc, 1.69, 22.8, 36.2, 9.38\n", "item 4 (\"abc\") is not a number"},
      {"1\n6, 0.6, nan, 1.69, 22.8, 36.2, 9.38\n", "is not a number"},
      {"1\n6, 0.6, inf, 1.69, 22.8, 36.2, 9.38\n", "is not a number"},
      {"1\n6, 0.6,, 1.69, 22.8, 36.2, 9.38\n", "empty item"},
      {"-1\n", "record count"},
      {"2.5\n", "record count"},
      {"99999\n", "record count"},
      {"\x7f" "ELF\x01\x02\x00\x00", "is not a number"},
  };
  for (const auto& c : cases) {
    const auto f = ParseCatalogueText("L", std::string_view(c.text, std::char_traits<char>::length(c.text)),
                                      "/some/cte/stahl.L");
    EXPECT_FALSE(f.loaded) << c.text;
    EXPECT_TRUE(f.records.empty()) << c.text;
    EXPECT_NE(f.problem.find(c.fragment), std::string::npos) << f.problem;
    EXPECT_NE(f.problem.find("/some/cte/stahl.L"), std::string::npos) << f.problem;
    const auto sep = f.problem.find("||");
    ASSERT_NE(sep, std::string::npos) << "bilingual: " << f.problem;
    EXPECT_NE(f.problem.find("/some/cte/stahl.L", sep), std::string::npos) << "the Persian half names the file too";
  }
}

TEST(ProfileCatalogue, MissingFileAndUnknownCodeGiveAnUnloadedFamily) {
  ScratchDir dir;
  const ProfileCatalogue cat(dir.str());
  const auto& ipe = cat.Family("IPE");
  EXPECT_FALSE(ipe.loaded);
  EXPECT_NE(ipe.problem.find("not found"), std::string::npos);
  EXPECT_NE(ipe.problem.find("stahl.IPE"), std::string::npos);
  EXPECT_FALSE(cat.Family("XYZ").loaded);
  EXPECT_EQ(ProfileCatalogue::ItemsPerRecord("XYZ"), 0);
  EXPECT_EQ(ProfileCatalogue::ItemsPerRecord("L"), 7);
  EXPECT_EQ(ProfileCatalogue::ItemsPerRecord("UNP"), 8);
  EXPECT_EQ(ProfileCatalogue::ItemsPerRecord("HPB"), 9);
  EXPECT_EQ(ProfileCatalogue::ItemsPerRecord("CNP"), 10);
}

TEST(ProfileCatalogue, LoadsEachFileOnceEvenFromManyThreads) {
  ScratchDir dir;
  dir.Write("stahl.IPE", "1\n20, 10, 0.56, 0.85, 1.2, 28.48, 1943, 142.4, 110.3\n");
  const ProfileCatalogue cat(dir.path().string());  // no trailing separator
  std::vector<const CatalogueFamily*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < seen.size(); ++i) threads.emplace_back([&, i] { seen[i] = &cat.Family("IPE"); });
  for (auto& t : threads) t.join();
  for (const auto* f : seen) EXPECT_EQ(f, seen[0]);
  ASSERT_TRUE(seen[0]->loaded);
  // Kept in memory: removing the file changes nothing for this catalogue.
  std::filesystem::remove(dir.path() / "stahl.IPE");
  EXPECT_EQ(cat.Family("IPE").records.size(), 1u);
}

TEST(ProfileCatalogue, FirstReportIsTrueOncePerFamily) {
  ScratchDir dir;
  const ProfileCatalogue cat(dir.str());
  EXPECT_TRUE(cat.FirstReport("IPE"));
  EXPECT_FALSE(cat.FirstReport("IPE"));
  EXPECT_TRUE(cat.FirstReport("UNP"));
}

TEST(RecordSelection, KeysFollowTheSizeRules) {
  EXPECT_DOUBLE_EQ(SelectionKey(200, 8), 20);   // IPE200
  EXPECT_DOUBLE_EQ(SelectionKey(20, 8), 20);    // IPE20: 2 is below 8, the size itself
  EXPECT_DOUBLE_EQ(SelectionKey(19, 8), 19);
  EXPECT_DOUBLE_EQ(SelectionKey(190, 8), 19);
  EXPECT_DOUBLE_EQ(SelectionKey(80, 8), 8);     // 8 is not below 8
  EXPECT_DOUBLE_EQ(SelectionKey(40, 4), 4);     // UNP40
  EXPECT_DOUBLE_EQ(SelectionKey(35, 4), 35);    // UNP35
  EXPECT_DOUBLE_EQ(SelectionKey(25, 3), 25);    // L25
  EXPECT_DOUBLE_EQ(SelectionKey(30, 3), 3);     // L30
  EXPECT_DOUBLE_EQ(SelectionKey(2.5, 3), 2.5);  // as written (it was cut to 2, the 2 cm leg)
}

TEST(RecordSelection, ExactForEveryFamily) {
  test::ScratchCatalogue sc;
  const auto& L = sc.catalogue().Family("L");
  EXPECT_EQ(FindRecord(L, 6), 2);
  EXPECT_EQ(FindRecord(L, 6.5), -1);  // no leg of 6.5 in this catalogue
  EXPECT_EQ(FindRecord(L, 25), 3);
  const auto& ipe = sc.catalogue().Family("IPE");
  EXPECT_EQ(FindRecord(ipe, 19), -1);  // no 19 cm IPE: the 20 cm one is another profile
  EXPECT_EQ(FindRecord(ipe, 20.0000000001), 1);
  EXPECT_EQ(FindRecord(ipe, 31), -1);
  EXPECT_EQ(FindRecord(ipe, 0.1 * 3 * 100), 2);  // 30.000000000000004 still finds h = 30
}

TEST(StepCatalogue, MovesToTheNeighbouringRecordKeepingTheRest) {
  test::ScratchCatalogue sc;
  const auto& cat = sc.catalogue();
  auto s = StepCatalogue(cat, StandardFamilies(), "+", "2ipe20+2PL200*10  (d=15)");
  ASSERT_TRUE(s.ok) << s.problem;
  EXPECT_EQ(s.designation, "2IPE300+2PL200*10  (D=15)");
  EXPECT_DOUBLE_EQ(s.size, 30);
  EXPECT_EQ(s.index, 2);
  s = StepCatalogue(cat, StandardFamilies(), "-", "IPE19");  // between records: the nearest one below
  EXPECT_EQ(s.designation, "IPE80");
  s = StepCatalogue(cat, StandardFamilies(), "+", "IPE300");
  EXPECT_TRUE(s.atLimit);
  EXPECT_EQ(s.designation, "IPE300");
  s = StepCatalogue(cat, StandardFamilies(), "-", "IPE80");
  EXPECT_TRUE(s.atLimit);
}

TEST(StepCatalogue, WritesSizesThatSelectTheRecordBack) {
  test::ScratchCatalogue sc;
  const auto& cat = sc.catalogue();
  // The 2 cm leg must be written "L2": "L20" would be read as 20 cm.
  auto s = StepCatalogue(cat, StandardFamilies(), "-", "2L30 <>");
  EXPECT_EQ(s.designation, "2L2 <>");
  s = StepCatalogue(cat, StandardFamilies(), "+", "L60");
  EXPECT_EQ(s.designation, "L250");  // the 25 cm leg
  EXPECT_EQ(StepCatalogue(cat, StandardFamilies(), "+", "UNP20").designation, "UNP350");
  EXPECT_EQ(StepCatalogue(cat, StandardFamilies(), "-", "UNP20").designation, "UNP40");  // 4 cm: 40/10 is not below 4
  // A size between records moves to the nearest one in the direction asked.
  EXPECT_EQ(StepCatalogue(cat, StandardFamilies(), "+", "L45").designation, "L60");
  EXPECT_EQ(StepCatalogue(cat, StandardFamilies(), "-", "L45").designation, "L30");
  for (const char* d : {"2L2 <>", "L250", "UNP350", "UNP40", "IPE80", "IPE300"}) {
    const Section sec = sc.Compute(d);
    EXPECT_TRUE(sec.problem.empty()) << d << ": " << sec.problem;
  }
}

TEST(StepCatalogue, ReportsTheSliderRangeAndRefusesWhatItCannotStep) {
  test::ScratchCatalogue sc;
  auto s = StepCatalogue(sc.catalogue(), StandardFamilies(), "set min max for slider", "IPE200");
  ASSERT_TRUE(s.ok);
  EXPECT_DOUBLE_EQ(s.first, 8);
  EXPECT_DOUBLE_EQ(s.last, 30);
  EXPECT_EQ(s.count, 3);
  EXPECT_DOUBLE_EQ(s.size, 20);
  EXPECT_EQ(s.designation, "IPE200");
  EXPECT_FALSE(StepCatalogue(sc.catalogue(), StandardFamilies(), "+", "PG 600*8*250*15").ok);
  EXPECT_FALSE(StepCatalogue(sc.catalogue(), StandardFamilies(), "*", "IPE200").ok);
  const auto missing = StepCatalogue(sc.catalogue(), StandardFamilies(), "+", "INP200");  // no stahl.INP in the scratch tree
  EXPECT_FALSE(missing.ok);
  EXPECT_NE(missing.problem.find("stahl.INP"), std::string::npos);
}

}  // namespace
}  // namespace tavo
