#pragma once
// The windows of the Results command: the output viewer (our own _Out.rtf, shown through the
// RTF converter) and the result grid, one row per element under the group, heading and unit rows.
#include <QWidget>
#include <filesystem>
#include <vector>

#include "core/module_context.h"
#include "output/results_writer.h"
#include "output/section_records.h"

class QTableWidget;
class QTextEdit;

namespace tavo::ui {

// The viewer window, caption "Output file".
class frmOutput : public QWidget {
  Q_OBJECT
 public:
  explicit frmOutput(QWidget* parent = nullptr);
  // False (and an empty page) when the file cannot be read.
  bool Load(const std::filesystem::path& rtfFile);
  QTextEdit* text() const { return text_; }

 private:
  QTextEdit* text_ = nullptr;
};

// The result grid window; the grid is MSFlexGrid1. Its heading row (heading and unit of each
// column) is the grid's own header and the group captions a row above it, so both stay in
// view while the elements scroll. Columns are as wide as their widest text, a click on a
// heading sorts by that column's numbers, and Ctrl+C copies the selected cells.
class frmResults : public QWidget {
  Q_OBJECT
 public:
  explicit frmResults(const ModuleContext& ctx, QWidget* parent = nullptr);
  // One row per element; values in display units, unrounded (NaN: the element has none).
  void SetTable(const ResultTableLayout& layout, const std::vector<ResultRowValues>& rows);
  QTableWidget* grid() const { return grid_; }
  QTableWidget* groupRow() const { return groups_; }

  // The selected cells as tab-separated lines in the order shown, under a line of their
  // headings with units ("A [cm²]"); cells of a selected row that are not selected are empty.
  QString SelectionText() const;
  // What a cell shows: 6 significant digits, no exponent, no trailing zeros.
  static QString CellText(double value);

  static constexpr int kShownDigits = 6;

 private:
  void FitColumns();
  void FitGroupRow();
  // Fonts are settled only when the window is shown (the platform's font, a screen's dpi):
  // the widths are fitted again then.
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

  const ModuleContext& ctx_;
  QTableWidget* grid_ = nullptr;
  QTableWidget* groups_ = nullptr;
  QWidget* scrollBarRoom_ = nullptr;
  std::vector<int> groupColumns_;
  std::vector<std::string> headings_, units_;
};

// The header shading of the grid and the RTF table.
inline constexpr int kHeaderShade[3] = {250, 250, 150};

}  // namespace tavo::ui
