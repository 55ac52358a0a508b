// Faults on the desktop program's own writes: the result files, a saved report, the input
// written by table entry and the settings file, each into a folder that is read-only or full.
// Each time: a message, every earlier file byte for byte as it was, and no temporary file
// left behind. The folders are small tmpfs mounts, which needs root (skipped otherwise).
#include <gtest/gtest.h>

#include <fstream>

#include "support/test_support.h"
#include "ui/frm_constant.h"
#include "ui/frm_enter.h"
#include "ui/frm_main.h"
#include "ui_test_support.h"

namespace tavo::test {
namespace {

namespace fs = std::filesystem;

enum class Fault { ReadOnly, Full };

const char* Name(Fault f) { return f == Fault::ReadOnly ? "read-only" : "full"; }

// A folder of its own on a small tmpfs, keeping what it held before.
class Disk {
 public:
  explicit Disk(fs::path dir) : dir_(std::move(dir)) {}
  ~Disk() {
    if (mounted_) Unmount(dir_);
  }
  bool Mount() {
    const fs::path aside = dir_.string() + ".aside";
    fs::create_directories(dir_);
    fs::rename(dir_, aside);
    fs::create_directories(dir_);
    mounted_ = MountTmpfs(dir_, 4096);
    if (mounted_) fs::copy(aside, dir_, fs::copy_options::recursive);
    return mounted_;
  }
  void Break(Fault f) {
    if (f == Fault::ReadOnly) {
      ASSERT_TRUE(RemountReadOnly(dir_));
      return;
    }
    // Fill it to the last byte.
    std::ofstream filler(dir_ / "filler", std::ios::binary);
    const std::string block(1 << 16, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
    }
  }
  // What the folder holds, without the filler.
  std::map<std::string, std::string> Files() const {
    auto files = Snapshot(dir_);
    files.erase("filler");
    return files;
  }
  const fs::path& dir() const { return dir_; }

