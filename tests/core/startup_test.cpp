#include "core/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/wait.h>
#include <unistd.h>

#include "core/files.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/process_launcher.h"
#include "support/test_support.h"

namespace tavo {
namespace {

TEST(ParseCommandLine, PackedArgumentWithEitherSeparator) {
  ModuleContext ctx;
  ASSERT_TRUE(ParseCommandLine(ctx, "FIx/opt/ardekon7.12/|/home/eng/frames/f1   ", "/cwd"));
  EXPECT_EQ(ctx.language, 'F');
  EXPECT_EQ(ctx.runMode, 'I');
  EXPECT_EQ(ctx.installDir, "/opt/ardekon7.12/");
  EXPECT_EQ(ctx.inputBase, "/home/eng/frames/f1");
  EXPECT_EQ(ctx.inputExtension, ".Ardekon");
  EXPECT_EQ(ctx.suiteVersion, "7.12");
  EXPECT_EQ(ctx.inputDir, "/home/eng/frames/");

  ModuleContext win;
  ASSERT_TRUE(ParseCommandLine(win, "EE-c:\\Ardekon6.81\\|c:\\work\\frame", "/cwd"));
  EXPECT_EQ(win.runMode, 'E');
  EXPECT_EQ(win.suiteVersion, "6.81");
  EXPECT_EQ(win.inputDir, "c:\\work\\");
}

TEST(ParseCommandLine, VersionFromInstallDirAndCurrentDirForBareBase) {
  ModuleContext a;
  ParseCommandLine(a, "EI-/suite5/|frame", "/here");
  EXPECT_EQ(a.suiteVersion, "5.8");
  EXPECT_EQ(a.inputDir, "/here/");
  ModuleContext b;
  ParseCommandLine(b, "EI-/suite/|frame", "/here");
  EXPECT_EQ(b.suiteVersion, "");
}

TEST(ParseCommandLine, EmptyArgumentEndsWithMessage) {
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  EXPECT_FALSE(ParseCommandLine(ctx, "   ", "/"));
  ASSERT_EQ(m.calls.size(), 1u);
  EXPECT_EQ(m.calls[0].text, "End of File!");
  EXPECT_EQ(m.calls[0].title, "Error!");
}

TEST(DisplayMetrics, FontSizeLimitsAreStrictForTwelve) {
  EXPECT_EQ(FontSizeForScreen(1920, 1200), 12);
  EXPECT_EQ(FontSizeForScreen(1280, 1024), 10);
  EXPECT_EQ(FontSizeForScreen(1281, 1024), 10);
  EXPECT_EQ(FontSizeForScreen(1280, 700), 8);
  EXPECT_EQ(FontSizeForScreen(1024, 768), 8);
  ModuleContext ctx;
  InitDisplayMetrics(ctx, 1600, 1200);
  EXPECT_EQ(ctx.metrics.fontSize, 12);
  EXPECT_EQ(ctx.metrics.okColour, (Rgb{0, 150, 0}));
  EXPECT_EQ(ctx.metrics.notOkColour, (Rgb{200, 0, 0}));
}

TEST(PickLanguage, HalvesAndSecondSeparator) {
  EXPECT_EQ(PickLanguage("Plain", 'F'), "Plain");
  EXPECT_EQ(PickLanguage("Yes||بله", 'E'), "Yes");
  EXPECT_EQ(PickLanguage("Yes||بله", 'F'), "بله");
  EXPECT_EQ(PickLanguage("Fy|Fy||old||جدید", 'F'), "جدید");
  EXPECT_EQ(PickLanguage("Fy|Fy||old||جدید", 'E'), "Fy|Fy");
}

TEST(ShowMessage, DefaultTitleAndRightToLeftInPersian) {
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  ctx.language = 'F';
  ShowMessage(ctx, "Bad||بد");
  ASSERT_EQ(m.calls.size(), 1u);
  EXPECT_EQ(m.calls[0].text, "بد");
  EXPECT_EQ(m.calls[0].title, "خطا");
  EXPECT_TRUE(m.calls[0].rightToLeft);
}

TEST(FileExistsNonEmpty, EmptyFileCountsAsMissingButStaysAndMissingIsReported) {
  test::ScratchDir dir;
  ModuleContext ctx;
  RecordingMessages m;
  ctx.messages = &m;
  const auto empty = dir.Write("empty.txt", "");
  const auto full = dir.Write("full.txt", "x");
  EXPECT_FALSE(FileExistsNonEmpty(ctx, empty.string()));
  EXPECT_TRUE(std::filesystem::exists(empty));  // the user's file: never deleted
  EXPECT_TRUE(FileExistsNonEmpty(ctx, full.string()));
  EXPECT_FALSE(FileExistsNonEmpty(ctx, dir.str() + "*.txt"));
  EXPECT_TRUE(m.calls.empty());
  EXPECT_FALSE(FileExistsNonEmpty(ctx, dir.str() + "none.txt", "msg"));
  EXPECT_TRUE(m.Saw("File does not exist:"));
}

TEST(AtomicWriteFile, ReplacesWholeAndLeavesNoTemporary) {
  test::ScratchDir dir;
  const auto target = dir.Write("out.csv", "old");
  ASSERT_TRUE(AtomicWriteFile(target, "new contents"));
  EXPECT_EQ(test::ReadFile(target), "new contents");
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);
  std::string error;
  EXPECT_FALSE(AtomicWriteFile(dir.path() / "missing-folder" / "x.csv", "data", &error));
  EXPECT_NE(error.find("x.csv"), std::string::npos);
}

TEST(ReturnToSuite, ClosesFilesAppendsListingDeletesTempsKeepsTheListingAndLaunches) {
  test::ScratchDir dir;
  ModuleContext ctx;
  RecordingMessages m;
  RecordingLauncher launcher;
  ctx.messages = &m;
  ctx.launcher = &launcher;
  ctx.installDir = dir.str();
  ctx.tempDir = dir.str() + "temp/";
  ctx.inputBase = dir.str() + "frame";
  ctx.inputDir = dir.str();
  dir.Write("book.tmp", "listing");
  dir.Write("temp/scratch.tmp", "scratch");
  dir.Write("temp/book-arr.tmp", "ARR\n");
  dir.Write("temp/keep.txt", "k");
  dir.Write("frame.dsn", "DSN\n");
  dir.Write("ardekon", "#!/bin/sh\n");
  bool closed = false;
  EXPECT_EQ(ReturnToSuite(ctx, "/noframe/steel", [&] { closed = true; }), ReturnOutcome::Ended);
  EXPECT_TRUE(closed);
  EXPECT_EQ(test::ReadFile(dir.path() / "frame.dsn"), "DSN\nARR\n");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "temp/scratch.tmp"));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "temp/book-arr.tmp"));
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "temp/keep.txt"));
  // The listing lives beside the input, as the command line leaves it.
  EXPECT_EQ(test::ReadFile(dir.path() / "book.tmp"), "listing");
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].arguments, std::vector<std::string>{"Returned_Back:tavo"});
}

