// The drawing window's picture written to a file from the toolbar and the File menu.
#include <QAction>
#include <QApplication>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "ui/frm_draw.h"
#include "ui/frm_mdi.h"
#include "ui/ui_test_support.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct ExportRun {
  test::ProgramRun run;
  ui::TavolinProgram* p = nullptr;
  QString answer;
  bool asked = false;

  bool Start() {
    if (!run.StartFrameAndContinue()) return false;
    p = run.program.get();
    p->frame()->show();
    p->ShowElement(2);
    QApplication::processEvents();
    p->drawing()->exportPathSeam = [this] {
      asked = true;
      return answer;
    };
    return true;
  }
  fs::path Path(const std::string& name) const { return run.tree.dir.path() / name; }
};

TEST(DrawExport, ToolbarAndMenuWriteEachFormatOfTheShownSection) {
  ExportRun e;
  ASSERT_TRUE(e.Start());
  ASSERT_EQ(e.p->drawing()->content(), ui::frmDraw::Content::Section);
  QAction* toolbar = e.p->frame()->action("tbToolBar_Autocad");
  QAction* menu = e.p->frame()->action("menu_ExportDrawing");
  ASSERT_NE(toolbar, nullptr);
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(toolbar->isEnabled());
  const struct {
    const char* name;
    std::string start;
  } files[] = {{"a.dxf", "0\nSECTION"}, {"a.svg", "<?xml"}, {"a.pdf", "%PDF"}, {"a.png", "\x89PNG"}};
  bool useMenu = false;
  for (const auto& f : files) {
    e.answer = QString::fromStdString(e.Path(f.name).string());
    e.asked = false;
    (useMenu ? menu : toolbar)->trigger();
    useMenu = !useMenu;
    EXPECT_TRUE(e.asked) << f.name;
    const std::string bytes = Read(e.Path(f.name));
    EXPECT_EQ(bytes.substr(0, f.start.size()), f.start) << f.name;
  }
  // The section's own dimensions are in the CAD file, and no temporary file is left over.
  const std::string dxf = Read(e.Path("a.dxf"));
  EXPECT_NE(dxf.find("DIMENSIONS"), std::string::npos);
  for (const auto& entry : fs::directory_iterator(e.run.tree.dir.path()))
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  EXPECT_TRUE(e.run.messages.calls.empty());
}

TEST(DrawExport, BadNameOrFolderKeepsTheOldFileAndSaysWhy) {
  ExportRun e;
  ASSERT_TRUE(e.Start());
  const fs::path old = e.Path("keep.txt");
  { std::ofstream(old) << "old"; }
  e.answer = QString::fromStdString(old.string());
  e.p->frame()->action("menu_ExportDrawing")->trigger();
  EXPECT_EQ(Read(old), "old") << "an unknown format writes nothing";
  ASSERT_EQ(e.run.messages.calls.size(), 1u);
  EXPECT_NE(e.run.messages.calls[0].text.find(".png"), std::string::npos) << e.run.messages.calls[0].text;

  e.answer = QString::fromStdString((e.Path("no such folder") / "x.svg").string());
  e.p->frame()->action("menu_ExportDrawing")->trigger();
  EXPECT_EQ(e.run.messages.calls.size(), 2u);
  EXPECT_FALSE(fs::exists(e.Path("no such folder")));

  e.answer.clear();  // cancelled: nothing written, nothing said
  e.p->frame()->action("menu_ExportDrawing")->trigger();
  EXPECT_EQ(e.run.messages.calls.size(), 2u);
}

TEST(DrawExport, NothingShownNothingWritten) {
  ExportRun e;
  ASSERT_TRUE(e.Start());
  e.p->drawing()->ShowEmpty();
  std::string error;
  EXPECT_FALSE(e.p->drawing()->ExportDrawing(e.Path("empty.png"), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(fs::exists(e.Path("empty.png")));
}

}  // namespace
}  // namespace tavo