 private:
  fs::path dir_;
  bool mounted_ = false;
};

bool SawMessage(const RecordingMessages& m, size_t from) {
  for (size_t i = from; i < m.calls.size(); ++i)
    if (!m.calls[i].question) return true;
  return false;
}

// The input and its results live on the faulty disk.
TEST(DesktopFault, ResultFilesAndSavedReportsKeepTheEarlierFiles) {
  for (const Fault fault : {Fault::ReadOnly, Fault::Full}) {
    SCOPED_TRACE(Name(fault));
    ProgramRun run;
    Disk disk(run.tree.dir.path() / "disk");
    if (!disk.Mount()) GTEST_SKIP() << "mounting a tmpfs needs root";
    std::ofstream(disk.dir() / "frame.Ardekon") << ReadFile(SourcePath("examples/frame.Ardekon"));
    ASSERT_TRUE(run.Start((disk.dir() / "frame").string()));
    ui::TavolinProgram& p = *run.program;
    ASSERT_TRUE(p.constantsWindow()->CmdGo_Click());
    // A complete run and a saved report first: the files a failing write must not touch.
    run.messages.nextAnswer = Answer::No;
    p.Results();
    p.ShowElement(2);
    const std::string report = (disk.dir() / "report.rtf").string();
    ASSERT_TRUE(p.editor()->SaveReport(report));
    const auto before = disk.Files();
    ASSERT_TRUE(before.count("frame_Out.csv") && before.count("frame_Out.rtf") && before.count("report.rtf"));

    disk.Break(fault);
    const size_t said = run.messages.calls.size();
    p.Results();
    EXPECT_TRUE(SawMessage(run.messages, said));
    EXPECT_FALSE(p.editor()->SaveReport(report));
    EXPECT_TRUE(run.messages.calls.size() > said + 1);
    EXPECT_EQ(disk.Files(), before);  // same names (no temporary file) and same bytes
  }
}

// Table entry writes the input (and its backup) on the faulty disk.
TEST(DesktopFault, TableEntryKeepsTheInputAndItsBackup) {
  for (const Fault fault : {Fault::ReadOnly, Fault::Full}) {
    SCOPED_TRACE(Name(fault));
    ProgramRun run;
    Disk disk(run.tree.dir.path() / "disk");
    if (!disk.Mount()) GTEST_SKIP() << "mounting a tmpfs needs root";
    const std::string old = ReadFile(SourcePath("examples/frame.Ardekon"));
    std::ofstream(disk.dir() / "frame.Ardekon") << old;
    std::ofstream(disk.dir() / "frame.Ardekon_bak") << "an older backup\n";
    ASSERT_TRUE(run.Start((disk.dir() / "frame").string(), 'E', 'E'));
    ASSERT_TRUE(run.program->constantsWindow()->CmdGo_Click());
    ui::frmEnter* entry = run.program->tableEntry();
    ASSERT_NE(entry, nullptr);
    const auto before = disk.Files();
    disk.Break(fault);
    const size_t said = run.messages.calls.size();
    EXPECT_FALSE(entry->CmdGo_Click());
    EXPECT_TRUE(SawMessage(run.messages, said));
    EXPECT_EQ(disk.Files(), before);
    EXPECT_EQ(ReadFile(disk.dir() / "frame.Ardekon"), old);
  }
}

// The settings file lives in the install tree's cte folder, here on the faulty disk: Continue
// still goes on with the values typed, says the file was not written, and keeps it as it was.
TEST(DesktopFault, SettingsKeepTheirFile) {
  for (const Fault fault : {Fault::ReadOnly, Fault::Full}) {
    SCOPED_TRACE(Name(fault));
    ProgramRun run;
    Disk disk(fs::path(run.tree.install()) / "cte");
    std::ofstream(disk.dir() / "constants.ini") << "; Settings of the Tavolin module\n[tavo]\nUNITS=[kg]-[cm]\nFY=2400\n";
    if (!disk.Mount()) GTEST_SKIP() << "mounting a tmpfs needs root";
    ASSERT_TRUE(run.Start(run.tree.Example("frame")));
    const auto before = disk.Files();
    disk.Break(fault);
    const size_t said = run.messages.calls.size();
    TypeKeys(run.program->constantsWindow()->valueBox(1), "2600");
    EXPECT_TRUE(run.program->constantsWindow()->CmdGo_Click());
    EXPECT_TRUE(SawMessage(run.messages, said));
    EXPECT_DOUBLE_EQ(run.program->context().fy, 2600);  // in force for this run all the same
    EXPECT_EQ(disk.Files(), before);
  }
}

// Hostile input files: the program says what is wrong and does not crash, whatever the bytes.
TEST(DesktopHostileInput, BinaryHugeEmptyAndTruncatedInputsAreTold) {
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 131 + 7) % 256);
  const std::string header = "Software=Ardekon  Version=7.12  Module=tavo  Title=Hostile\n";
  const std::string frame = ReadFile(SourcePath("examples/frame.Ardekon"));
  const std::pair<const char*, std::string> inputs[] = {
      {"binary", binary},
      {"huge line", header + "NO=1\n1 IPE30  L=400  " + std::string(3'000'000, 'X') + "\n"},
      {"empty", ""},
      {"truncated", frame.substr(0, frame.size() / 2)},
      {"count beyond the lines", header + "NO=5000000\n1 IPE30  L=400\n"},
  };
  for (const auto& [name, bytes] : inputs) {
    SCOPED_TRACE(name);
    ProgramRun run;
    const std::string base = run.tree.Input("hostile", bytes);
    if (!run.Start(base)) {
      EXPECT_FALSE(run.messages.calls.empty());  // it said why it could not start
      continue;
    }
    run.program->constantsWindow()->CmdGo_Click();
    ui::TavolinProgram& p = *run.program;
    // Whatever was read can be shown and checked again.
    for (int i = 1; i <= std::min(p.context().N, 3); ++i) p.ShowElement(i);
    EXPECT_LE(static_cast<size_t>(p.context().N), p.elements().size());
  }
}

}  // namespace
}  // namespace tavo::test
