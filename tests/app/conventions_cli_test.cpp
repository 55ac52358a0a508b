// How tavo behaves as a command-line tool among others: its version, a progress bar only for a
// person at a terminal, --quiet, messages that name the input's file and line the way
// compilers do, no library chatter, and plain words for an input that is not a file.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

#include "app/process.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using tavo::test::RunTavo;
using tavo::test::ScratchDir;

namespace {

// Remarks before and between the element lines, so a file line is not an element index plus
// a fixed offset; element 2 has an error (4 IPE) and element 3 an unreadable length.
const std::string kFaulty =
    "Software=Ardekon  Version=7.12  Module=tavo  Title=lines\n"
    ": a remark line\n"
    "   : an indented remark line\n"
    "NO=3,0,0  Units=[kg]-[cm]\n"
    ": columns\n"
    "1  IPE30  L=300\n"
    ": two remarks\n"
    ": between elements\n"
    "2  4IPE30  L=300 : a remark after the element\n"
    "3  IPE30  L=abc\n";

// The 1-based line of the input that starts with the given text.
int LineOf(const std::string& input, const std::string& start) {
  std::istringstream in(input);
  std::string line;
  for (int n = 1; std::getline(in, line); ++n)
    if (line.rfind(start, 0) == 0) return n;
  return 0;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class ConventionsCli : public ::testing::Test {
 protected:
  ScratchDir scratch_;
};

TEST_F(ConventionsCli, VersionIsTheProjectVersion) {
  const auto r = RunTavo({"--version"}, scratch_.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, std::string("tavo ") + TAVO_VERSION + "\n");
  EXPECT_TRUE(std::regex_match(r.out, std::regex("tavo [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << r.out;
  EXPECT_THAT(r.err, IsEmpty());
}

// Element diagnostics name the line in the user's file, remark lines counted, in the run
// table's notes, in --quiet's errors, and in info's problems; the message text stays as it was.
TEST_F(ConventionsCli, DiagnosticsCarryTheFileAndTheRealLine) {
  const int bad = LineOf(kFaulty, "2  4IPE30"), length = LineOf(kFaulty, "3  IPE30");
  ASSERT_GT(bad, 0);
  for (const bool crlf : {false, true}) {
    SCOPED_TRACE(crlf ? "CRLF line ends" : "LF line ends");
    const std::string file = (scratch_.path() / (crlf ? "crlf.Ardekon" : "lines.Ardekon")).string();
    scratch_.Write(fs::path(file).filename(), crlf ? Replaced(kFaulty, "\n", "\r\n") : kFaulty);
    const std::string at = file + ":" + std::to_string(bad) + ": error: ID 2: A count of 4 IPE profiles";
    const std::string atLength =
        file + ":" + std::to_string(length) + ": error: ID 3: The length L=ABC is not a non-negative number";

    const auto table = RunTavo({"run", file, "--no-files"}, scratch_.path());
    EXPECT_EQ(table.status, 3) << table.err;
    EXPECT_THAT(table.out, HasSubstr("\n" + at));
    EXPECT_THAT(table.out, HasSubstr("\n" + atLength));
    // A warning of the same element carries its own word.
    EXPECT_THAT(table.out, HasSubstr(file + ":" + std::to_string(length) + ": warning: ID 3: "));

    const auto quiet = RunTavo({"run", file, "--no-files", "--quiet"}, scratch_.path());
    EXPECT_EQ(quiet.status, 3);
    EXPECT_THAT(quiet.out, IsEmpty());
    EXPECT_THAT(quiet.err, HasSubstr(at));
    EXPECT_THAT(quiet.err, HasSubstr(atLength));
    EXPECT_THAT(quiet.err, Not(HasSubstr("warning")));

    const auto info = RunTavo({"info", file}, scratch_.path());
    EXPECT_THAT(info.out, HasSubstr("Problems:\n" + file + ":" + std::to_string(length) +
                                    ": error: The length L=ABC is not a non-negative number"));
  }
}

TEST_F(ConventionsCli, QuietPrintsNothingOnSuccessButStillWritesTheResults) {
  const auto input = scratch_.Write("ok.Ardekon", tavo::test::GeneratedInput(9));
  const auto out = scratch_.path() / "results";
  fs::create_directory(out);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", input.string(), "--out-dir", out.string(), "--quiet"},
        std::vector<std::string>{"-q", "run", input.string(), "--out-dir", out.string()}}) {
    fs::remove_all(out);
    fs::create_directory(out);
    const auto r = RunTavo(args, scratch_.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, IsEmpty());
    EXPECT_THAT(r.err, IsEmpty());
    EXPECT_TRUE(fs::exists(out / "ok_Out.csv"));
  }
  // Without it the same run prints its table and where the results went.
  const auto loud = RunTavo({"run", input.string(), "--out-dir", out.string()}, scratch_.path());
  EXPECT_THAT(loud.out, HasSubstr("Result files:"));
  // The other commands take it too.
  const auto section = RunTavo({"section", "IPE30", "--quiet"}, scratch_.path());
  EXPECT_EQ(section.status, 0);
  EXPECT_THAT(section.out + section.err, IsEmpty());
  const auto wrong = RunTavo({"section", "4IPE30", "-q"}, scratch_.path());
  EXPECT_EQ(wrong.status, 3);
  EXPECT_THAT(wrong.out, IsEmpty());
  EXPECT_THAT(wrong.err, HasSubstr("Error: A count of 4 IPE profiles"));
}

// Runs tavo with standard error on a pseudo-terminal and returns what reached it.
std::string RunWithTerminalStderr(const std::vector<std::string>& args, const fs::path& out, int& status) {
  int master = -1, slave = -1;
  if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) return "openpty failed";
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  const pid_t pid = tavo::test::StartTavoOn(args, out, slave);
  ::close(slave);
  // Read while it runs: a full terminal buffer would stall the child.
  std::string seen;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(master, buf, sizeof buf);
    if (n > 0) {
      seen.append(buf, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    break;  // EIO once the child has closed the terminal
  }
  ::close(master);
  status = tavo::test::WaitTavo(pid);
  return seen;
}

// A long run shows the bar to a person at a terminal and wipes it at the end; piped, the same
// run writes none of it.
TEST_F(ConventionsCli, ProgressBarOnlyOnATerminalAndWipedAtTheEnd) {
  const auto input = scratch_.Write("long.Ardekon", tavo::test::GeneratedInput(3000));
  const auto piped = RunTavo({"run", input.string(), "--no-files", "--jobs", "1"}, scratch_.path());
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_THAT(piped.err, Not(HasSubstr("Checking elements")));
  EXPECT_THAT(piped.err, Not(HasSubstr("\r")));

  int status = -1;
  const std::string terminal =
      RunWithTerminalStderr({"run", input.string(), "--no-files", "--jobs", "1"}, scratch_.path() / "o.txt", status);
  EXPECT_EQ(status, 0) << terminal;
  const auto bar = terminal.rfind("Checking elements");
  ASSERT_NE(bar, std::string::npos) << terminal;
  // After the last drawing only the wiping: a return, blanks over the bar, a return.
  EXPECT_TRUE(std::regex_match(terminal.substr(bar), std::regex("Checking elements +[0-9]+%\r +\r"))) << terminal;
  EXPECT_EQ(tavo::test::ReadFile(scratch_.path() / "o.txt"), piped.out);

  // --quiet silences the bar too.
  const std::string quiet = RunWithTerminalStderr({"run", input.string(), "--no-files", "--quiet"},
                                                  scratch_.path() / "o.txt", status);
  EXPECT_EQ(status, 0);
  EXPECT_THAT(quiet, IsEmpty());
}

// Painting a file starts Qt, which notes that no runtime folder is set; that says nothing to
// the user and must not reach standard error.
TEST_F(ConventionsCli, DrawPrintsNoQtChatter) {
  ::unsetenv("XDG_RUNTIME_DIR");
  const auto png = scratch_.path() / "ipe.png";
  const auto r = RunTavo({"draw", "IPE30", "--out", png.string()}, scratch_.path());
  if (r.status == 1 && r.err.find("without Qt") != std::string::npos) GTEST_SKIP() << "built without Qt";
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::exists(png));
  EXPECT_THAT(r.err, Not(HasSubstr("QStandardPaths")));
  EXPECT_THAT(r.err, Not(HasSubstr("XDG_RUNTIME_DIR")));
}

// What is wrong with the name given is said in its own words, never as a missing file the
// user did not name.
TEST_F(ConventionsCli, InputThatIsNotAFileSaysWhatItIs) {
  const auto folder = RunTavo({"run", scratch_.path().string()}, scratch_.path());
  EXPECT_EQ(folder.status, 1);
  EXPECT_THAT(folder.err, HasSubstr(scratch_.path().string() + " is a folder, not an input file"));
  EXPECT_THAT(folder.err, Not(HasSubstr("does not exist")));

  const auto text = scratch_.Write("frame.txt", tavo::test::GeneratedInput(2));
  const auto other = RunTavo({"info", text.string()}, scratch_.path());
  EXPECT_EQ(other.status, 1);
  EXPECT_THAT(other.err, HasSubstr(text.string() + " is not an input file: an input file's name ends in .Ardekon"));

  const auto missing = RunTavo({"run", (scratch_.path() / "none.Ardekon").string()}, scratch_.path());
  EXPECT_EQ(missing.status, 1);
  EXPECT_THAT(missing.err, HasSubstr("File does not exist: " + (scratch_.path() / "none.Ardekon").string()));

  // The name without its extension still finds the input.
  scratch_.Write("frame.Ardekon", tavo::test::GeneratedInput(2));
  EXPECT_EQ(RunTavo({"info", (scratch_.path() / "frame").string()}, scratch_.path()).status, 0);

  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file without read permission";
  const auto locked = scratch_.Write("locked.Ardekon", tavo::test::GeneratedInput(2));
  fs::permissions(locked, fs::perms::none);
  const auto unreadable = RunTavo({"run", locked.string()}, scratch_.path());
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_THAT(unreadable.err, HasSubstr("can't be read"));
}

}  // namespace
