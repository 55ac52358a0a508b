#include "sections/designation_parts.h"

#include <gtest/gtest.h>

#include <random>

#include "core/text_util.h"
#include "core/units.h"
#include "families/family_table.h"

namespace tavo {
namespace {

TEST(MmText, WritesTheShortestTextOfTheMillimetreValue) {
  EXPECT_EQ(MmText(20), "200");
  EXPECT_EQ(MmText(0.8), "8");
  EXPECT_EQ(MmText(0.71), "7.1");
  EXPECT_EQ(MmText(0.3), "3");  // 10·0.3 is 3.0000000000000004 before rounding
  EXPECT_EQ(MmText(20.3), "203");
  EXPECT_EQ(MmText(0.025), "0.25");
  EXPECT_EQ(MmText(0), "0");
  // The fast path agrees with the shared number-to-text rule everywhere.
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    const double cm = std::uniform_real_distribution<double>(0, 500)(rng);
    const double rounded = std::round(cm * 1000) / 1000;
    for (const double v : {cm, rounded}) ASSERT_EQ(MmText(v), ShortestText(RoundTo(10 * v, 6))) << v;
  }
}

// The English halves of the notes, and their subjects, for the checks below.
std::string Said(const SectionNotes& notes) {
  std::string s;
  for (const Diagnostic& d : notes.Items()) s += d.text.substr(0, d.text.find("||")) + " [" + d.subject + "]\n";
  return s;
}

bool Quoted(const SectionNotes& notes, const std::string& subject) {
  for (const Diagnostic& d : notes.Items())
    if (d.subject == subject && d.severity == Severity::Error) return true;
  return false;
}

TEST(ReadDesignation, TakesEveryPartInAnyOrderWithBlanksAround) {
  SectionNotes notes;
  const WrittenDesignation w = ReadDesignation("2 IPE 30 + 2PL 200 X 10  (d = 20)+WPL200*8  DPL=25  L = 400", StandardFamilies(), notes);
  EXPECT_TRUE(notes.empty()) << Said(notes);
  EXPECT_EQ(w.shape.family, &kRolledIFamily);
  EXPECT_EQ(w.shape.code, "IPE");
  EXPECT_EQ(w.count, 2);
  EXPECT_DOUBLE_EQ(w.size.value, 30);
  EXPECT_EQ(w.base, "2 IPE 30");
  EXPECT_EQ(w.cover.count, 2);
  EXPECT_DOUBLE_EQ(w.cover.first, 200);
  EXPECT_DOUBLE_EQ(w.cover.second, 10);
  EXPECT_TRUE(w.web.written);
  EXPECT_EQ(w.web.count, 0);
  EXPECT_DOUBLE_EQ(w.web.first, 200);
  EXPECT_DOUBLE_EQ(w.web.second, 8);
  EXPECT_DOUBLE_EQ(w.spacing.value, 20);
  EXPECT_DOUBLE_EQ(w.dpl.value, 25);
  // The web plate's "PL" is not the cover plate's, whichever comes first.
  const WrittenDesignation both = ReadDesignation("IPE30+WPL200*8+2PL150*10", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(both.cover.first, 150);
  EXPECT_DOUBLE_EQ(both.web.first, 200);
  EXPECT_TRUE(notes.empty()) << Said(notes);
}

TEST(ReadDesignation, QuotesEveryPartItCannotRead) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("IPE30 FOO +2PL200*10 #", StandardFamilies(), notes);
  EXPECT_TRUE(Quoted(notes, "FOO")) << Said(notes);
  EXPECT_TRUE(Quoted(notes, "#")) << Said(notes);
  EXPECT_DOUBLE_EQ(w.cover.first, 200);  // read on after the part it could not read

  notes = {};
  w = ReadDesignation("PG 600*8*250*15+2PL300*10", StandardFamilies(), notes);  // a plate girder takes no plates
  EXPECT_EQ(w.dims.size(), 4u);
  EXPECT_TRUE(Quoted(notes, "+2PL300*10")) << Said(notes);

  notes = {};
  w = ReadDesignation("IPE300-400", StandardFamilies(), notes);  // a height change belongs to the half profiles only
  EXPECT_TRUE(Quoted(notes, "-400")) << Said(notes);
  notes = {};
  w = ReadDesignation("HPE300-400", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(w.height.value, 400);
  EXPECT_TRUE(notes.empty()) << Said(notes);

  notes = {};
  w = ReadDesignation("2L60 +WPL100*10 DPL=5", StandardFamilies(), notes);  // web plates are for I, H and castellated profiles
  EXPECT_TRUE(Quoted(notes, "+WPL100*10 DPL=5")) << Said(notes);
  EXPECT_FALSE(w.web.written);
}

TEST(ReadDesignation, ParametricListsTakeStarXOrCommasButNotAMixtureWithCommas) {
  SectionNotes notes;
  EXPECT_EQ(ReadDesignation("PG 600*8X250 x 15", StandardFamilies(), notes).dims, (std::vector<double>{600, 8, 250, 15}));
  EXPECT_EQ(ReadDesignation("PG 600,8,250,15,200,12", StandardFamilies(), notes).dims, (std::vector<double>{600, 8, 250, 15, 200, 12}));
  EXPECT_EQ(ReadDesignation("TUBE 273 * 10", StandardFamilies(), notes).dims, (std::vector<double>{273, 10}));
  EXPECT_TRUE(notes.empty()) << Said(notes);
  // "8,5" after a "*" may be a decimal comma: not read, and said.
  const WrittenDesignation mixed = ReadDesignation("PG 600*8,5*250*15", StandardFamilies(), notes);
  EXPECT_EQ(mixed.dims, (std::vector<double>{600, 8}));
  EXPECT_TRUE(Quoted(notes, ",5*250*15")) << Said(notes);
  EXPECT_NE(Said(notes).find("gives 2 numbers"), std::string::npos) << Said(notes);
  // A seventh number has no place in a plate girder.
  notes = {};
  EXPECT_EQ(ReadDesignation("PG 600*8*250*15*250*15*9", StandardFamilies(), notes).dims.size(), 6u);
  EXPECT_TRUE(Quoted(notes, "*9")) << Said(notes);
}

TEST(ReadDesignation, CountsArrangementsAndRepeats) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("2 L60*6 <>", StandardFamilies(), notes);
  EXPECT_EQ(w.shape.family, &kAngleFamily);
  EXPECT_EQ(w.count, 2);
  EXPECT_DOUBLE_EQ(w.thickness.value, 6);
  EXPECT_EQ(w.arrangement, "<>");
  EXPECT_TRUE(notes.empty()) << Said(notes);
  w = ReadDesignation("L100*100*10", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(w.otherLeg.value, 100);
  EXPECT_DOUBLE_EQ(w.thickness.value, 10);

  w = ReadDesignation("2UNP20 ][ (d=12) []", StandardFamilies(), notes);
  EXPECT_EQ(w.arrangement, "][");
  EXPECT_NE(Said(notes).find("Two arrangements"), std::string::npos) << Said(notes);
  notes = {};
  w = ReadDesignation("2UNP20 (d=12) e=14", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(w.spacing.value, 12);
  EXPECT_NE(Said(notes).find("repeats"), std::string::npos) << Said(notes);
  notes = {};
  ReadDesignation("0IPE30", StandardFamilies(), notes);
  EXPECT_NE(Said(notes).find("count of 0"), std::string::npos) << Said(notes);
  notes = {};
  w = ReadDesignation("IPE30+2PL200", StandardFamilies(), notes);
  EXPECT_FALSE(w.cover.written);
  EXPECT_TRUE(Quoted(notes, "+2PL200")) << Said(notes);
  // Nothing is said about a text that names no family: the caller says that once.
  notes = {};
  EXPECT_EQ(ReadDesignation("HXB300", StandardFamilies(), notes).shape.family, nullptr);
  EXPECT_TRUE(notes.empty());
}

TEST(ReadDesignation, EuropeanNamesStandForTheCatalogueCodes) {
  const struct {
    const char* text;
    const SectionFamily* family;
    const char* code;
    double size;
  } cases[] = {{"HEB300", &kRolledIFamily, "IPB", 300},   {"HE 300 B", &kRolledIFamily, "IPB", 300},
               {"2HE300B (d=40)", &kRolledIFamily, "IPB", 300}, {"HEA200", &kHeAFamily, "IPBL", 200},
               {"HE 200 A", &kHeAFamily, "IPBL", 200},    {"IPBL20", &kHeAFamily, "IPBL", 20},
               {"HEM200+2PL300*10", &kHeMFamily, "IPBV", 200}, {"HE200M", &kHeMFamily, "IPBV", 200},
               {"UPN200", &kChannelFamily, "UNP", 200},   {"IPB20", &kRolledIFamily, "IPB", 20}};
  for (const auto& c : cases) {
    SectionNotes notes;
    const WrittenDesignation w = ReadDesignation(c.text, StandardFamilies(), notes);
    EXPECT_EQ(w.shape.family, c.family) << c.text;
    EXPECT_EQ(w.shape.code, c.code) << c.text;
    EXPECT_EQ(w.size.value, c.size) << c.text;
    EXPECT_TRUE(notes.empty()) << c.text << ": " << Said(notes);
  }
  // The letter after the size must be the series': "HE 200 X" is no profile.
  SectionNotes notes;
  EXPECT_EQ(ReadDesignation("HE 200 X", StandardFamilies(), notes).shape.family, nullptr);
}

TEST(WrittenLengths, SpacingFollowsTheInputUnitAndWebPlateDistanceItsOwn) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("2IPE30 (d=0.2)", StandardFamilies(), notes);
  EXPECT_NEAR(SpacingCm(w, 100, notes), 20, 1e-12);  // metres
  EXPECT_TRUE(notes.empty());
  w = ReadDesignation("2IPE30 (d=200)", StandardFamilies(), notes);
  EXPECT_NEAR(SpacingCm(w, 1, notes), 20, 1e-12);  // a centimetre input above 1 m: millimetres
  EXPECT_FALSE(notes.HasError());
  EXPECT_FALSE(notes.empty());  // but said
  notes = {};
  w = ReadDesignation("2IPE30 (d=20)", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(SpacingCm(w, 100, notes), 0);  // 20 m is no spacing
  EXPECT_TRUE(notes.HasError());

  notes = {};
  for (const auto& [text, cm] : {std::pair{"IPE30+WPL200*8 DPL=25", 25.0}, std::pair{"IPE30+WPL200*8 DPL=250", 25.0},
                                 std::pair{"IPE30+WPL200*8 DPL=0.25", 25.0}}) {
    w = ReadDesignation(text, StandardFamilies(), notes);
    EXPECT_NEAR(WebPlateDistance(w, notes), cm, 1e-12) << text;
  }
  EXPECT_TRUE(notes.empty());
  w = ReadDesignation("IPE30+WPL200*8 DPL=2500", StandardFamilies(), notes);
  EXPECT_DOUBLE_EQ(WebPlateDistance(w, notes), 0);
  EXPECT_TRUE(notes.HasError());
}

}  // namespace
}  // namespace tavo
