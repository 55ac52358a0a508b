#pragma once
// Table entry of a new input file (run mode "E"): one element at a time, its section family
// chosen and its parameters or catalogue size typed in the small table, its length beside it;
// Add for the next element, Go to write the file and design them all.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/module_context.h"
#include "sections/section.h"

namespace tavo {
class SectionEngine;
}

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavo::ui {

class ParameterPanel;

class frmEnter : public QWidget {
  Q_OBJECT
 public:
  // The families offered, each with the section a new element of it starts from.
  struct FamilyChoice {
    const char* label;
    const char* start;
  };
  static const std::vector<FamilyChoice>& Families();

  // engine computes the section the entries describe; null: no section (the line still forms).
  frmEnter(ModuleContext& ctx, const SectionEngine* engine, QWidget* parent = nullptr);
  ~frmEnter() override;

  // The value of table entry (row 1, column) as typed; 0 when empty or not a number.
  double getdim2(int row, int column) const;
  // The length box's limits, in the data units.
  void getdim();
  // Fills Combo1 from "/"-separated choices and selects choice `index`, counted from 0; an
  // index outside the list selects the first.
  void getdim_combo(const QString& choices, int index);
  // The table: one column per parameter of the chosen family, its value row highlighted.
  void Enter_Table();
  // Starts the element afresh as family choice `index` of Families().
  void ChooseFamily(int index);

  // Composes the current element's line from the section and length and shows it in txtLine.
  std::string ComposeLine();
  void cmdAdd_Click();
  // The units label: the units dialog at once for ID=1, otherwise after the warning.
  void lblUnits_Click();
  // Writes the input file (backup first) and hands over; false (the file untouched) on failure.
  bool CmdGo_Click();
  // After the units dialog: the data units become `unitText`, the length is converted.
  void ApplyDataUnits(const std::string& unitText);

  const std::vector<std::string>& lines() const { return lines_; }
  QLineEdit* lengthBox() const { return length_; }
  QComboBox* familyBox() const { return family_; }
  QTableWidget* table() const { return table_; }
  QLineEdit* tableEditor() const { return editor_; }
  // The column of a parameter ("hw", "h", "t"...); -1 when the family has none.
  int ColumnOf(const std::string& name) const;
  // Puts `text` in table cell `column` as the in-place editor would.
  void SetCell(int column, const QString& text);
  // The section the entries describe now.
  const Section& section() const;
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
  void FillCells();
  std::string EntryText(double value) const;
  void DrawSketch();

  ModuleContext& ctx_;
  const SectionEngine* engine_ = nullptr;
  std::unique_ptr<ParameterPanel> panel_;
  std::vector<int> columnRows_;  // the panel row of each table column
  std::vector<std::string> lines_;
  QComboBox* family_ = nullptr;
  QLineEdit* length_ = nullptr;
  QLabel* lengthLimit_ = nullptr;
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
