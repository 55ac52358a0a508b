#include "ui/result_windows.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QShowEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <set>

#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "output/results_writer.h"
#include "ui/rtf_document.h"
#include "ui/ui_common.h"

namespace tavo::ui {

frmOutput::frmOutput(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmOutput");
  setWindowTitle(tr("Output file"));
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

namespace {
constexpr int kValueRole = Qt::UserRole + 1;

// A cell that sorts by its number; one without a number ("-") after all that have one.
class NumberItem final : public QTableWidgetItem {
 public:
  NumberItem(double value, const QString& text) : QTableWidgetItem(text) { setData(kValueRole, value); }
  bool operator<(const QTableWidgetItem& other) const override {
    const double a = data(kValueRole).toDouble(), b = other.data(kValueRole).toDouble();
    if (std::isnan(a) || std::isnan(b)) return !std::isnan(a) && std::isnan(b);
    return a < b;
  }
};

// The grid: Ctrl+C copies the whole selection, not only the current cell.
class ResultGrid final : public QTableWidget {
 public:
  explicit ResultGrid(frmResults* owner) : QTableWidget(owner), owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->matches(QKeySequence::Copy)) {
      QGuiApplication::clipboard()->setText(owner_->SelectionText());
      event->accept();
      return;
    }
    QTableWidget::keyPressEvent(event);
  }

 private:
  frmResults* owner_;
};

// The group row moves only with the grid, never by the wheel on its own.
class GroupRow final : public QTableWidget {
 public:
  explicit GroupRow(QWidget* parent) : QTableWidget(parent) {}

 protected:
  void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}
}  // namespace

frmResults::frmResults(const ModuleContext& ctx, QWidget* parent) : QWidget(parent, Qt::Window), ctx_(ctx) {
  setObjectName("frmResults");
  setWindowTitle(tr("Results") + " - " + CoreText(ctx, ctx.moduleTitle));
  // The table keeps its column order (ID first) in both languages, as the files do.
  setLayoutDirection(Qt::LeftToRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  groups_ = new GroupRow(this);
  groups_->setObjectName("groupRow");
  groups_->horizontalHeader()->hide();
  groups_->verticalHeader()->hide();
  groups_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  groups_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  groups_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  groups_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  groups_->setSelectionMode(QAbstractItemView::NoSelection);
  groups_->setFocusPolicy(Qt::NoFocus);
  groups_->horizontalHeader()->setMinimumSectionSize(8);
  groups_->setTextElideMode(Qt::ElideNone);
  // Room beside the group row as wide as the grid's scroll bar, so both scroll the same distance.
  auto* groupLine = new QHBoxLayout;
  groupLine->setContentsMargins(0, 0, 0, 0);
  groupLine->setSpacing(0);
  groupLine->addWidget(groups_, 1);
  scrollBarRoom_ = new QWidget(this);
  groupLine->addWidget(scrollBarRoom_);
  layout->addLayout(groupLine);

  grid_ = new ResultGrid(this);
  grid_->setObjectName("MSFlexGrid1");
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setMinimumSectionSize(8);  // the ID column is narrow by design
  grid_->horizontalHeader()->setFont(Bold(grid_->horizontalHeader()->font()));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setWordWrap(false);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  // Always there, so the group row above can leave the same room.
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  scrollBarRoom_->setFixedWidth(grid_->verticalScrollBar()->sizeHint().width());
  layout->addWidget(grid_, 1);

  connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, groups_,
          [this](int column, int, int width) { groups_->setColumnWidth(column, width); });
  connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, groups_->horizontalScrollBar(),
          &QScrollBar::setValue);
  resize(1000, 500);
}

QString frmResults::CellText(double value) {
  if (std::isnan(value)) return QStringLiteral("-");
  return Q(ShortestText(RoundToSignificant(value, kShownDigits)));
}

