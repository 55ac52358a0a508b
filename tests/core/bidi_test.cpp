// Left-to-right runs inside right-to-left lines: what is wrapped, where a run starts and ends.
#include <gtest/gtest.h>

#include "core/bidi.h"
#include "core/utf8.h"

namespace tavo {
namespace {

const std::string L = "\u2066", P = "\u2069";

TEST(IsolateLtr, WrapsTheWholeTextOnceAndLeavesEmptyAlone) {
  EXPECT_EQ(IsolateLtr("[kg]-[cm]"), L + "[kg]-[cm]" + P);
  EXPECT_EQ(IsolateLtr(""), "");
  EXPECT_EQ(IsolateLtr(IsolateLtr("2IPE...")), L + "2IPE..." + P);
}

TEST(IsolateLtrRuns, PathsUnitsAndDesignationsInAPersianLine) {
  // The path from its slash to its extension, blanks and all, the sentence's full stop outside.
  EXPECT_EQ(IsolateLtrRuns("فایل ورودی = /tmp/a b/frame.Ardekon."),
            "فایل ورودی = " + L + "/tmp/a b/frame.Ardekon" + P + ".");
  EXPECT_EQ(IsolateLtrRuns("واحدهای سیستم: [kg]-[cm]"), "واحدهای سیستم: " + L + "[kg]-[cm]" + P);
  // Two runs with Persian between them are two islands.
  EXPECT_EQ(IsolateLtrRuns("عضو 3 از 10"), "عضو " + L + "3" + P + " از " + L + "10" + P);
  // A number with its unit stays one island.
  EXPECT_EQ(IsolateLtrRuns("مساحت = 53.8 cm²"), "مساحت = " + L + "53.8 cm²" + P);
}

TEST(IsolateLtrRuns, LinesWithoutPersianAreWrappedWholeLineByLine) {
  EXPECT_EQ(IsolateLtrRuns("2IPE..."), L + "2IPE..." + P);
  EXPECT_EQ(IsolateLtrRuns("آیا؟\r\n\r\nOutput filenames:\r\n/a/b_Out.csv"),
            "آیا؟\r\n\r\n" + L + "Output filenames:" + P + "\r\n" + L + "/a/b_Out.csv" + P);
}

TEST(IsolateLtrRuns, LeavesPersianPunctuationAndIsolatedPartsAlone) {
  EXPECT_EQ(IsolateLtrRuns("فقط فارسی، با ۳ رقم."), "فقط فارسی، با ۳ رقم.");
  EXPECT_EQ(IsolateLtrRuns("..."), "...");
  const std::string once = IsolateLtrRuns("واحد [ton]-[m] و فایل /x/y.Ardekon");
  EXPECT_EQ(IsolateLtrRuns(once), once);
  EXPECT_TRUE(IsValidUtf8(once));
}

TEST(LtrRuns, IndexesAreCodePoints) {
  const std::u32string line = DecodeUtf8("ب IPE30 ب");
  const auto runs = LtrRuns(line);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].first, 2u);
  EXPECT_EQ(runs[0].second, 7u);
  EXPECT_TRUE(HasRtl("a ب"));
  EXPECT_FALSE(HasRtl("a [kg]"));
}

}  // namespace
}  // namespace tavo
