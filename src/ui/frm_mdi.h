#pragma once
// The module's frame: menus, the toolbar tbToolBar and the status bar StatusBar1, with the
// windows inside it. The left side shows the constants window, the editor (parameters and
// report) or the element list; the drawing window stands beside the first two.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <string>

#include "core/module_context.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QMimeData;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace tavo::ui {

// Where the desktop keeps what it remembers between runs (QSettings organisation and application).
inline constexpr const char* kSettingsOrganisation = "Tavolin";
inline constexpr const char* kSettingsApplication = "Tavolin";
// How many files File > Recent files lists.
inline constexpr int kRecentFiles = 8;

// The input file a drop carries (the first local .Ardekon file of its urls); empty when none.
QString DroppedInputFile(const QMimeData* mime);

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

  // File > Recent files, newest first; a file opened goes to the top, the folder it is in
  // becomes the Open dialog's starting folder.
  QStringList RecentFiles() const;
  void AddRecentFile(const QString& path);
  void RemoveRecentFile(const QString& path);
  QString LastFolder() const;
  // The window's place and size from the last run; false (nothing changed) when none is kept.
  bool RestoreGeometry();
  void SaveGeometry() const;

  // File > Open: asks for an input file (tests replace the dialog); empty: cancelled.
  std::function<QString()> chooseFile;
  void menu_Open_Click();
  // File > Open forces: asks for a forces file (tests replace the dialog); empty: cancelled.
  std::function<QString()> chooseForcesFile;
  void menu_OpenForces_Click();

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
  // An input file to run, from File > Open, Recent files or a drop.
  void openFile(const QString& path);
  // A forces file to check the input's elements against, from File > Open forces.
  void openForces(const QString& path);
  // File > Save input (Ctrl+S); the action is enabled once something listens.
  void saveInput();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void connectNotify(const QMetaMethod& signal) override;

 private:
  QAction* AddAction(QMenu* menu, const char* name, const char* caption);
  void BuildMenus();
  void BuildToolBar();
  void FillRecentMenu();

  const ModuleContext& ctx_;
  std::map<std::string, QAction*> actions_;
  QToolBar* toolBar_ = nullptr;
  QMenu* recent_ = nullptr;
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