TEST(FindInstallDir, BesideTheProgramOrInShareOfItsPrefix) {
  test::ScratchDir dir;
  namespace fs = std::filesystem;
  const fs::path root = fs::canonical(dir.path());
  // The build's layout: cte/ next to the program.
  fs::create_directories(root / "build" / "cte");
  EXPECT_EQ(FindInstallDir((root / "build" / "tavo").string(), ""), (root / "build").string() + "/");
  // A system install under any prefix: <prefix>/bin/tavo finds <prefix>/share/tavolin.
  fs::create_directories(root / "usr" / "bin");
  fs::create_directories(root / "usr" / "share" / "tavolin" / "cte");
  EXPECT_EQ(FindInstallDir((root / "usr" / "bin" / "tavo").string(), ""),
            (root / "usr" / "share" / "tavolin").string() + "/");
  // A symbolic link to the program leads to the real program's tree.
  fs::create_directories(root / "links");
  fs::create_symlink(root / "usr" / "bin" / "tavo", root / "links" / "tavo");
  std::ofstream(root / "usr" / "bin" / "tavo") << "#!/bin/sh\n";
  EXPECT_EQ(FindInstallDir((root / "links" / "tavo").string(), ""),
            (root / "usr" / "share" / "tavolin").string() + "/");
  // An explicit folder wins; nothing found falls back to the program's own folder.
  EXPECT_EQ(FindInstallDir((root / "usr" / "bin" / "tavo").string(), "/opt/t"), "/opt/t/");
  fs::create_directories(root / "bare" / "bin");
  const std::string bare = FindInstallDir((root / "bare" / "bin" / "tavo").string(), "");
  EXPECT_TRUE(bare == (root / "bare" / "bin").string() + "/" || fs::is_directory(fs::path(bare) / "cte"))
      << bare;
}

