#include <gtest/gtest.h>

#include "core/messages.h"
#include "engine/section_engine.h"

namespace tavo {
namespace {

// An element gets its rows of the forces file and what the file had to say about its lost
// rows; today's rules, which read no forces, are not held up by them.
TEST(SectionEngineForces, AMemberCarriesItsRowsAndTheirProblems) {
  ForcesTable forces;
  forces.found = true;
  Demand row;
  row.combination = "COMB1";
  row.P = -1000;
  forces.byId[5].push_back(row);
  AddDiagnostic(forces.notesById[5], Severity::Error, "Line 3 of the forces file: P = \"x\" is not a number",
                "سطر 3 فایل نیروها: P عدد نیست");
  AddDiagnostic(forces.notesById[6], Severity::Error, "Line 4 of the forces file: P = \"y\" is not a number",
                "سطر 4 فایل نیروها: P عدد نیست");

  for (const DesignCode code : {DesignCode::Aisc360Lrfd, DesignCode::Asd89}) {
    SCOPED_TRACE(static_cast<int>(code));
    RecordingMessages messages;
    ModuleContext ctx;
    ctx.messages = &messages;
    ctx.code = code;
    SectionEngine engine(ctx);
    engine.SetForces(forces);
    const MemberInput five = engine.MemberOf(Element{5, "5 IPE20"}, 1);
    ASSERT_EQ(five.demands.size(), 1u);
    EXPECT_EQ(five.demands[0].combination, "COMB1");
    EXPECT_EQ(HasError(five.diagnostics), code != DesignCode::Asd89);
    // Another element's problems stay with it.
    const MemberInput seven = engine.MemberOf(Element{7, "7 IPE20"}, 1);
    EXPECT_TRUE(seven.demands.empty());
    EXPECT_FALSE(HasError(seven.diagnostics));
  }
}

}  // namespace
}  // namespace tavo
