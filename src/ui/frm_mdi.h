#pragma once
// The module's frame: menus, the toolbar tbToolBar and the status bar StatusBar1, with the
// windows inside it. The left side shows the constants window, the editor (parameters and
// report) or the element list; the drawing window stands beside the first two.
#include <QMainWindow>
#include <map>
#include <string>

#include "core/module_context.h"

class QAction;
class QLabel;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace tavo::ui {

class frmMDI : public QMainWindow {
  Q_OBJECT
 public:
  explicit frmMDI(const ModuleContext& ctx, QWidget* parent = nullptr);

  enum class Page { Constants, Editor, List };
  // Puts the windows in place; frmDraw stands beside the constants window and the editor.
  void SetWindows(QWidget* constants, QWidget* editor, QWidget* list, QWidget* drawing);
  void ShowPage(Page page);
  Page page() const { return page_; }

  // Menu items and toolbar buttons by their control names ("menu_NextID", "tbToolBar_Back", ...).
  QAction* action(const std::string& name) const;
  QToolBar* toolBar() const { return toolBar_; }

  void Enable_Icons();
  void Disable_Icons();
  // Back and Forward by the position of the shown element (1..N); 0 when none is shown.
  void tbToolBarUpdate(int index, int n);
  // Everything off but leaving (help mode).
  void DisableAllCommands();

  void SetCaption(const QString& caption);
  // Status bar panels: 0 hints, 1 units, 2 element.
  void ShowStatus(int panel, const QString& text);
  QString statusText(int panel) const;

  // Set when the program itself closes the frame, so closing does not start the way back twice.
  void SetEnding(bool ending) { ending_ = ending; }

 signals:
  void nextId();
  void previousId();
  void home();
  void information();
  void print();
  void calculator();
  void calculation();
  void exitRequested();
  void results();
  void units();
  void exportDrawing();  // the drawing window's picture to a file
  void showGridToggled(bool on);
  void frameClosing();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QAction* AddAction(QMenu* menu, const char* name, const char* caption);
  void BuildMenus();
  void BuildToolBar();

  const ModuleContext& ctx_;
  std::map<std::string, QAction*> actions_;
  QToolBar* toolBar_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QSplitter* split_ = nullptr;
  QWidget* drawing_ = nullptr;
  QWidget* constants_ = nullptr;
  QWidget* editor_ = nullptr;
  QWidget* list_ = nullptr;
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  Page page_ = Page::Constants;
  bool ending_ = false;
};

}  // namespace tavo::ui
