#include "ui/desktop_args.h"

#include <gtest/gtest.h>

namespace tavo::ui {
namespace {

TEST(DesktopArgs, TheSuitesPackedArgumentIsPassedOn) {
  const DesktopArgs a = ParseDesktopArguments({"EI-/opt/ardekon/|/home/u/frame"});
  EXPECT_TRUE(a.ok);
  EXPECT_TRUE(a.packed);
  EXPECT_EQ(a.packedArgument, "EI-/opt/ardekon/|/home/u/frame");
  // No argument at all is the suite's empty command line ("End of File!" follows).
  EXPECT_TRUE(ParseDesktopArguments({}).packed);
}

TEST(DesktopArgs, TheHandFormIsReadIntoItsParts) {
  const DesktopArgs a = ParseDesktopArguments({"--lang", "fa", "--mode", "e", "--install", "/opt/t", "x.Ardekon"});
  ASSERT_TRUE(a.ok) << a.error;
  EXPECT_FALSE(a.packed);
  EXPECT_EQ(a.language, 'F');
  EXPECT_EQ(a.mode, 'E');
  EXPECT_EQ(a.installDir, "/opt/t");
  EXPECT_EQ(a.inputFile, "x.Ardekon");
  const DesktopArgs plain = ParseDesktopArguments({"frame.Ardekon"});
  EXPECT_FALSE(plain.packed);
  EXPECT_EQ(plain.language, 'E');
  EXPECT_EQ(plain.mode, 'I');
  EXPECT_EQ(PackArgument('F', 'I', "/opt/t/", "/w/frame"), "FI-/opt/t/|/w/frame");
}

TEST(DesktopArgs, MistakesAreReportedNotGuessed) {
  EXPECT_FALSE(ParseDesktopArguments({"--lang", "de", "a.Ardekon"}).ok);
  EXPECT_FALSE(ParseDesktopArguments({"--mode", "X", "a.Ardekon"}).ok);
  EXPECT_FALSE(ParseDesktopArguments({"--install"}).ok);
  EXPECT_FALSE(ParseDesktopArguments({"--frobnicate", "a.Ardekon"}).ok);
  EXPECT_FALSE(ParseDesktopArguments({"a.Ardekon", "b.Ardekon"}).ok);
  EXPECT_FALSE(ParseDesktopArguments({"--lang", "en"}).ok);  // no input file
  EXPECT_TRUE(ParseDesktopArguments({"--mode", "H"}).ok);    // help needs none
  EXPECT_TRUE(ParseDesktopArguments({"--help"}).help);
}

}  // namespace
}  // namespace tavo::ui
