#include "ui/result_windows.h"

#include <QFile>
#include <QHeaderView>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "core/language.h"
#include "output/results_writer.h"
#include "ui/rtf_document.h"
#include "ui/ui_common.h"

namespace tavo::ui {

frmOutput::frmOutput(const ModuleContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmOutput");
  setWindowTitle("Output file");
  if (IsPersian(ctx)) setLayoutDirection(Qt::RightToLeft);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QTextEdit(this);
  text_->setObjectName("rtfText");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QTextEdit::NoWrap);
  layout->addWidget(text_);
  resize(1100, 600);
}

bool frmOutput::Load(const std::filesystem::path& rtfFile) {
  QFile file(Q(rtfFile.string()));
  if (!file.open(QIODevice::ReadOnly)) {
    text_->clear();
    return false;
  }
  const QByteArray bytes = file.readAll();
  RtfToDocument(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), *text_->document(),
                logicalDpiX());
  return true;
}

frmResults::frmResults(const ModuleContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmResults");
  setWindowTitle(Tr(ctx, "Results||نتایج") + " - " + Tr(ctx, ctx.moduleTitle));
  // The table keeps its column order (ID first) in both languages, as the files do.
  setLayoutDirection(Qt::LeftToRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  grid_ = new QTableWidget(this);
  grid_->setObjectName("MSFlexGrid1");
  grid_->horizontalHeader()->hide();
  grid_->horizontalHeader()->setMinimumSectionSize(8);  // the ID column is narrow by design
  grid_->verticalHeader()->hide();
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  layout->addWidget(grid_);
  resize(1000, 500);
}

void frmResults::SetTable(const ResultTableLayout& t, const std::vector<ResultRowValues>& rows, double dpi) {
  const int columns = static_cast<int>(t.headings.size());
  grid_->clear();
  grid_->setColumnCount(columns);
  grid_->setRowCount(kFixedRows + static_cast<int>(rows.size()));
  const QColor shade(kHeaderShade[0], kHeaderShade[1], kHeaderShade[2]);
  const auto header = [&](int row, int column, const std::string& text) {
    auto* item = new QTableWidgetItem(Q(text));
    item->setTextAlignment(Qt::AlignCenter);
    QFont f = item->font();
    f.setBold(true);
    item->setFont(f);
    if (column > 0) item->setBackground(shade);
    item->setToolTip(Q(text));  // the group captions are longer than their cells
    grid_->setItem(row, column, item);
  };
  for (int c = 0; c < columns; ++c) {
    header(0, c, c < static_cast<int>(t.groups.size()) ? t.groups[static_cast<size_t>(c)] : std::string());
    header(1, c, t.headings[static_cast<size_t>(c)]);
    header(2, c, c < static_cast<int>(t.units.size()) ? t.units[static_cast<size_t>(c)] : std::string());
    const int twips = c < static_cast<int>(t.widths.size()) ? t.widths[static_cast<size_t>(c)] : 1000;
    grid_->setColumnWidth(c, static_cast<int>(std::lround(twips / 1440.0 * dpi)));
  }
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  grid_->setWordWrap(true);
  grid_->resizeRowToContents(0);
  for (size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < columns && c < static_cast<int>(rows[r].size()); ++c) {
      const double v = rows[r][static_cast<size_t>(c)];
      // NaN marks a value the element has none of (its input has an error).
      auto* item = new QTableWidgetItem(std::isnan(v) ? QStringLiteral("-") : Q(ResultNumberText(v)));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(kFixedRows + static_cast<int>(r), c, item);
    }
  }
}

}  // namespace tavo::ui
