#include "input/batch_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/messages.h"
#include "core/text_util.h"
#include "support/test_support.h"

namespace tavo {
namespace {

const char* kHeader = "Software=Ardekon  Version=7.12  Module=tavo  Title=Batch\n";

// An input file with a session opened on it and a check that records what it was given.
struct Pass {
  test::ScratchDir dir;
  RecordingMessages messages;
  ModuleContext ctx;
  InputSession session;
  std::vector<int> checkedIndices;
  std::vector<std::string> checkedTexts;
  std::vector<MemberKind> kinds;
  std::vector<int> progress;

  explicit Pass(const std::string& body) {
    ctx.messages = &messages;
    ctx.installDir = dir.str();
    ctx.tempDir = dir.str() + "temp/";
    dir.Write("in.Ardekon", std::string(kHeader) + body);
    SetInputPath(ctx, dir.str() + "in.Ardekon");
    opened = OpenInput(ctx, session);
  }
  bool opened = false;

  BatchPassResult Run(int cancelAt = -1) {
    ElementCheckFn check = [this](int index, const Element& e) {
      checkedIndices.push_back(index);
      checkedTexts.push_back(Trim(e.text));
      kinds.push_back(KindOfIndex(ctx, index));
      ElementSummary s;
      s.ok = index % 2 == 1;  // odd elements OK, even not
      return s;
    };
    ProgressFn onProgress = [this, cancelAt](int percent) {
      progress.push_back(percent);
      return static_cast<int>(progress.size()) != cancelAt;
    };
    return Main_Continue_Const(ctx, session, check, onProgress);
  }
};

TEST(BatchPass, EveryElementInOrderWithProgress) {
  Pass p("NO=2,2,1\n1 IPE20\n2 IPE22 L=300\n3 ipe24\n4 IPE27\n5 L60\n");
  ASSERT_TRUE(p.opened);
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 5);
  EXPECT_EQ(p.ctx.N, 5);
  EXPECT_FALSE(r.cancelled);
  EXPECT_FALSE(r.endedOnBlank);
  EXPECT_EQ(p.progress, (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(p.checkedIndices, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(p.checkedTexts[2], "3 IPE24");  // upper-cased, trimmed
  EXPECT_EQ(r.elements[2].text, "3 IPE24");
  EXPECT_EQ(r.elements[4].id, 5);
  EXPECT_EQ(p.kinds, (std::vector<MemberKind>{MemberKind::Column, MemberKind::Column, MemberKind::Beam,
                                               MemberKind::Beam, MemberKind::Bracing}));
  ASSERT_EQ(r.results.size(), 5u);
  EXPECT_TRUE(r.results[0].checked);
  EXPECT_TRUE(r.results[0].ok);
  EXPECT_FALSE(r.results[1].ok);
  EXPECT_FALSE(p.session.copy.IsOpen());
}

TEST(BatchPass, ProgressForThreeElementsRoundsToNearest) {
  Pass p("NO=3\n1 IPE20\n2 IPE20\n3 IPE20\n");
  p.Run();
  EXPECT_EQ(p.progress, (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(ProgressPercent(1, 8), 12);  // 12.5: halves to even
  EXPECT_EQ(ProgressPercent(3, 8), 38);  // 37.5
}

// The blank line is where the list ends, not an element: N counts the two elements before it,
// and the three the count line promised beyond them are reported.
TEST(BatchPass, BlankThirdLineOfFiveEndsWithTwoAndIsReported) {
  Pass p("NO=5\n1 IPE20\n2 IPE20\n\n4 IPE20\n5 IPE20\n");
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 2);
  EXPECT_EQ(p.ctx.N, 2);
  EXPECT_TRUE(r.endedOnBlank);
  EXPECT_EQ(p.checkedIndices, (std::vector<int>{1, 2}));
  EXPECT_EQ(p.progress, (std::vector<int>{20, 40}));
  ASSERT_EQ(r.results.size(), 2u);
  ASSERT_EQ(r.elements.size(), 2u);
  ASSERT_EQ(p.ctx.inputDiagnostics.size(), 1u);
  EXPECT_EQ(p.ctx.inputDiagnostics[0].severity, Severity::Error);
  EXPECT_NE(p.ctx.inputDiagnostics[0].text.find("element line 3 is blank"), std::string::npos);
}

TEST(BatchPass, EndOfTheWorkingCopyReducesN) {
  Pass p("NO=6\n1 IPE20\n2 IPE20\n3 IPE20\n");
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 3);
  EXPECT_EQ(p.ctx.N, 3);
  EXPECT_EQ(p.checkedIndices, (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(r.endedOnBlank);
  ASSERT_EQ(p.ctx.inputDiagnostics.size(), 1u);
  EXPECT_EQ(p.ctx.inputDiagnostics[0].severity, Severity::Error);
  EXPECT_NE(p.ctx.inputDiagnostics[0].text.find("gives 6 elements, but the file holds only 3"), std::string::npos);
}

TEST(BatchPass, CancelKeepsTheElementsDone) {
  Pass p("NO=5\n1 IPE20\n2 IPE20\n3 IPE20\n4 IPE20\n5 IPE20\n");
  const BatchPassResult r = p.Run(2);  // the second progress call answers "cancel"
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.N, 2);
  EXPECT_EQ(p.ctx.N, 2);
  EXPECT_EQ(p.checkedIndices, (std::vector<int>{1, 2}));
  EXPECT_EQ(r.results.size(), 2u);
  EXPECT_TRUE(p.ctx.inputDiagnostics.empty());  // stopped by the user: nothing wrong with the file
}

TEST(BatchPass, SingleElementHasNoProgress) {
  Pass p("NO=1\n7 IPE20\n");
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 1);
  EXPECT_EQ(p.checkedIndices, (std::vector<int>{1}));
  EXPECT_TRUE(p.progress.empty());
  EXPECT_EQ(r.elements[0].id, 7);
}

TEST(BatchPass, NoElementLinesIsReportedNotReadAsAnElement) {
  Pass p("NO=3\n");
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 0);
  EXPECT_EQ(p.ctx.N, 0);
  EXPECT_TRUE(p.checkedIndices.empty());
  EXPECT_TRUE(p.messages.Saw("no element lines"));
}

TEST(BatchPass, CommentLinesAreNotElements) {
  Pass p("NO=2\n1 IPE20 : first\n: a remark\n2 IPE22\n");
  const BatchPassResult r = p.Run();
  EXPECT_EQ(r.N, 2);
  EXPECT_EQ(p.checkedTexts, (std::vector<std::string>{"1 IPE20", "2 IPE22"}));
}

TEST(BatchPass, DataUnitsAreSetUpForTheElements) {
  Pass p("NO=1 UNITS=[ton]-[m]\n1 IPE20 L=3\n");
  p.Run();
  EXPECT_FLOAT_EQ(p.ctx.dataUnitSystem.lengthFactor, 100.0f);
}

}  // namespace
}  // namespace tavo
