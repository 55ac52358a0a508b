#include "input/design_constants.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/text_util.h"
#include "input/ini_file.h"
#include "support/input_fixture.h"

namespace tavo {
namespace {

// Opens the input body under the usual first line.
struct Fixture : test::OpenedInput {
  using OpenedInput::OpenedInput;
  bool Open(const std::string& body) { return OpenedInput::Open(test::kInputHeader + body); }
};

const char* kSettings = "; Settings of the Tavolin module\n[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n";

using test::Said;

// Where Fy comes from and what is said about it. Fy in the settings file is in the settings
// file's own units (its UNITS=), whatever units the input uses: before, an input in [ton]-[m]
// without a constants block read FY=2400 as 2400 ton/m² = 240 kg/cm², one in [N]-[mm] as
// 24465 kg/cm².
struct FyCase {
  const char *settings, *body;
  double fy;
  const char* said = "";  // "" nothing said; else a fragment of an error (or a warning)
  std::optional<ValueSource> source = std::nullopt;
  const char* shown = nullptr;  // the value in the input's units
  Severity severity = Severity::Error;
};

const FyCase kFyCases[] = {
    {"[tavo]\nFY=2600\n", "CONSTANTS\nFy=2500\nNO=1\n1 IPE20\n", 2500, "", ValueSource::InputFile},
    {"[tavo]\nFY=2600\n", "CONSTANTS\nFY=2500\nNO=1\n1 IPE20\n", 2500, "", ValueSource::InputFile},  // any case
    {"[tavo]\nFY=2600\n", "CONSTANTS\nFy = 2500  UNITS = [kg]-[cm]\nNO=1\n1 IPE20\n", 2500, "", ValueSource::InputFile},
    {"", "CONSTANTS\nFy=2.4 UNITS=[ton]-[cm]\nNO=1 UNITS=[ton]-[m]\n1 IPE20\n", 2400},
    {"", "NO=1 UNITS=[ton]-[m]\n1 IPE20\n", 2400, "", std::nullopt, "24000"},  // the default in ton/m²
    {kSettings, "NO=1 UNITS=[ton]-[m]\n1 IPE20\n", 2400, "", ValueSource::SettingsFile, "24000"},
    {kSettings, "NO=1 UNITS=[N]-[mm]\n1 IPE20\n", 2400, "", ValueSource::SettingsFile, "235.44"},
    {kSettings, "NO=1 UNITS=[kN]-[m]\n1 IPE20\n", 2400, "", ValueSource::SettingsFile},
    {kSettings, "NO=1 UNITS=[Lb]-[in]\n1 IPE20\n", 2400, "", ValueSource::SettingsFile},
    {kSettings, "NO=1 UNITS=[kg]-[cm]\n1 IPE20\n", 2400, "", ValueSource::SettingsFile},
    // Before: 2.6 read as kg/cm², then 2400 for being no stress.
    {"[tavo]\nUNITS=[ton]-[cm]\nFY=2.6\n", "NO=1\n1 IPE20\n", 2600},
    {"[tavo]\nUNITS=[ton]-[m\nFY=2600\n", "NO=1\n1 IPE20\n", 2600, "settings file"},  // unreadable: kg/cm²
    // Found by fuzzing: FY=2 in [N]-[m] is 2e-5 kg/cm², which rounded to 0 and was used as Fy.
    {"[tavo]\nUNITS=[N]-[m]\n\nFY=2\n", "NO=1\n1 IPE20\n", 2400, "not a positive number"},
    {kSettings, "CONSTANTS\nFy=240\nNO=1\n1 IPE20\n", 240, "Fy = 240 kg/cm² is outside 2000 to 4000 kg/cm²"},
    {kSettings, "CONSTANTS\nFy=abc\nNO=1\n1 IPE20\n", 2400, "Fy=abc in the constants block of the input is not a number"},
    {kSettings, "CONSTANTS\nFy=2400kg/cm2\nNO=1\n1 IPE20\n", 2400, "is not a number"},
    {kSettings, "CONSTANTS\nFy=2400\nFy=3600\nNO=1\n1 IPE20\n", 2400, "more than once"},
    {kSettings, "CONSTANTS\nFy=2400 Fy=2400\nNO=1\n1 IPE20\n", 2400},  // the same value twice says nothing
    {"[tavo]\nFY=24OO\n", "NO=1\n1 IPE20\n", 2400, "FY=24OO in the settings file is not a number"},
};

TEST(DesignConstants, FyFromTheInputTheSettingsOrTheDefault) {
  for (const FyCase& c : kFyCases) {
    SCOPED_TRACE(std::string(c.settings) + " | " + c.body);
    Fixture f(c.settings);
    ASSERT_TRUE(f.Open(c.body));
    EXPECT_NEAR(f.ctx.fy, c.fy, 1e-3);
    const std::string said = DiagnosticsLine(f.ctx.fyDiagnostics, 'E');
    EXPECT_TRUE(*c.said ? Said(f.ctx.fyDiagnostics, c.severity, c.said) : f.ctx.fyDiagnostics.empty()) << said;
    if (c.source) { EXPECT_EQ(f.session.constants.Find(1)->source, *c.source); }
    if (c.shown) { EXPECT_NEAR(NumericValue(f.session.constants.Find(1)->value), NumericValue(c.shown), 1e-3); }
  }
  // [ton]-[m with its "]" missing was read as [ton]-[cm]: Fy=2400 became 2 400 000 kg/cm².
  Fixture f(kSettings);
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=2400  UNITS=[ton]-[m\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);
  EXPECT_EQ(f.ctx.constantsUnits, "[kg]-[cm]");
  ASSERT_TRUE(HasError(f.ctx.fyDiagnostics));
  EXPECT_EQ(f.ctx.fyDiagnostics[0].subject, "UNITS=[ton]-[m");
  // A word of the block that no constant reads is said, not dropped.
  Fixture words(kSettings);
  ASSERT_TRUE(words.Open("CONSTANTS\nFy=2500 Fz=3700\nNO=1\n1 IPE20\n"));
  EXPECT_DOUBLE_EQ(words.ctx.fy, 2500);
  EXPECT_TRUE(Said(words.ctx.inputDiagnostics, Severity::Warning, "Fz=3700"));
}

TEST(DesignConstants, SummaryRangeFlagSaveAndUnitChange) {
  Fixture f("");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  const InputSummary s = chngcte_inc(f.session.constants, f.ctx);
  ASSERT_GE(s.lines.size(), 4u);
  EXPECT_NE(s.lines[0].find(" Input File = "), std::string::npos);
  EXPECT_NE(s.lines[2].find(" Number of elements: 1"), std::string::npos);
  EXPECT_NE(s.lines.back().find("default 2400"), std::string::npos);
  EXPECT_NE(s.statusBar.find("System Units: [kg]-[cm]"), std::string::npos);
  EXPECT_TRUE(f.session.constants.Find(1)->inRange);
  // The display units change: the row is converted, Fy stays.
  const UnitSystem previous = f.ctx.displayUnits;
  f.ctx.displayUnits = UnitFactors("UNITS=[ton]-[m]");
  ConvertConstantUnits(f.session.constants, f.ctx, previous);
  EXPECT_EQ(f.session.constants.Find(1)->value, "24000");
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2400);

