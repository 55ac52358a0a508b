// Faults around a run: the output folder read-only or full, the catalogue missing, cut short
// or garbage, the input deleted or cut short while the run goes on, a settings file that can't
// be written. Each time: a message on standard error, the documented exit status, the previous
// result files and the input byte for byte as they were, and no temporary file left behind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/process.h"
#include "core/files.h"
#include "core/messages.h"
#include "core/module_context.h"
#include "input/ini_file.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;
using tavo::test::GeneratedInput;
using tavo::test::ReadFile;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;
using tavo::test::Snapshot;

namespace {

std::string Example(const std::string& name) { return ReadFile(tavo::test::SourcePath("examples/" + name)); }

// The input, its folder for the results, and an earlier complete run's files to protect.
class RunFault : public ::testing::Test {
 protected:
  void SetUp() override {
    input_ = scratch_.Write("frame.Ardekon", Example("frame.Ardekon"));
    out_ = scratch_.path() / "out";
    fs::create_directory(out_);
    logs_ = scratch_.path() / "logs";
    fs::create_directory(logs_);
  }
  void TearDown() override {
    if (mounted_) tavo::test::Unmount(out_);
  }
  tavo::test::RunResult Run(const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = extra;
    for (const std::string& a : {std::string("run"), input_.string(), std::string("--out-dir"), out_.string()})
      args.push_back(a);
    return RunTavo(args, logs_);
  }
  // A first, complete run leaves the files a failing run must not touch.
  void EarlierRun() {
    const auto r = Run();
    ASSERT_EQ(r.status, 0) << r.err;
    before_ = Snapshot(out_);
    ASSERT_EQ(before_.size(), 3u);
  }
  void ExpectNothingLost() {
    EXPECT_EQ(Snapshot(out_), before_) << "result files changed, or a temporary file was left";
    EXPECT_EQ(ReadFile(input_), Example("frame.Ardekon"));
  }

  ScratchDir scratch_;
  fs::path input_, out_, logs_;
  std::map<std::string, std::string> before_;
  bool mounted_ = false;
};

TEST_F(RunFault, ReadOnlyOutputFolderKeepsEarlierResults) {
  if (::geteuid() == 0) {
    // chmod does not stop root: a read-only mount does.
    mounted_ = tavo::test::MountTmpfs(out_, 1024);
    if (!mounted_) GTEST_SKIP() << "cannot mount a tmpfs here";
    EarlierRun();
    ASSERT_TRUE(tavo::test::RemountReadOnly(out_));
  } else {
    EarlierRun();
    fs::permissions(out_, fs::perms(0555));
  }
  const auto r = Run();
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr(out_.string()));
  EXPECT_THAT(r.out, Not(HasSubstr("Result files:")));
  ExpectNothingLost();
}

TEST_F(RunFault, FullDiskKeepsEarlierResults) {
  mounted_ = tavo::test::MountTmpfs(out_, 64);
  if (!mounted_) GTEST_SKIP() << "needs root and a tmpfs mount";
  EarlierRun();
  // Enough elements that the new result files cannot fit beside the old ones.
  ASSERT_TRUE(tavo::AtomicWriteFile(input_, GeneratedInput(3000)));
  const std::string bigInput = ReadFile(input_);
  const auto r = Run();
  EXPECT_EQ(r.status, 1);
  EXPECT_FALSE(r.err.empty());
  EXPECT_THAT(r.out, Not(HasSubstr("Result files:")));
  EXPECT_EQ(Snapshot(out_), before_);
  EXPECT_EQ(ReadFile(input_), bigInput);
}

// A copy of the install tree with one catalogue file damaged.
class CatalogueFault : public RunFault {
 protected:
  void SetUp() override {
    RunFault::SetUp();
    install_ = scratch_.path() / "install";
    fs::create_directories(install_);
    for (const char* part : {"cte", "bin"})
      fs::copy(fs::path(TAVO_INSTALL_TREE) / part, install_ / part, fs::copy_options::recursive);
    fs::create_directories(install_ / "temp");
    ipe_ = install_ / "cte" / "stahl.IPE";
    catalogueBefore_ = Snapshot(install_ / "cte");
  }
  tavo::test::RunResult RunDamaged() {
    // The catalogue file is reported once, naming the file; the elements of other families are
    // still checked and the run completes with its result files; the IPE elements are errors,
    // so the status tells a script that not every element was checked.
    const auto r = Run({"--install", install_.string()});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_THAT(r.out, HasSubstr("ERROR"));
    EXPECT_THAT(r.err, HasSubstr("stahl.IPE"));
    EXPECT_THAT(r.out, HasSubstr("IPB20"));
    EXPECT_EQ(Snapshot(out_).size(), 3u);
    EXPECT_EQ(ReadFile(input_), Example("frame.Ardekon"));
    auto cte = Snapshot(install_ / "cte");
    catalogueBefore_.erase("stahl.IPE");
    cte.erase("stahl.IPE");
    EXPECT_EQ(cte, catalogueBefore_);
    return r;
  }
  fs::path install_, ipe_;
  std::map<std::string, std::string> catalogueBefore_;
};