// A tree closed to the user (a system install): scratch files and the settings file move to the
// user's own folders; the shipped settings seed the user's copy once and stay untouched. Run in a
// child process as an ordinary user, since folder permissions do not stop root.
TEST(UserFolders, TreeClosedToTheUserSendsWritesToTheUsersFolders) {
  test::ScratchDir dir;
  namespace fs = std::filesystem;
  const fs::path root = fs::canonical(dir.path());
  const fs::path tree = root / "share";
  fs::create_directories(tree / "cte");
  std::ofstream(tree / "cte" / "constants.ini") << "[tavo]\nFY=2400\n";
  // The build's tree, open to its user, is written in place.
  EXPECT_EQ(SettingsFileFor(tree.string()), (tree / "cte" / "constants.ini").string());
  EXPECT_EQ(ScratchDirFor(tree.string()), tree.string() + "/temp/");
  fs::remove(tree / "temp");

  const bool asRoot = ::geteuid() == 0;
  const uid_t user = asRoot ? 65534 : ::geteuid();  // nobody
  fs::create_directories(root / "config");
  fs::create_directories(root / "cache");
  fs::permissions(root, fs::perms(0755));
  if (asRoot) {
    if (::chown((root / "config").c_str(), user, user) != 0 || ::chown((root / "cache").c_str(), user, user) != 0)
      GTEST_SKIP() << "cannot hand folders to another user here";
  } else {
    fs::permissions(tree / "cte", fs::perms(0555));
    fs::permissions(tree, fs::perms(0555));
  }
  const fs::path answers = root / "cache" / "answers";
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (asRoot && (::setgid(user) != 0 || ::setuid(user) != 0)) ::_exit(3);
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
    const std::string settings = SettingsFileFor(tree.string());
    const std::string scratch = ScratchDirFor(tree.string());
    const std::string seeded = test::ReadFile(settings);
    std::ofstream(settings) << "[tavo]\nFY=3600\n";  // the user's copy, once changed, is what is read
    std::ofstream(answers) << settings << '\n' << scratch << '\n' << SettingsFileFor(tree.string()) << '\n' << seeded;
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!asRoot) {
    fs::permissions(tree, fs::perms(0755));
    fs::permissions(tree / "cte", fs::perms(0755));
  }
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child could not become another user";
  const std::string mine = (root / "config" / "tavolin" / "constants.ini").string();
  EXPECT_EQ(test::ReadFile(answers), mine + "\n" + (root / "cache" / "tavolin" / "temp").string() + "/\n" + mine + "\n" +
                                          "[tavo]\nFY=2400\n");
  EXPECT_EQ(test::ReadFile(mine), "[tavo]\nFY=3600\n");
  EXPECT_EQ(test::ReadFile(tree / "cte" / "constants.ini"), "[tavo]\nFY=2400\n");
  EXPECT_FALSE(fs::exists(tree / "temp"));
}

TEST(ListingDir, BesideTheInputAsTheCommandLineWritesIt) {
  ModuleContext ctx;
  ctx.inputDir = "/data/frames/";
  ctx.inputBase = "/elsewhere/frame";
  EXPECT_EQ(ListingDir(ctx), std::filesystem::path("/data/frames/"));
  ctx.inputDir.clear();
  EXPECT_EQ(ListingDir(ctx), std::filesystem::path("/elsewhere"));
  ctx.inputBase = "frame";
  EXPECT_EQ(ListingDir(ctx), std::filesystem::path("."));
}

TEST(ReturnToSuite, ExitRequestKeepsRunningAndHelpModeSkipsFiles) {
  test::ScratchDir dir;
  ModuleContext ctx;
  RecordingLauncher launcher;
  ctx.launcher = &launcher;
  ctx.installDir = dir.str();
  ctx.tempDir = dir.str();
  dir.Write("a.tmp", "x");
  bool closed = false;
  EXPECT_EQ(ReturnToSuite(ctx, "/noframe/exit", [&] { closed = true; }), ReturnOutcome::KeepRunning);
  EXPECT_TRUE(closed);
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "a.tmp"));
  EXPECT_TRUE(launcher.calls.empty());

  ctx.runMode = 'H';
  closed = false;
  RecordingMessages m;
  ctx.messages = &m;
  EXPECT_EQ(ReturnToSuite(ctx, "exit", [&] { closed = true; }), ReturnOutcome::Ended);
  EXPECT_FALSE(closed);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a.tmp"));
  EXPECT_TRUE(m.Saw("not found"));  // no suite program in the folder: reported, not fatal
}

}  // namespace
}  // namespace tavo
