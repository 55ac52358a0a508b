#include "input/design_constants.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "input/ini_file.h"
#include "input/input_session.h"
#include "support/test_support.h"

namespace tavo {
namespace {

struct Fixture {
  test::ScratchDir dir;
  RecordingMessages messages;
  ModuleContext ctx;
  InputSession session;
  explicit Fixture(const std::string& settings) {
    ctx.messages = &messages;
    ctx.installDir = dir.str();
    ctx.tempDir = dir.str() + "temp/";
    if (!settings.empty()) dir.Write("cte/constants.ini", settings);
  }
  bool Open(const std::string& body) {
    dir.Write("in.Ardekon", "Software=Ardekon  Version=7.12  Module=tavo  Title=T\n" + body);
    SetInputPath(ctx, dir.str() + "in.Ardekon");
    return OpenInput(ctx, session);
  }
};

TEST(DesignConstants, InputBlockWinsOverSettings) {
  Fixture f("[tavo]\nFY=2600\n");
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=2500\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2500);
  EXPECT_EQ(f.session.constants.Find(1)->source, ValueSource::InputFile);
}

TEST(DesignConstants, KeySearchInTheBlockIsCaseSensitive) {
  Fixture f("[tavo]\nFY=2600\n");
  ASSERT_TRUE(f.Open("CONSTANTS\nFY=2500\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2600);
  EXPECT_EQ(f.session.constants.Find(1)->source, ValueSource::SettingsFile);
}

TEST(DesignConstants, DefaultWhenNothingGivesFyAndSummarySaysSo) {
  Fixture f("");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  const InputSummary s = chngcte_inc(f.session.constants, f.ctx);
  ASSERT_GE(s.lines.size(), 4u);
  EXPECT_NE(s.lines[0].find(" Input File = "), std::string::npos);
  EXPECT_NE(s.lines[2].find(" Number of elements: 1"), std::string::npos);
  EXPECT_NE(s.lines.back().find("default 2400"), std::string::npos);
  EXPECT_NE(s.statusBar.find("System Units: [kg]-[cm]"), std::string::npos);
}

TEST(DesignConstants, ValuesInOtherUnitsConvertToKgCm) {
  Fixture f("");
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=2.4 UNITS=[ton]-[cm]\nNO=1 UNITS=[ton]-[m]\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  Fixture g("");
  ASSERT_TRUE(g.Open("NO=1 UNITS=[ton]-[m]\n1 IPE20\n"));  // default given in ton/m²
  EXPECT_EQ(g.session.constants.Find(1)->value, "24000");
  EXPECT_DOUBLE_EQ(g.ctx.fy, 2400);
}

TEST(DesignConstants, CheckingFlagsOutOfRange) {
  Fixture f("[tavo]\nFY=5000\n");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  chngcte_inc(f.session.constants, f.ctx);
  EXPECT_FALSE(f.session.constants.Find(1)->inRange);
}

TEST(DesignConstants, SaveWritesUpperCasedKeysUnderTheModuleSection) {
  Fixture f("; keep me\n[other]\na=1\n");
  ASSERT_TRUE(f.Open("NO=1 UNITS=[kg]-[cm]\n1 IPE20\n"));
  ASSERT_TRUE(SaveConstants(f.session.constants, f.ctx));
  EXPECT_EQ(test::ReadFile(f.dir.path() / "cte/constants.ini"),
            "; keep me\n[other]\na=1\n\n[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n");
}

TEST(DesignConstants, UnitChangeConvertsTheRow) {
  Fixture f("");
  ASSERT_TRUE(f.Open("NO=1 UNITS=[kg]-[cm]\n1 IPE20\n"));
  f.session.constants.previousUnits = f.ctx.displayUnits;
  f.ctx.displayUnits = UnitFactors("UNITS=[ton]-[m]");
  f.session.constants.mode = ConstantsMode::UpdateUnits;
  DefineAllConstants(f.session.constants, f.ctx);
  EXPECT_EQ(f.session.constants.Find(1)->value, "24000");
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
}

}  // namespace
}  // namespace tavo
