// The RTF files open in a word processor: LibreOffice converts them to text and the values are
// there. Skipped where LibreOffice is not installed.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/module_context.h"
#include "families/family_table.h"
#include "core/text_util.h"
#include "output/report_writers.h"
#include "output/results_writer.h"
#include "output/section_report.h"
#include "support/test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

std::string FindOffice() {
  const char* path = std::getenv("PATH");
  for (const auto& dir : Split(path ? path : "", ':'))
    for (const char* name : {"soffice", "libreoffice"})
      if (!dir.empty() && ::access((fs::path(dir) / name).c_str(), X_OK) == 0) return (fs::path(dir) / name).string();
  return {};
}

// soffice --headless --convert-to txt:Text (encoded):UTF8 --outdir DIR FILE, without a shell.
bool ConvertToText(const std::string& office, const fs::path& file, const fs::path& outDir) {
  const std::string profile = "-env:UserInstallation=file://" + (outDir / "profile").string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execl(office.c_str(), office.c_str(), profile.c_str(), "--headless", "--convert-to", "txt:Text (encoded):UTF8",
            "--outdir", outDir.c_str(), file.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(RtfOpensInAWordProcessor, ReportAndResultTable) {
  const std::string office = FindOffice();
  if (office.empty()) GTEST_SKIP() << "LibreOffice is not installed";
  test::ScratchDir dir;
  ModuleContext ctx;
  ctx.language = 'F';
  CheckedMember m;
  m.section.cs.family = "TUBE";
  m.section.family = StandardFamily("TUBE");
  m.section.cs.FullText = "TUBE273*10";
  m.section.props.A = 82.62;
  m.member.kind = MemberKind::Column;
  m.results.cls = "C";
  Report r(ctx);
  WriteSectionReport(r, m);
  std::ofstream(dir.path() / "report.rtf", std::ios::binary) << RenderRtf(r);
  ASSERT_TRUE(ConvertToText(office, dir.path() / "report.rtf", dir.path()));
  const std::string text = test::ReadFile(dir.path() / "report.txt");
  EXPECT_NE(text.find("TUBE273*10"), std::string::npos);
  EXPECT_NE(text.find("82.62"), std::string::npos);
  EXPECT_NE(text.find("این مقطع فشرده"), std::string::npos);

  ctx.inputBase = dir.str() + "frame";
  ResultsWriter w(ctx);
  ResultsOptions o;
  o.listingDir = dir.path();
  ASSERT_TRUE(w.Start(o));
  m.section.props.A = 53.81;
  w.Add(m, Element{7, "7 TUBE273*10"}, MemberKind::Column);
  ASSERT_TRUE(w.Finish());
  ASSERT_TRUE(ConvertToText(office, dir.path() / "frame_Out.rtf", dir.path()));
  const std::string table = test::ReadFile(dir.path() / "frame_Out.txt");
  EXPECT_NE(table.find("53.81"), std::string::npos);
  EXPECT_NE(table.find("شعاع ژیراسیون"), std::string::npos);
}

}  // namespace
}  // namespace tavo