  Fixture high("[tavo]\nFY=5000\n");
  ASSERT_TRUE(high.Open("NO=1\n1 IPE20\n"));
  chngcte_inc(high.session.constants, high.ctx);
  EXPECT_FALSE(high.session.constants.Find(1)->inRange);

  Fixture saved("; keep me\n[other]\na=1\n");  // upper-cased keys under the module's section
  ASSERT_TRUE(saved.Open("NO=1 UNITS=[kg]-[cm]\n1 IPE20\n"));
  ASSERT_TRUE(SaveConstants(saved.session.constants, saved.ctx));
  EXPECT_EQ(test::ReadFile(saved.dir.path() / "cte/constants.ini"),
            "; keep me\n[other]\na=1\n\n[tavo]\nUNITS=[kg]-[cm]\nFY=2400\nFU=3700\nCODE=asd89\n");
}

TEST(FyRange, OutOfRangeIsAnErrorUnlessGiven) {
  Fixture f(kSettings);
  ASSERT_TRUE(f.Open("CONSTANTS\nFy=240\nNO=1\n1 IPE20\n"));
  EXPECT_FALSE(f.ctx.fyExplicit);
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

// A value typed with a long exponent ("25000e-0000001", a number the window takes) was put in
// force as 25000 kg/cm², its exponent cut short, while the settings file it was saved to read
// back as 2500.
TEST(FyTyped, ALongExponentIsReadWholeBeforeAndAfterTheSave) {
  Fixture f("[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n");
  DesignConstants constants;
  ResolveFy(constants, f.ctx, std::nullopt);
  GiveValue(constants, f.ctx, 1, "25000e-0000001");
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2500);
  ASSERT_TRUE(SaveConstants(constants, f.ctx));
  EXPECT_DOUBLE_EQ(f.ctx.fy, 2500);
  Fixture again("");
  again.ctx.installDir = f.ctx.installDir;
  DesignConstants reread;
  ResolveFy(reread, again.ctx, std::nullopt);
  EXPECT_DOUBLE_EQ(again.ctx.fy, 2500);
  // Converted to other units, the whole number is converted.
  const UnitSystem previous = f.ctx.displayUnits;
  f.ctx.displayUnits = UnitFactors("UNITS=[ton]-[m]");
  ConvertConstantUnits(constants, f.ctx, previous);
  EXPECT_EQ(constants.Find(1)->value, "25000");
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

// Fu and the design code are read like Fy: the input's constants block, else the settings file
// (in its own units), else the default; Fu's problems are said only under the limit-state code.
struct FuCodeCase {
  const char *settings, *body;
  double fu;
  DesignCode code;
  const char* fuSaid = "";    // a fragment of what ctx.fyDiagnostics says about Fu; "" nothing
  const char* codeSaid = "";  // a fragment of the error in ctx.inputDiagnostics; "" nothing
};

const FuCodeCase kFuCodeCases[] = {
    {"", "NO=1\n1 IPE20\n", kDefaultFu, DesignCode::Asd89},
    {"[tavo]\nFU=4100\nCODE=aisc360-lrfd\n", "NO=1\n1 IPE20\n", 4100, DesignCode::Aisc360Lrfd},
    {"[tavo]\nFU=4100\nCODE=aisc360-lrfd\n", "CONSTANTS\nFu=4500 code=aisc360-asd\nNO=1\n1 IPE20\n", 4500,
     DesignCode::Aisc360Asd},
    // In the settings file's units: 400 N/mm², with the unit tables' 1 kg = 9.81 N.
    {"[tavo]\nUNITS=[N]-[mm]\nFU=400\nCODE=AISC360-LRFD\n", "NO=1\n1 IPE20\n", 400 / 0.0981, DesignCode::Aisc360Lrfd},
    {"", "CONSTANTS\nFu=2500 CODE=aisc360-lrfd\nNO=1\n1 IPE20\n", 2500, DesignCode::Aisc360Lrfd,
     "Fu = 2500 kg/cm² is outside 3000 to 6000 kg/cm²"},
    {"", "CONSTANTS\nFu=x CODE=aisc360-asd\nNO=1\n1 IPE20\n", kDefaultFu, DesignCode::Aisc360Asd, "is not a number"},
    // Today's rules never read Fu: nothing said about it.
    {"", "CONSTANTS\nFu=2500\nNO=1\n1 IPE20\n", 2500, DesignCode::Asd89},
    {"", "CONSTANTS\nCODE=lrfd\nNO=1\n1 IPE20\n", kDefaultFu, DesignCode::Asd89, "",
     "CODE = lrfd is not a design code"},
    {"[tavo]\nCODE=aisc-2016\n", "NO=1\n1 IPE20\n", kDefaultFu, DesignCode::Asd89, "", "asd89 is used"},
};

TEST(DesignConstants, FuAndCodeFromTheInputTheSettingsOrTheDefault) {
  for (const FuCodeCase& c : kFuCodeCases) {
    SCOPED_TRACE(std::string(c.settings) + " | " + c.body);
    Fixture f(c.settings);
    ASSERT_TRUE(f.Open(c.body));
    EXPECT_NEAR(f.ctx.fu, c.fu, 0.01);
    EXPECT_EQ(f.ctx.code, c.code);
    const bool fuSaid = *c.fuSaid != 0;
    EXPECT_EQ(fuSaid, !f.ctx.fyDiagnostics.empty()) << DiagnosticsLine(f.ctx.fyDiagnostics, 'E');
    if (fuSaid) { EXPECT_TRUE(Said(f.ctx.fyDiagnostics, Severity::Error, c.fuSaid)); }
    const bool codeSaid = *c.codeSaid != 0;
    EXPECT_EQ(codeSaid, HasError(f.ctx.inputDiagnostics)) << DiagnosticsLine(f.ctx.inputDiagnostics, 'E');
    if (codeSaid) { EXPECT_TRUE(Said(f.ctx.inputDiagnostics, Severity::Error, c.codeSaid)); }
    ASSERT_NE(f.session.constants.Find(kCodeRow), nullptr);
    EXPECT_EQ(f.session.constants.Find(kCodeRow)->dimension, "BAR");
    EXPECT_EQ(f.session.constants.Find(kCodeRow)->choices.size(), kDesignCodeNames.size());
  }
}

TEST(DesignConstants, CodeAndFuGivenReplaceWhatWasRead) {
  Fixture f("[tavo]\nFU=4100\nCODE=lrfd\n");
  ASSERT_TRUE(f.Open("NO=1\n1 IPE20\n"));
  ASSERT_TRUE(HasError(f.ctx.inputDiagnostics));
  GivenConstants given;
  given.code = DesignCode::Aisc360Asd;
  given.fu = 7000.0;  // out of range, but given: a warning, and used
  ResolveConstants(f.session.constants, f.ctx, given);
  EXPECT_EQ(f.ctx.code, DesignCode::Aisc360Asd);
  EXPECT_DOUBLE_EQ(f.ctx.fu, 7000);
  EXPECT_DOUBLE_EQ(f.ctx.fy, kDefaultFy);
  // The unknown name read before is replaced, and no longer said.
  EXPECT_FALSE(HasError(f.ctx.inputDiagnostics)) << DiagnosticsLine(f.ctx.inputDiagnostics, 'E');
  EXPECT_TRUE(Said(f.ctx.fyDiagnostics, Severity::Warning, "Fu = 7000 kg/cm² is outside"));
  EXPECT_FALSE(HasError(f.ctx.fyDiagnostics));
  // An unknown name typed into the window: out of range, asd89 in force.
  GiveValue(f.session.constants, f.ctx, kCodeRow, "aisc");
  EXPECT_FALSE(f.session.constants.Find(kCodeRow)->inRange);
  EXPECT_EQ(f.ctx.code, DesignCode::Asd89);
  GiveValue(f.session.constants, f.ctx, kCodeRow, "aisc360-lrfd");
  EXPECT_TRUE(f.session.constants.Find(kCodeRow)->inRange);
  EXPECT_EQ(f.ctx.code, DesignCode::Aisc360Lrfd);
  // Saved and read back without an input.
  ASSERT_TRUE(SaveConstants(f.session.constants, f.ctx));
  Fixture again("");
  again.ctx.installDir = f.ctx.installDir;
  DesignConstants reread;
  ResolveConstants(reread, again.ctx, {});
  EXPECT_EQ(again.ctx.code, DesignCode::Aisc360Lrfd);
  EXPECT_DOUBLE_EQ(again.ctx.fu, 7000);
}

}  // namespace
}  // namespace tavo
