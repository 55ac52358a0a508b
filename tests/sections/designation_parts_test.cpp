#include "sections/designation_parts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/text_util.h"
#include "core/units.h"

namespace tavo {
namespace {

TEST(MmText, WritesTheShortestTextOfTheMillimetreValue) {
  EXPECT_EQ(MmText(20), "200");
  EXPECT_EQ(MmText(0.8), "8");
  EXPECT_EQ(MmText(0.71), "7.1");
  EXPECT_EQ(MmText(0.3), "3");  // 10·0.3 is 3.0000000000000004 before rounding
  EXPECT_EQ(MmText(20.3), "203");
  EXPECT_EQ(MmText(0.025), "0.25");
  EXPECT_EQ(MmText(0.09), "0.9");  // 10·0.09 is 0.8999999999999999
  EXPECT_EQ(MmText(0), "0");
  EXPECT_EQ(MmText(-0.0), "0");
  EXPECT_EQ(MmText(1e-6), "0.00001");  // never an exponent
  EXPECT_EQ(NumberText(0.1 + 0.2), "0.3");
}

// A designation holds millimetres and is read into centimetres (÷ 10): the text written for
// a length read that way gives back the very same length, and the same text again.
TEST(MmText, ReadsBackAsTheSameLength) {
  const auto read = [](const std::string& mm) { return *ParseNumber(mm) / 10; };
  std::vector<std::string> written = {"200", "8", "7.1", "0.9", "0.25", "12.5", "1234.5678", "0.001", "2500",
                                      "119.999998", "0.123456789", "99999.99999", "3.14159265358979"};
  std::mt19937 rng(7);
  for (int i = 0; i < 20000; ++i) {
    char buf[40];
    const int decimals = static_cast<int>(rng() % 7);
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::uniform_real_distribution<double>(0, 5000)(rng));
    written.push_back(ShortestText(*ParseNumber(buf)));
  }
  for (const std::string& mm : written) {
    const double cm = read(mm);
    ASSERT_EQ(read(MmText(cm)), cm) << mm;
    ASSERT_EQ(MmText(cm), mm);
  }
  // Any other length comes back within the 15 digits the text keeps, and its text is stable.
  for (int i = 0; i < 20000; ++i) {
    const double cm = std::uniform_real_distribution<double>(1e-3, 1e4)(rng);
    const double back = read(MmText(cm));
    ASSERT_NEAR(back, cm, cm * 1e-14) << cm;
    ASSERT_EQ(MmText(back), MmText(cm)) << cm;
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
  const WrittenDesignation w = ReadDesignation("2 IPE 30 + 2PL 200 X 10  (d = 20)+WPL200*8  DPL=25  L = 400", notes);
  EXPECT_TRUE(notes.empty()) << Said(notes);
  EXPECT_EQ(w.shape.kind, ShapeKind::Rolled);
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
  const WrittenDesignation both = ReadDesignation("IPE30+WPL200*8+2PL150*10", notes);
  EXPECT_DOUBLE_EQ(both.cover.first, 150);
  EXPECT_DOUBLE_EQ(both.web.first, 200);
  EXPECT_TRUE(notes.empty()) << Said(notes);
}

TEST(ReadDesignation, QuotesEveryPartItCannotRead) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("IPE30 FOO +2PL200*10 #", notes);
  EXPECT_TRUE(Quoted(notes, "FOO")) << Said(notes);
  EXPECT_TRUE(Quoted(notes, "#")) << Said(notes);
  EXPECT_DOUBLE_EQ(w.cover.first, 200);  // read on after the part it could not read

  notes = {};
  w = ReadDesignation("PG 600*8*250*15+2PL300*10", notes);  // a plate girder takes no plates
  EXPECT_EQ(w.dims.size(), 4u);
  EXPECT_TRUE(Quoted(notes, "+2PL300*10")) << Said(notes);

  notes = {};
  w = ReadDesignation("IPE300-400", notes);  // a height change belongs to the half profiles only
  EXPECT_TRUE(Quoted(notes, "-400")) << Said(notes);
  notes = {};
  w = ReadDesignation("HPE300-400", notes);
  EXPECT_DOUBLE_EQ(w.height.value, 400);
  EXPECT_TRUE(notes.empty()) << Said(notes);

