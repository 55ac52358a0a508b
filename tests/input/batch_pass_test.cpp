#include "input/batch_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_util.h"
#include "support/input_fixture.h"

namespace tavo {
namespace {

// An input file with a session opened on it and a check that records what it was given.
struct Pass : test::OpenedInput {
  std::vector<int> checkedIndices;
  std::vector<std::string> checkedTexts;
  std::vector<MemberKind> kinds;
  std::vector<int> progress;
  bool opened = false;

  explicit Pass(const std::string& body) { opened = Open(test::kInputHeader + body); }

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

TEST(BatchPass, ProgressRoundsHalvesToEven) {
  EXPECT_EQ(ProgressPercent(1, 8), 12);  // 12.5
  EXPECT_EQ(ProgressPercent(3, 8), 38);  // 37.5
}

// How far a pass goes and why it stops: N is what was checked, and what the file got wrong is
// said once (nothing when the user cancelled).
struct StopCase {
  const char* why;
  const char* body;
  int cancelAt;  // the progress call that answers "cancel"; -1 never
  int N;
  std::vector<int> progress;
  bool endedOnBlank, cancelled;
  const char* error;  // the one input diagnostic, an error; "" none at all; nullptr not checked
};
const StopCase kStops[] = {
    {"three elements round to nearest", "NO=3\n1 IPE20\n2 IPE20\n3 IPE20\n", -1, 3, {33, 67, 100}, false, false,
     nullptr},
    // The blank line is where the list ends, not an element: N counts the two before it.
    {"blank third line of five", "NO=5\n1 IPE20\n2 IPE20\n\n4 IPE20\n5 IPE20\n", -1, 2, {20, 40}, true, false,
     "element line 3 is blank"},
    {"end of the working copy", "NO=6\n1 IPE20\n2 IPE20\n3 IPE20\n", -1, 3, {17, 33, 50}, false, false,
     "gives 6 elements, but the file holds only 3"},
    {"cancel keeps the elements done", "NO=5\n1 IPE20\n2 IPE20\n3 IPE20\n4 IPE20\n5 IPE20\n", 2, 2, {20, 40}, false,
     true, ""},
    {"a single element has no progress", "NO=1\n7 IPE20\n", -1, 1, {}, false, false, nullptr},
    {"no element lines", "NO=3\n", -1, 0, {}, false, false, nullptr},
};

TEST(BatchPass, StopsAtTheEndTheBlankLineOrTheUser) {
  for (const StopCase& c : kStops) {
    SCOPED_TRACE(c.why);
    Pass p(c.body);
    const BatchPassResult r = p.Run(c.cancelAt);
    EXPECT_EQ(r.N, c.N);
    EXPECT_EQ(p.ctx.N, c.N);
    std::vector<int> first(static_cast<size_t>(c.N));
    for (int i = 0; i < c.N; ++i) first[static_cast<size_t>(i)] = i + 1;
    EXPECT_EQ(p.checkedIndices, first);
    EXPECT_EQ(r.results.size(), static_cast<size_t>(c.N));
    EXPECT_EQ(r.elements.size(), static_cast<size_t>(c.N));
    EXPECT_EQ(p.progress, c.progress);
    EXPECT_EQ(r.endedOnBlank, c.endedOnBlank);
    EXPECT_EQ(r.cancelled, c.cancelled);
    if (c.error && !*c.error) { EXPECT_TRUE(p.ctx.inputDiagnostics.empty()); }
    if (c.error && *c.error) {
      ASSERT_EQ(p.ctx.inputDiagnostics.size(), 1u);
      EXPECT_TRUE(test::Said(p.ctx.inputDiagnostics, Severity::Error, c.error));
    }
  }
  EXPECT_EQ(Pass("NO=1\n7 IPE20\n").Run().elements[0].id, 7);
  Pass none("NO=3\n");
  none.Run();
  EXPECT_TRUE(none.messages.Saw("no element lines"));
}

TEST(BatchPass, CommentLinesAreNotElements) {
  Pass p("NO=2\n1 IPE20 : first\n: a remark\n2 IPE22\n");
  EXPECT_EQ(p.Run().N, 2);
  EXPECT_EQ(p.checkedTexts, (std::vector<std::string>{"1 IPE20", "2 IPE22"}));
}

TEST(BatchPass, DataUnitsAreSetUpForTheElements) {
  Pass p("NO=1 UNITS=[ton]-[m]\n1 IPE20 L=3\n");
  p.Run();
  EXPECT_FLOAT_EQ(p.ctx.dataUnitSystem.lengthFactor, 100.0f);
}

}  // namespace
}  // namespace tavo
