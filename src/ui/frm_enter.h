#pragma once
// Table entry of a new input file (run mode "E"): one element at a time in the variable list
// and the small table, Add for the next element, Go to write the file and design them all.
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/module_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavo::ui {

class frmEnter : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kVariables = 7;  // e1..e7
  static constexpr int kCells = 7;      // e8..e14

  frmEnter(ModuleContext& ctx, QWidget* parent = nullptr);

  // The value of table entry (row 1, column) as typed; 0 when empty or not a number.
  double getdim2(int row, int column) const;
  // The variable list of the element with its limits and tooltips, in the data units.
  void getdim();
  // Fills Combo1 from "/"-separated choices (bilingual "English||Persian" lists allowed) and
  // selects choice `index`, counted from 0; an index outside the list selects the first.
  void getdim_combo(const std::string& choices, int index);
  // The table: fixed heading row, the editable row highlighted.
  void Enter_Table();

  // Composes the current element's line from the entries and shows it in txtLine.
  std::string ComposeLine();
  void cmdAdd_Click();
  // The units label: the units dialog at once for ID=1, otherwise after the warning.
  void lblUnits_Click();
  // Writes the input file (backup first) and hands over; false (the file untouched) on failure.
  bool CmdGo_Click();
  // After the units dialog: the data units become `unitText`, the entries are converted.
  void ApplyDataUnits(const std::string& unitText);

  const std::vector<std::string>& lines() const { return lines_; }
  QLineEdit* variable(int i) const { return variables_[static_cast<size_t>(i)]; }
  QTableWidget* table() const { return table_; }
  QLineEdit* tableEditor() const { return editor_; }
  // Puts `text` in table cell `column` as the in-place editor would.
  void SetCell(int column, const QString& text);
  QLabel* sketch() const { return sketch_; }
  QComboBox* memberKind() const { return combo_; }
  // cmdPar: shows or hides the parameter sketch.
  void cmdPar_Click();

  // The units dialog (tests replace it); nullopt: cancelled.
  std::function<std::optional<std::string>()> chooseUnits;
  // Called after Go wrote the file.
  std::function<void()> onFinished;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BeginCellEdit(int row, int column);
  void EndCellEdit();
  std::string EntryText(double value) const;
  void DrawSketch();

  ModuleContext& ctx_;
  std::vector<std::string> lines_;
  std::array<QLineEdit*, kVariables> variables_{};
  std::array<QLabel*, kVariables> limits_{};
  QTableWidget* table_ = nullptr;
  QLineEdit* editor_ = nullptr;
  int editColumn_ = -1;
  QLineEdit* title_ = nullptr;
  QLineEdit* line_ = nullptr;
  QLabel* id_ = nullptr;
  QLabel* units_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* go_ = nullptr;
  QLabel* sketch_ = nullptr;
  QComboBox* combo_ = nullptr;
  QPushButton* par_ = nullptr;
  QString titleTag_;  // the rest of the count line
};

}  // namespace tavo::ui