  notes = {};
  w = ReadDesignation("2L60 +WPL100*10 DPL=5", notes);  // web plates are for I, H and castellated profiles
  EXPECT_TRUE(Quoted(notes, "+WPL100*10 DPL=5")) << Said(notes);
  EXPECT_FALSE(w.web.written);
}

TEST(ReadDesignation, ParametricListsTakeStarXOrCommasButNotAMixtureWithCommas) {
  SectionNotes notes;
  EXPECT_EQ(ReadDesignation("PG 600*8X250 x 15", notes).dims, (std::vector<double>{600, 8, 250, 15}));
  EXPECT_EQ(ReadDesignation("PG 600,8,250,15,200,12", notes).dims, (std::vector<double>{600, 8, 250, 15, 200, 12}));
  EXPECT_EQ(ReadDesignation("TUBE 273 * 10", notes).dims, (std::vector<double>{273, 10}));
  EXPECT_TRUE(notes.empty()) << Said(notes);
  // "8,5" after a "*" may be a decimal comma: not read, and said.
  const WrittenDesignation mixed = ReadDesignation("PG 600*8,5*250*15", notes);
  EXPECT_EQ(mixed.dims, (std::vector<double>{600, 8}));
  EXPECT_TRUE(Quoted(notes, ",5*250*15")) << Said(notes);
  EXPECT_NE(Said(notes).find("gives 2 numbers"), std::string::npos) << Said(notes);
  // A seventh number has no place in a plate girder.
  notes = {};
  EXPECT_EQ(ReadDesignation("PG 600*8*250*15*250*15*9", notes).dims.size(), 6u);
  EXPECT_TRUE(Quoted(notes, "*9")) << Said(notes);
}

TEST(ReadDesignation, CountsArrangementsAndRepeats) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("2 L60*6 <>", notes);
  EXPECT_EQ(w.shape.kind, ShapeKind::Angle);
  EXPECT_EQ(w.count, 2);
  EXPECT_DOUBLE_EQ(w.thickness.value, 6);
  EXPECT_EQ(w.arrangement, "<>");
  EXPECT_TRUE(notes.empty()) << Said(notes);
  w = ReadDesignation("L100*100*10", notes);
  EXPECT_DOUBLE_EQ(w.otherLeg.value, 100);
  EXPECT_DOUBLE_EQ(w.thickness.value, 10);

  w = ReadDesignation("2UNP20 ][ (d=12) []", notes);
  EXPECT_EQ(w.arrangement, "][");
  EXPECT_NE(Said(notes).find("Two arrangements"), std::string::npos) << Said(notes);
  notes = {};
  w = ReadDesignation("2UNP20 (d=12) e=14", notes);
  EXPECT_DOUBLE_EQ(w.spacing.value, 12);
  EXPECT_NE(Said(notes).find("repeats"), std::string::npos) << Said(notes);
  notes = {};
  ReadDesignation("0IPE30", notes);
  EXPECT_NE(Said(notes).find("count of 0"), std::string::npos) << Said(notes);
  notes = {};
  w = ReadDesignation("IPE30+2PL200", notes);
  EXPECT_FALSE(w.cover.written);
  EXPECT_TRUE(Quoted(notes, "+2PL200")) << Said(notes);
  // Nothing is said about a text that names no family: the caller says that once.
  notes = {};
  EXPECT_EQ(ReadDesignation("HEB300", notes).shape.kind, ShapeKind::None);
  EXPECT_TRUE(notes.empty());
}

TEST(WrittenLengths, SpacingFollowsTheInputUnitAndWebPlateDistanceItsOwn) {
  SectionNotes notes;
  WrittenDesignation w = ReadDesignation("2IPE30 (d=0.2)", notes);
  EXPECT_NEAR(SpacingCm(w, 100, notes), 20, 1e-12);  // metres
  EXPECT_TRUE(notes.empty());
  w = ReadDesignation("2IPE30 (d=200)", notes);
  EXPECT_NEAR(SpacingCm(w, 1, notes), 20, 1e-12);  // a centimetre input above 1 m: millimetres
  EXPECT_FALSE(notes.HasError());
  EXPECT_FALSE(notes.empty());  // but said
  notes = {};
  w = ReadDesignation("2IPE30 (d=20)", notes);
  EXPECT_DOUBLE_EQ(SpacingCm(w, 100, notes), 0);  // 20 m is no spacing
  EXPECT_TRUE(notes.HasError());

  notes = {};
  for (const auto& [text, cm] : {std::pair{"IPE30+WPL200*8 DPL=25", 25.0}, std::pair{"IPE30+WPL200*8 DPL=250", 25.0},
                                 std::pair{"IPE30+WPL200*8 DPL=0.25", 25.0}}) {
    w = ReadDesignation(text, notes);
    EXPECT_NEAR(WebPlateDistance(w, notes), cm, 1e-12) << text;
  }
  EXPECT_TRUE(notes.empty());
  w = ReadDesignation("IPE30+WPL200*8 DPL=2500", notes);
  EXPECT_DOUBLE_EQ(WebPlateDistance(w, notes), 0);
  EXPECT_TRUE(notes.HasError());
}

}  // namespace
}  // namespace tavo
