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
  explicit frmOutput(const ModuleContext& ctx, QWidget* parent = nullptr);
  // False (and an empty page) when the file cannot be read.
  bool Load(const std::filesystem::path& rtfFile);
  QTextEdit* text() const { return text_; }

 private:
  QTextEdit* text_ = nullptr;
};

// The result grid window; the grid is MSFlexGrid1.
class frmResults : public QWidget {
  Q_OBJECT
 public:
  explicit frmResults(const ModuleContext& ctx, QWidget* parent = nullptr);
  // Widths are twips, turned into pixels at `dpi`.
  void SetTable(const ResultTableLayout& layout, const std::vector<ResultRowValues>& rows, double dpi);
  QTableWidget* grid() const { return grid_; }

  static constexpr int kFixedRows = 3;  // group captions, headings, units

 private:
  QTableWidget* grid_ = nullptr;
};

// The header shading of the grid and the RTF table.
inline constexpr int kHeaderShade[3] = {250, 250, 150};

}  // namespace tavo::ui
