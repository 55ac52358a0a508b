#pragma once
// The section editor: one row per parameter (label, value box, step button, slider) beside
// the report pane with its tabs. Every accepted change computes the section again, checks
// the member and rewrites the report and the drawing at once.
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "checks/check_results.h"
#include "output/report.h"
#include "ui/parameter_panel.h"
#include "engine/design_search.h"
#include "engine/section_engine.h"

class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QTabBar;
class QUndoStack;

class QInputDialog;

namespace tavo::ui {

// The dialog that asks where to save: its box is as wide as the offered path (up to most of
// the screen), so a long folder is read whole before it is accepted.
std::unique_ptr<QInputDialog> MakePathDialog(QWidget* parent, const QString& title, const QString& label,
                                             const QString& offered);

class ReportView;

// The step button of a row: left click steps up, right click steps down.
class StepButton : public QToolButton {
  Q_OBJECT
 public:
  explicit StepButton(QWidget* parent = nullptr);
 signals:
  void stepped(int direction);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

class frmMain : public QWidget {
  Q_OBJECT
 public:
  frmMain(ModuleContext& ctx, SectionEngine& engine, QWidget* parent = nullptr);
  ~frmMain() override;

  // Shows a checked member: rows for its section, its report.
  void ShowMember(const CheckedMember& member);
  bool hasMember() const { return member_.has_value(); }
  const CheckedMember& member() const { return *member_; }

  // The editor's single entry point (commands of ApplyParameterCommand). True when it changed.
  bool ApplyCommand(const std::string& command, int row);
  // Checks the member again with its current length and Fy and rewrites the report.
  void Recheck();
  // Writes the report of the current member again (units or tab changed).
  void RewriteReport();

  const ParameterPanel& panel() const { return panel_; }
  ReportView* reportView() const { return report_; }
  const Report& report() const { return *reportData_; }
  QTabBar* tabs() const { return tabs_; }
  int currentRow() const { return currentRow_; }
  void SetCurrentRow(int row);

  // Row widgets, for the frame's tests and screenshots.
  QLineEdit* valueBox(int row) const;
  StepButton* stepButton(int row) const;
  QSlider* slider(int row) const;
  int visibleRows() const;

  // Every accepted parameter change is one step here (Ctrl+Z, Ctrl+Y); showing another member
  // starts afresh.
  QUndoStack* undoStack() const { return undo_; }
  QAction* undoAction() const { return undoAction_; }
  QAction* redoAction() const { return redoAction_; }
  // Puts the editor back to a member it showed (an undone or redone step).
  void Restore(const CheckedMember& state);

  // "Find lighter section": the ten lightest sections of the shown one's family that pass for
  // this member (under today's rules: at least as strong in every capacity), in the list below
  // the parameters; clicking one loads it (one undoable change).
  void cmdLighter_Click();
  void LoadDesignation(const std::string& designation);
  QPushButton* lighterButton() const { return lighter_; }
  QListWidget* lighterList() const { return lighterList_; }
  QLabel* lighterNote() const { return lighterNote_; }

  // The save button: asks for the file name, writes the pane's rich text.
  void cmd_save_Click();
  bool SaveReport(const std::string& path);

  // Asks for a text (title, prompt, offered answer); nullopt when cancelled. Tests replace it.
  std::function<std::optional<std::string>(const QString&, const QString&, const QString&)> askText;

 signals:
  void memberChanged(const tavo::CheckedMember& member);
  // The user changed the section or its length: what the element now is.
  void memberEdited(const QString& designation, double length);
  void hint(const QString& text);
  void sliderRowChanged(const QString& label, const tavo::ui::SliderSetup& setup);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct RowWidgets {
    QLabel* label = nullptr;
    QLineEdit* box = nullptr;
    StepButton* step = nullptr;
    QSlider* slider = nullptr;
  };
  void BuildRows();
  void RefreshRows();
  void AfterChange();
  void SliderChanged(int row, int value);
  void BoxEntered(int row);
  int RowOf(QObject* widget) const;

  ModuleContext& ctx_;
  SectionEngine& engine_;
  ParameterPanel panel_;
  std::optional<CheckedMember> member_;
  std::unique_ptr<Report> reportData_;
  std::vector<RowWidgets> rows_;
  int currentRow_ = 0;
  bool refreshing_ = false;
  int drag_ = 0;  // counts slider drags: the steps of one drag are one undoable change
  QUndoStack* undo_ = nullptr;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;

  QLabel* designation_ = nullptr;
  QLabel* element_ = nullptr;
  QGridLayout* grid_ = nullptr;
  QTabBar* tabs_ = nullptr;
  ReportView* report_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* lighter_ = nullptr;
  QListWidget* lighterList_ = nullptr;
  QLabel* lighterNote_ = nullptr;
  std::map<std::string, CandidateSet> sets_;  // by set name and data length unit, made on first use
};

}  // namespace tavo::ui
