#include "engine/batch_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "core/ordered_pipeline.h"
#include "input/input_session.h"
#include "support/test_support.h"

namespace tavo {
namespace {

// Chunks are handed on in the order they were made, whatever order the workers finish in.
TEST(OrderedPipeline, ConsumesInOrderAndStopsWhenAsked) {
  for (const int jobs : {1, 2, 5}) {
    SCOPED_TRACE(jobs);
    int made = 0;
    std::vector<int> seen;
    RunOrdered<std::vector<int>>(
        jobs,
        [&](std::vector<int>& c) {
          if (made == 40) return false;
          c.push_back(made++);
          return true;
        },
        [](std::vector<int>& c) {
          // Early chunks take longest, so later ones finish first.
          std::this_thread::sleep_for(std::chrono::microseconds(c[0] % 7 == 0 ? 300 : 0));
          c.push_back(c[0] * c[0]);
        },
        [&](std::vector<int>& c) {
          seen.push_back(c[0]);
          EXPECT_EQ(c[1], c[0] * c[0]);
          return true;
        });
    std::vector<int> expected(40);
    for (int i = 0; i < 40; ++i) expected[static_cast<size_t>(i)] = i;
    EXPECT_EQ(seen, expected);

    // A consumer that stops gets nothing after that, and the run still ends.
    made = 0;
    seen.clear();
    RunOrdered<std::vector<int>>(
        jobs, [&](std::vector<int>& c) { c.push_back(made++); return true; }, [](std::vector<int>&) {},
        [&](std::vector<int>& c) {
          seen.push_back(c[0]);
          return c[0] < 9;
        });
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_EQ(seen.back(), 9);
  }
}

TEST(OrderedPipeline, AFailedChunkReachesTheCaller) {
  for (const int jobs : {1, 3}) {
    int made = 0;
    EXPECT_THROW(RunOrdered<int>(
                     jobs, [&](int& c) { c = made++; return made < 1000; },
                     [](int& c) {
                       if (c == 17) throw std::runtime_error("chunk 17");
                     },
                     [](int&) { return true; }),
                 std::runtime_error);
  }
}

// Keeps what it is given, so runs with different thread counts can be compared.
class Recorder final : public BatchFormatter {
 public:
  void Format(BatchChunk& chunk, int index, const Element& element, const CheckedMember& m) const override {
    chunk.text += std::to_string(index) + ' ' + std::to_string(element.id) + ' ' + m.section.cs.FullText + ' ' +
                  std::to_string(m.section.props.A) + ' ' + (m.results.ok ? "ok" : "no") + '\n';
  }
  bool Write(BatchChunk& chunk) override {
    text += chunk.text;
    for (size_t i = 0; i < chunk.statuses.size(); ++i) {
      statuses.push_back(chunk.statuses[i]);
      summaries += chunk.summaries.size() > i ? 1 : 0;
    }
    ++chunks;
    return stopAfter == 0 || chunks < stopAfter;
  }
  std::string text;
  std::vector<ElementStatus> statuses;
  int summaries = 0, chunks = 0, stopAfter = 0;
};

class BatchRun : public ::testing::Test {
 protected:
  // An input of n elements, a few of them faulty, opened as the programs open it.
  void Open(int n, const std::string& extraLines = "") {
    std::string body = "Software=Ardekon  Version=7.12  Module=tavo  Title=T\nNO=" + std::to_string(n / 2) + "," +
                       std::to_string(n - n / 2) + ",0\n";
    const char* mix[] = {"IPE30  L=400", "2UNP20  (d=12)  L=500", "PG 600*8*250*15  L=900", "XYZ12  L=300",
                         "BOX 300*10*300*15  L=-5", "2L60<>  L=480", "IPE30+2PL200*10  L=600", "TUBE 273*6"};
    for (int i = 1; i <= n; ++i) body += std::to_string(i) + " " + mix[i % 8] + "\n";
    body += extraLines;
    dir_.Write("in.Ardekon", body);
    ctx_.messages = &messages_;
    ctx_.installDir = std::string(TAVO_INSTALL_TREE) + "/";
    ctx_.tempDir = dir_.str() + "temp/";
    SetInputPath(ctx_, dir_.str() + "in.Ardekon");
    ASSERT_TRUE(OpenInput(ctx_, session_));
  }
  test::ScratchDir dir_;
  RecordingMessages messages_;
  ModuleContext ctx_;
  InputSession session_;
};

TEST_F(BatchRun, TheOutputDoesNotDependOnTheThreadsOrTheChunks) {
  std::string first;
  for (const auto& [jobs, chunk] : {std::pair{1, 512}, {2, 7}, {4, 1}, {3, 100}}) {
    SCOPED_TRACE(std::to_string(jobs) + " jobs, chunks of " + std::to_string(chunk));
    ctx_ = ModuleContext{};
    session_ = InputSession{};
    Open(1000);
    SectionEngine engine(ctx_);
    Recorder recorder;
    BatchRunOptions options;
    options.jobs = jobs;
    options.chunkSize = static_cast<size_t>(chunk);
    const BatchRunResult r = RunBatch(engine, session_, recorder, options);
    EXPECT_EQ(r.N, 1000);
    EXPECT_EQ(ctx_.N, 1000);
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(recorder.statuses.size(), 1000u);
    EXPECT_EQ(recorder.summaries, 0);  // none asked for
    // The unknown profile and the negative length are errors, every time in the same place.
    EXPECT_EQ(recorder.statuses[2], ElementStatus::Error);
    EXPECT_EQ(recorder.statuses[3], ElementStatus::Error);
    EXPECT_EQ(recorder.statuses[0], ElementStatus::Ok) << recorder.text.substr(0, 200);
    if (first.empty())
      first = recorder.text;
    else
      EXPECT_EQ(recorder.text, first);
  }
  EXPECT_NE(first.find("\n1000 1000 "), std::string::npos);
}

TEST_F(BatchRun, ACancelKeepsOnlyWhatWasWritten) {
  Open(5000);
  SectionEngine engine(ctx_);
  Recorder recorder;
  recorder.stopAfter = 3;
  BatchRunOptions options;
  options.jobs = 2;
  options.chunkSize = 100;
  options.keepSummaries = true;
  const BatchRunResult r = RunBatch(engine, session_, recorder, options);
  EXPECT_TRUE(r.cancelled);
  // The third chunk's Write said stop: the two before it are all the pass reached.
  EXPECT_EQ(r.N, 200);
  EXPECT_EQ(ctx_.N, 200);
  EXPECT_EQ(recorder.summaries, 300);
  // A cancel is not a short file.
  EXPECT_FALSE(HasError(ctx_.inputDiagnostics));
}

TEST_F(BatchRun, ProgressIsReportedPerChunkAndCanCancel) {
  Open(1000);
  SectionEngine engine(ctx_);
  Recorder recorder;
  BatchRunOptions options;
  options.jobs = 2;
  options.chunkSize = 250;
  std::vector<int> percents;
  const BatchRunResult r = RunBatch(engine, session_, recorder, options, [&](int p) {
    percents.push_back(p);
    return p < 50;
  });
  EXPECT_EQ(percents, (std::vector<int>{25, 50}));
  EXPECT_TRUE(r.cancelled);
  EXPECT_EQ(r.N, 500);
}

TEST_F(BatchRun, TheEndOfTheListIsSaidAsBefore) {
  // The count line promises 10 elements; the sixth line is blank.
  dir_.Write("in.Ardekon",
             "Software=Ardekon  Version=7.12  Module=tavo  Title=T\nNO=10\n1 IPE30\n2 IPE30\n3 IPE30\n4 IPE30\n5 IPE30\n\n7 IPE30\n");
  ctx_.messages = &messages_;
  ctx_.installDir = std::string(TAVO_INSTALL_TREE) + "/";
  ctx_.tempDir = dir_.str() + "temp/";
  SetInputPath(ctx_, dir_.str() + "in.Ardekon");
  ASSERT_TRUE(OpenInput(ctx_, session_));
  SectionEngine engine(ctx_);
  Recorder recorder;
  BatchRunOptions options;
  options.jobs = 3;
  options.chunkSize = 2;
  const BatchRunResult r = RunBatch(engine, session_, recorder, options);
  EXPECT_EQ(r.N, 5);
  EXPECT_TRUE(r.endedOnBlank);
  ASSERT_TRUE(HasError(ctx_.inputDiagnostics));
  EXPECT_NE(ctx_.inputDiagnostics.front().text.find("element line 6 is blank"), std::string::npos);
}

// A catalogue problem found on a worker thread reaches the user once, from the calling thread.
TEST_F(BatchRun, MessagesFromTheChecksAreShownOnce) {
  test::ScratchDir install;
  std::filesystem::copy(std::string(TAVO_INSTALL_TREE) + "/cte", install.path() / "cte",
                        std::filesystem::copy_options::recursive);
  std::filesystem::remove(install.path() / "cte" / "stahl.IPE");
  Open(400);
  ctx_.installDir = install.str();
  SectionEngine engine(ctx_);
  Recorder recorder;
  BatchRunOptions options;
  options.jobs = 3;
  options.chunkSize = 16;
  RunBatch(engine, session_, recorder, options);
  int shown = 0;
  for (const auto& call : messages_.calls) shown += call.text.find("stahl.IPE") != std::string::npos ? 1 : 0;
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace tavo