void frmResults::SetTable(const ResultTableLayout& t, const std::vector<ResultRowValues>& rows) {
  const int columns = static_cast<int>(t.headings.size());
  headings_ = t.headings;
  units_ = t.units;
  units_.resize(headings_.size());
  groupColumns_ = t.groupColumns;
  const QColor shade(kHeaderShade[0], kHeaderShade[1], kHeaderShade[2]);

  // Filled unsorted, in element order; a click on a heading sorts from then on.
  grid_->setSortingEnabled(false);
  grid_->clear();
  grid_->setColumnCount(columns);
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int c = 0; c < columns; ++c) {
    const std::string& unit = units_[static_cast<size_t>(c)];
    auto* item = new QTableWidgetItem(Q(headings_[static_cast<size_t>(c)]) + (unit.empty() ? "" : "\n" + Q(unit)));
    item->setFont(Bold(grid_->horizontalHeader()->font()));
    if (c > 0) item->setBackground(shade);
    grid_->setHorizontalHeaderItem(c, item);
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    for (int c = 0; c < columns && c < static_cast<int>(rows[r].size()); ++c) {
      // NaN marks a value the element has none of (its input has an error).
      const double v = rows[r][static_cast<size_t>(c)];
      auto* item = new NumberItem(v, CellText(v));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(static_cast<int>(r), c, item);
    }
  }
  grid_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
  grid_->setSortingEnabled(true);

  groups_->clear();
  groups_->clearSpans();
  groups_->setColumnCount(columns);
  groups_->setRowCount(1);
  int first = 0;
  for (size_t g = 0; g < t.groupCaptions.size() && g < groupColumns_.size() && first < columns; ++g) {
    const int span = std::clamp(groupColumns_[g], 1, columns - first);
    auto* item = new QTableWidgetItem(CoreText(ctx_, t.groupCaptions[g]));
    item->setTextAlignment(Qt::AlignCenter);
    item->setFont(Bold(groups_->font()));
    if (first > 0) item->setBackground(shade);
    groups_->setItem(0, first, item);
    if (span > 1) groups_->setSpan(0, first, 1, span);
    first += span;
  }
  FitColumns();
}

void frmResults::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FitColumns();
}

void frmResults::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitColumns();
}

void frmResults::FitColumns() {
  // The item delegate's text margins on either side, and the grid line.
  const int margin = 2 * (grid_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid_) + 1) + 1;
  const QFontMetrics metrics(grid_->font());
  QHeaderView* header = grid_->horizontalHeader();
  for (int c = 0; c < grid_->columnCount(); ++c) {
    int width = header->sectionSizeHint(c);
    for (int r = 0; r < grid_->rowCount(); ++r)
      if (const QTableWidgetItem* item = grid_->item(r, c))
        width = std::max(width, metrics.horizontalAdvance(item->text()) + margin);
    grid_->setColumnWidth(c, width);
  }
  FitGroupRow();
}

void frmResults::FitGroupRow() {
  const int margin = 2 * (groups_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, groups_) + 1) + 1;
  const QFontMetrics metrics(Bold(groups_->font()));
  // A caption wider than its columns widens the last of them.
  for (int c = 0; c < groups_->columnCount(); ++c) {
    const QTableWidgetItem* item = groups_->item(0, c);
    if (!item) continue;
    const int span = groups_->columnSpan(0, c);
    int width = 0;
    for (int k = c; k < c + span; ++k) width += grid_->columnWidth(k);
    // Measured in the font the caption is painted in (its own bold copy), with an em to spare:
    // a bold run shaped in a fallback font paints a little wider than it measures.
    const QFontMetrics painted(item->font());
    const int needed = painted.horizontalAdvance(item->text()) + painted.horizontalAdvance(QLatin1Char('M')) + margin;
    if (needed > width) grid_->setColumnWidth(c + span - 1, grid_->columnWidth(c + span - 1) + needed - width);
  }
  for (int c = 0; c < grid_->columnCount(); ++c) groups_->setColumnWidth(c, grid_->columnWidth(c));
  groups_->setRowHeight(0, metrics.height() + 8);
  groups_->setFixedHeight(groups_->rowHeight(0) + 2 * groups_->frameWidth());
}

QString frmResults::SelectionText() const {
  const QItemSelectionModel* selection = grid_->selectionModel();
  if (!selection) return {};
  std::set<int> rows, columns;
  for (const QModelIndex& index : selection->selectedIndexes()) {
    rows.insert(index.row());
    columns.insert(index.column());
  }
  if (rows.empty()) return {};
  QStringList cells;
  for (const int c : columns) {
    const std::string& unit = units_[static_cast<size_t>(c)];
    cells << Q(headings_[static_cast<size_t>(c)]) + (unit.empty() ? "" : " [" + Q(unit) + "]");
  }
  QString text = cells.join('\t') + '\n';
  for (const int r : rows) {
    cells.clear();
    for (const int c : columns) {
      const QTableWidgetItem* item = grid_->item(r, c);
      cells << (item && selection->isSelected(grid_->model()->index(r, c)) ? item->text() : QString());
    }
    text += cells.join('\t') + '\n';
  }
  return text;
}

}  // namespace tavo::ui
