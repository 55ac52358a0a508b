#include "input/design_constants.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "core/text_util.h"
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

// Every other keyword of the file is read in any letter case; FY=2500 is the user's Fy too.
TEST(DesignConstants, KeyInTheBlockIsReadInAnyCaseAndWithBlanks) {
  Fixture f("[tavo]\nFY=2600\n");
  ASSERT_TRUE(f.Open("CONSTANTS\nFY=2500\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2500);
  EXPECT_EQ(f.session.constants.Find(1)->source, ValueSource::InputFile);
  Fixture g("[tavo]\nFY=2600\n");
  ASSERT_TRUE(g.Open("CONSTANTS\nFy = 2500  UNITS = [kg]-[cm]\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(g.ctx.fy, 2500);
  EXPECT_EQ(g.session.constants.Find(1)->source, ValueSource::InputFile);
  EXPECT_TRUE(g.ctx.fyDiagnostics.empty());
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
  const UnitSystem previous = f.ctx.displayUnits;
  f.ctx.displayUnits = UnitFactors("UNITS=[ton]-[m]");
  ConvertConstantUnits(f.session.constants, f.ctx, previous);
  EXPECT_EQ(f.session.constants.Find(1)->value, "24000");
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
}

// Fy in the settings file is written in the settings file's own units (its UNITS=), whatever
// units the input uses. Before, an input in [ton]-[m] without a constants block read the
// settings' FY=2400 as 2400 ton/m² = 240 kg/cm², and one in [N]-[mm] as 2400 N/mm² = 24465 kg/cm².

const char* kSettings = "; Settings of the Tavolin module\n[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n";

bool Said(const Diagnostics& list, Severity severity, const std::string& fragment) {
  for (const Diagnostic& d : list)
    if (d.severity == severity && d.text.find(fragment) != std::string::npos) return true;
  return false;
}

TEST(FyUnits, SettingsValueIsReadInTheSettingsUnits) {
  for (const char* units : {"[ton]-[m]", "[N]-[mm]", "[kN]-[m]", "[kg]-[cm]", "[Lb]-[in]"}) {
    SCOPED_TRACE(units);
    Fixture f(kSettings);
    ASSERT_TRUE(f.Open(std::string("NO=1 UNITS=") + units + "\n1 IPE20\n"));
    EXPECT_EQ(f.session.constants.Find(1)->source, ValueSource::SettingsFile);
    EXPECT_NEAR(f.ctx.fy, 2400, 1e-3);
    EXPECT_TRUE(f.ctx.fyDiagnostics.empty());
  }
  // The value shown in the input's units: 2400 kg/cm² = 24000 ton/m² = 235.44 N/mm².
  Fixture g(kSettings);
  ASSERT_TRUE(g.Open("NO=1 UNITS=[ton]-[m]\n1 IPE20\n"));
  EXPECT_EQ(g.session.constants.Find(1)->value, "24000");
  Fixture h(kSettings);
  ASSERT_TRUE(h.Open("NO=1 UNITS=[N]-[mm]\n1 IPE20\n"));
  EXPECT_NEAR(NumericValue(h.session.constants.Find(1)->value), 235.44, 1e-3);
}

TEST(FyUnits, SettingsInOtherUnitsThanKgCm) {
  Fixture f("[tavo]\nUNITS=[ton]-[cm]\nFY=2.6\n");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  EXPECT_NEAR(f.ctx.fy, 2600, 1e-3);  // before: 2.6 read as kg/cm², then 2400 for being no stress
  Fixture g("[tavo]\nUNITS=[ton]-[m\nFY=2600\n");  // unreadable units: kg/cm², and an error
  ASSERT_TRUE(g.Open("NO=1\n1 IPE20\n"));
  EXPECT_NEAR(g.ctx.fy, 2600, 1e-3);
  EXPECT_TRUE(Said(g.ctx.fyDiagnostics, Severity::Error, "settings file"));
}

// Found by fuzzing the settings reader: FY=2 in [N]-[m] is 2e-5 kg/cm², which rounded to 0 and
// was used as Fy. A value too small to be a stress is an error and the default is used.
TEST(FyUnits, ValueThatRoundsToNothingIsNotAStress) {
  Fixture f("[tavo]\nUNITS=[N]-[m]\n\nFY=2\n");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  EXPECT_TRUE(Said(f.ctx.fyDiagnostics, Severity::Error, "not a positive number"));
}

// [ton]-[m with its "]" missing was read as [ton]-[cm]: Fy=2400 became 2 400 000 kg/cm².
TEST(FyUnits, BlockUnitsThatCantBeReadGiveKgCmAndAnError) {
  Fixture f(kSettings);
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=2400  UNITS=[ton]-[m\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  EXPECT_EQ(f.ctx.constantsUnits, "[kg]-[cm]");
  ASSERT_TRUE(HasError(f.ctx.fyDiagnostics));
  EXPECT_EQ(f.ctx.fyDiagnostics[0].subject, "UNITS=[ton]-[m");
}

TEST(FyRange, OutOfRangeIsAnErrorUnlessGiven) {
  Fixture f(kSettings);
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=240\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 240);
  EXPECT_FALSE(f.ctx.fyExplicit);
  EXPECT_TRUE(Said(f.ctx.fyDiagnostics, Severity::Error, "Fy = 240 kg/cm² is outside 2000 to 4000 kg/cm²"));

  // Given on the command line (kg/cm²), shown in the input's units.
  ResolveFy(f.session.constants, f.ctx, 5000.0);
  EXPECT_DOUBLE_EQ(f.ctx.fy, 5000);
  EXPECT_TRUE(f.ctx.fyExplicit);
  EXPECT_EQ(f.session.constants.Find(1)->source, ValueSource::Given);
  ASSERT_EQ(f.ctx.fyDiagnostics.size(), 1u);
  EXPECT_EQ(f.ctx.fyDiagnostics[0].severity, Severity::Warning);

  Fixture g(kSettings);
  ASSERT_TRUE(g.Open("NO=1 UNITS=[ton]-[m]\n1 IPE20\n"));
  ResolveFy(g.session.constants, g.ctx, 2500.0);
  EXPECT_EQ(g.session.constants.Find(1)->value, "25000");
  EXPECT_DOUBLE_EQ(g.ctx.fy, 2500);
  EXPECT_TRUE(g.ctx.fyDiagnostics.empty());

  // Typed into the constants window: the same as given.
  Fixture h(kSettings);
  ASSERT_TRUE(h.Open("NO=1\n1 IPE20\n"));
  GiveValue(h.session.constants, h.ctx, 1, "4200");
  EXPECT_DOUBLE_EQ(h.ctx.fy, 4200);
  EXPECT_TRUE(Said(h.ctx.fyDiagnostics, Severity::Warning, "used as given"));
  EXPECT_FALSE(HasError(h.ctx.fyDiagnostics));
}

TEST(FyValue, ValuesThatAreNotNumbersOrGivenTwiceAreErrors) {
  Fixture f(kSettings);
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=abc\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  EXPECT_TRUE(Said(f.ctx.fyDiagnostics, Severity::Error, "Fy=abc in the constants block of the input is not a number"));

  Fixture g(kSettings);
  ASSERT_TRUE(g.Open("CONSTANTS\nFy=2400kg/cm2\nNO=1\n1 IPE20\n"));
  EXPECT_TRUE(HasError(g.ctx.fyDiagnostics));

  Fixture h(kSettings);
  ASSERT_TRUE(h.Open("CONSTANTS\nFy=2400\nFy=3600\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(h.ctx.fy, 2400);
  EXPECT_TRUE(Said(h.ctx.fyDiagnostics, Severity::Error, "more than once"));

  Fixture same(kSettings);  // the same value twice says nothing
  ASSERT_TRUE(same.Open("CONSTANTS\nFy=2400 Fy=2400\nNO=1\n1 IPE20\n"));
  EXPECT_TRUE(same.ctx.fyDiagnostics.empty());

  Fixture settings("[tavo]\nFY=24OO\n");
  ASSERT_TRUE(settings.Open("NO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(settings.ctx.fy, 2400);
  EXPECT_TRUE(Said(settings.ctx.fyDiagnostics, Severity::Error, "FY=24OO in the settings file is not a number"));

  // A word of the block that no constant reads is said, not dropped.
  Fixture words(kSettings);
  ASSERT_TRUE(words.Open("CONSTANTS\nFy=2500 Fu=3700\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(words.ctx.fy, 2500);
  EXPECT_TRUE(Said(words.ctx.inputDiagnostics, Severity::Warning, "Fu=3700"));
}

// A designation on its own (no input): the settings file in its own units, or what is given.
TEST(FyWithoutInput, SettingsFileAloneOrGiven) {
  Fixture f("[tavo]\nUNITS=[N]-[mm]\nFY=240\n");
  DesignConstants constants;
  ResolveFy(constants, f.ctx, std::nullopt);
  EXPECT_NEAR(f.ctx.fy, 240 * 10.19368, 0.01);  // 240 MPa = 2446.5 kg/cm²
  EXPECT_TRUE(f.ctx.fyDiagnostics.empty());
  Fixture g("");
  DesignConstants none;
  ResolveFy(none, g.ctx, 3000.0);
  EXPECT_DOUBLE_EQ(g.ctx.fy, 3000);
  EXPECT_TRUE(g.ctx.fyExplicit);
}

}  // namespace
}  // namespace tavo