TEST_F(CatalogueFault, MissingFileIsReported) {
  fs::remove(ipe_);
  RunDamaged();
  EXPECT_FALSE(fs::exists(ipe_));
}

TEST_F(CatalogueFault, TruncatedFileIsReported) {
  const std::string whole = ReadFile(ipe_);
  fs::resize_file(ipe_, whole.size() / 3 + 1);
  const std::string cut = ReadFile(ipe_);
  RunDamaged();
  EXPECT_EQ(ReadFile(ipe_), cut);
}

TEST_F(CatalogueFault, GarbageFileIsReported) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage.push_back(static_cast<char>((i * 7919) % 256));
  tavo::AtomicWriteFile(ipe_, garbage);
  RunDamaged();
  EXPECT_EQ(ReadFile(ipe_), garbage);
}

TEST_F(CatalogueFault, EmptyFileIsReported) {
  tavo::AtomicWriteFile(ipe_, "");
  RunDamaged();
}

// The input changes once the run has its working copy: the run goes on from the copy.
class InputChangesDuringRun : public RunFault {
 protected:
  static constexpr int kElements = 30000;
  void StartAndWaitForOutput() {
    ASSERT_TRUE(tavo::AtomicWriteFile(input_, GeneratedInput(kElements)));
    pid_ = tavo::test::StartTavo({"run", input_.string(), "--out-dir", out_.string()}, logs_ / "o", logs_ / "e");
    // The first rows on standard output come after the working copy was made.
    const auto written = [this] {
      std::error_code ec;
      const auto size = fs::file_size(logs_ / "o", ec);
      return ec ? 0 : size;
    };
    for (int i = 0; i < 6000 && written() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GT(written(), 0u);
  }
  void ExpectCompleteRun() {
    EXPECT_EQ(tavo::test::WaitTavo(pid_), 0) << ReadFile(logs_ / "e");
    EXPECT_THAT(ReadFile(logs_ / "o"), HasSubstr(std::to_string(kElements) + " elements: "));
    EXPECT_THAT(ReadFile(logs_ / "o"), HasSubstr(" 0 with errors"));
    const auto files = Snapshot(out_);
    EXPECT_EQ(files.size(), 3u);
    for (const auto& [name, bytes] : files) EXPECT_FALSE(bytes.empty()) << name;
  }
  pid_t pid_ = -1;
};

TEST_F(InputChangesDuringRun, DeletedInputRunCompletesFromWorkingCopy) {
  StartAndWaitForOutput();
  fs::remove(input_);
  ExpectCompleteRun();
  EXPECT_FALSE(fs::exists(input_)) << "the run must not recreate the input";
}

TEST_F(InputChangesDuringRun, TruncatedInputRunCompletesFromWorkingCopy) {
  StartAndWaitForOutput();
  fs::resize_file(input_, 100);
  const std::string cut = ReadFile(input_);
  ExpectCompleteRun();
  EXPECT_EQ(ReadFile(input_), cut) << "the run must only read the input";
}

TEST(InputFault, InputMissingAtStartExitsWithOne) {
  ScratchDir scratch;
  const auto r = RunTavo({"run", (scratch.path() / "none.Ardekon").string()}, scratch.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_THAT(r.err, HasSubstr("none.Ardekon"));
  EXPECT_EQ(Snapshot(scratch.path()).size(), 2u);  // only the two captured streams
}

// The settings file lives in a folder the program may not write to.
TEST(SettingsFault, UnwritableSettingsFileKeepsItsContent) {
  ScratchDir scratch;
  const fs::path dir = scratch.path() / "cte";
  fs::create_directory(dir);
  const std::string before = "[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n";
  const fs::path ini = scratch.Write("cte/constants.ini", before);
  bool mounted = false;
  if (::geteuid() == 0) {
    mounted = tavo::test::MountTmpfs(dir, 64);
    if (!mounted) GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_TRUE(tavo::AtomicWriteFile(ini, before));
    ASSERT_TRUE(tavo::test::RemountReadOnly(dir));
  } else {
    fs::permissions(dir, fs::perms(0555));
  }
  tavo::RecordingMessages messages;
  tavo::ModuleContext ctx;
  ctx.messages = &messages;
  const bool written = tavo::WriteSetting(ctx, "tavo", "FY", "3600", ini.string());
  const auto after = Snapshot(dir);
  if (mounted) tavo::test::Unmount(dir);
  EXPECT_FALSE(written);
  EXPECT_FALSE(messages.calls.empty());
  EXPECT_TRUE(messages.Saw("constants.ini")) << (messages.calls.empty() ? "" : messages.calls[0].text);
  ASSERT_EQ(after.size(), 1u);
  EXPECT_EQ(after.begin()->second, before);
}

}  // namespace
