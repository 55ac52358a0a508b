#include "engine/section_engine.h"

#include <gtest/gtest.h>

#include "core/messages.h"
#include "input/input_session.h"
#include "support/test_support.h"

namespace tavo {
namespace {

enum class Said { Nothing, Warning, Error };

Said WhatIsSaid(const Diagnostics& d) {
  return HasError(d) ? Said::Error : HasWarning(d) ? Said::Warning : Said::Nothing;
}

// A run state with its install tree in dir.
void UseInstall(ModuleContext& ctx, RecordingMessages& messages, const test::ScratchDir& dir) {
  ctx.messages = &messages;
  ctx.installDir = dir.str();
  ctx.tempDir = dir.str() + "temp/";
}

// Every command takes Fy from here: the value given, else the input's, else the settings
// file's in its own units, else the default; a given value out of range is only a warning.
TEST(SectionEngine, ResolvesFyInOneOrder) {
  struct Case {
    const char* name;
    const char* settings;
    const char* input;  // the input's lines after its header; empty: a designation on its own
    std::optional<double> given;
    double fy;
    Said said;
  };
  const Case cases[] = {
      {"default", "", "", {}, 2400, Said::Nothing},
      {"settings", "[tavo]\nFY=2600\n", "", {}, 2600, Said::Nothing},
      {"settings in their own units", "[tavo]\nUNITS=[ton]-[m]\nFY=26000\n", "", {}, 2600, Said::Nothing},
      {"settings out of range", "[tavo]\nFY=5000\n", "", {}, 5000, Said::Error},
      {"input over settings", "[tavo]\nFY=2600\n", "CONSTANTS\nFy=2500\nNO=1\n1 IPE20\n", {}, 2500, Said::Nothing},
      {"settings under an input without Fy", "[tavo]\nFY=2600\n", "NO=1\n1 IPE20\n", {}, 2600, Said::Nothing},
      {"given over input", "[tavo]\nFY=2600\n", "CONSTANTS\nFy=2500\nNO=1\n1 IPE20\n", 3000, 3000, Said::Nothing},
      {"given over settings", "[tavo]\nFY=2600\n", "", 2800, 2800, Said::Nothing},
      {"given out of range", "", "", 5000, 5000, Said::Warning},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    RecordingMessages messages;
    ModuleContext ctx;
    UseInstall(ctx, messages, dir);
    if (*c.settings) dir.Write("cte/constants.ini", c.settings);
    InputSession session;
    if (*c.input) {
      dir.Write("in.Ardekon", std::string("Software=Ardekon  Version=7.12  Module=tavo  Title=T\n") + c.input);
      SetInputPath(ctx, dir.str() + "in.Ardekon");
      ASSERT_TRUE(OpenInput(ctx, session));
    }
    SectionEngine engine(ctx);
    engine.ResolveFy(c.given, *c.input ? &session.constants : nullptr);
    EXPECT_DOUBLE_EQ(ctx.fy, c.fy);
    EXPECT_EQ(WhatIsSaid(ctx.fyDiagnostics), c.said);
    // The member made next carries that Fy and what is said about it.
    const MemberInput member = engine.MemberOfDesignation(MemberKind::Column, 0);
    EXPECT_DOUBLE_EQ(member.fy, c.fy);
    EXPECT_EQ(WhatIsSaid(member.diagnostics), c.said);
  }
}

// The code and Fu given or read reach every member made; Fu's problems go with Fy's when a
// member is checked again, not twice; the forces file is looked for beside the input.
TEST(SectionEngine, CodeFuAndForcesReachTheMembers) {
  test::ScratchDir dir;
  RecordingMessages messages;
  ModuleContext ctx;
  UseInstall(ctx, messages, dir);
  dir.Write("cte/constants.ini", "[tavo]\nFU=2000\nCODE=aisc360-asd\n");
  SectionEngine engine(ctx);
  engine.ResolveConstants({});
  EXPECT_EQ(ctx.code, DesignCode::Aisc360Asd);
  MemberInput member = engine.MemberOfDesignation(MemberKind::Column, 0);
  EXPECT_EQ(member.code, DesignCode::Aisc360Asd);
  EXPECT_DOUBLE_EQ(member.fu, 2000);
  ASSERT_EQ(member.diagnostics.size(), 1u);  // Fu out of range, read from the settings: an error
  EXPECT_EQ(member.diagnostics[0].subject, "Fu");
  member = engine.WithFyInForce(member);
  EXPECT_EQ(member.diagnostics.size(), 1u);

  GivenConstants given;
  given.code = DesignCode::Aisc360Lrfd;
  given.fu = 4000.0;
  engine.ResolveConstants(given);
  member = engine.WithFyInForce(member);
  EXPECT_TRUE(member.diagnostics.empty());
  EXPECT_EQ(engine.MemberOfDesignation(MemberKind::Beam, 0).code, DesignCode::Aisc360Lrfd);
  EXPECT_DOUBLE_EQ(engine.MemberOfDesignation(MemberKind::Beam, 0).fu, 4000);

  const std::string input = dir.str() + "frame.Ardekon";
  EXPECT_FALSE(engine.LoadForcesBeside(input));
  EXPECT_TRUE(engine.forces().byId.empty());
  dir.Write("frame.forces.csv", "ID,OutputCase,P\n1,C1,-100\n");
  EXPECT_TRUE(engine.LoadForcesBeside(input));
  EXPECT_FALSE(engine.LoadForces(dir.path() / "other.csv"));
  EXPECT_TRUE(engine.forces().byId.empty());
}

TEST(SectionEngine, FindsAnElementByItsId) {
  const std::vector<Element> elements{{5, "5 IPE20"}, {3, "3 IPE22"}, {5, "5 IPE24"}, {0, "X IPE27"}};
  const struct {
    int id, index;
  } cases[] = {{5, 1}, {3, 2}, {7, 0}, {-1, 0}};
  for (const auto& c : cases) EXPECT_EQ(IndexOfElementId(elements, c.id), c.index) << "ID " << c.id;
  EXPECT_EQ(IndexOfElementId({}, 5), 0);
}

TEST(SectionEngine, ReadsMemberKindNames) {
  const struct {
    const char* name;
    std::optional<MemberKind> kind;
  } cases[] = {{"column", MemberKind::Column}, {"beam", MemberKind::Beam}, {"bracing", MemberKind::Bracing},
               {"", std::nullopt},           {"Beam", std::nullopt},     {"brace", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(MemberKindOfName(c.name), c.kind) << '"' << c.name << '"';
  for (const char* name : kMemberKindNames) EXPECT_STREQ(KindName(*MemberKindOfName(name)), name);
}

}  // namespace
}  // namespace tavo
