#pragma once
// The constants window: what the input file holds, the design constants with their ranges
// (a value out of range turns its box red), the display units, and Continue. The boxes always
// show the constants in the display units; only Continue puts a typed value in force.
#include <QPalette>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/diagnostics.h"
#include "input/design_constants.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QStatusBar;

namespace tavo::ui {

class frmConstant : public QWidget {
  Q_OBJECT
 public:
  frmConstant(ModuleContext& ctx, DesignConstants& constants, QWidget* parent = nullptr);

  // Form_initialize: rows, captions and the module picture.
  void Form_initialize();
  // The input-file summary and the first validation of every row.
  void chngcte_inc();
  // Re-reads the rows from their boxes and validates them.
  void Constants_change();
  // The display units changed (units dialog): validate or convert, then show the rows again.
  void ChangeDisplayUnits(const std::string& unitText);
  // The window opened again: the constants in force, in the display units of now; what was
  // typed and not confirmed is dropped.
  void ShowInForce();
  // What every member is to be told about the Fy in force: outside its range it is a warning
  // when the user typed it, else an error.
  Diagnostics FyDiagnostics() const;

  // Continue: the recheck question for red rows, saving, then the next stage. False when the
  // user chose to recheck.
  bool CmdGo_Click();
  void cmdABA_Click();

  bool IsRed(int row) const;
  QLineEdit* valueBox(int row) const;
  // The list of the design-code row (rules members are checked by); null when there is none.
  QComboBox* codeBox() const;
  QPushButton* continueButton() const { return go_; }
  QStatusBar* statusBar() const { return status_; }
  QLabel* unitsLabel() const { return units_; }
  bool hasPicture() const;
  void ShowHint(const QString& text);
  // The continue button hides once the batch pass starts.
  void SetContinueVisible(bool visible);

  // The next stage (ContinueAfterConstants) and the units dialog, supplied by the program.
  std::function<void()> onContinue;
  std::function<void()> onUnits;
  // The design-code help; unset, the button says the help is not installed.
  std::function<void()> onDesignCodeHelp;
  // True when the window was reopened over the editor: Continue then keeps the display units.
  std::function<bool()> reopenedOverEditor;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct RowWidgets {
    int row = 0;
    QLabel* label = nullptr;
    QLineEdit* box = nullptr;
    QLabel* unit = nullptr;
    // A list choice: the list the user picks from; the box behind it, hidden, holds the value.
    QComboBox* choice = nullptr;
    QPalette normal;
    QString shown;           // what the window put in the box; anything else was typed
    std::string shownValue;  // the row's value behind it, with all its digits
    bool typed = false;  // the user typed this row's value since it was last confirmed
  };
  void ShowRows();
  void ConvertRowsToDisplayUnits();
  void TakeTypedValue(RowWidgets& w);
  void Validate(RowWidgets& w);
  // Every row's range marked, leaving the Fy in force alone.
  void CheckRows();
  // Keeps the rows as confirmed, for ShowInForce.
  void Confirm();
  // What the list of a list choice shows for one of its names.
  static QString ChoiceCaption(const std::string& name);
  QString RangeText(const ConstantRow& row) const;
  const ConstantRow* RowData(int row) const;
  const ConstantRow* FyRow() const;

  ModuleContext& ctx_;
  DesignConstants& constants_;
  std::vector<RowWidgets> rows_;
  std::vector<ConstantRow> confirmedRows_;
  std::string confirmedUnits_;
  QLabel* picture_ = nullptr;
  std::vector<QLabel*> summary_;
  QLabel* units_ = nullptr;
  QPushButton* go_ = nullptr;
  QPushButton* aba_ = nullptr;
  QPushButton* cost_ = nullptr;
  QScrollBar* rowScroll_ = nullptr;
  QStatusBar* status_ = nullptr;
  QLabel* statusUnits_ = nullptr;
  QLabel* statusHint_ = nullptr;
  QWidget* rowsHost_ = nullptr;
  QScrollArea* rowsScroll_ = nullptr;
};

}  // namespace tavo::ui
