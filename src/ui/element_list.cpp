#include "ui/element_list.h"

#include <QPainter>
#include <QResizeEvent>
#include <QStringList>
#include <algorithm>

#include "core/text_util.h"
#include "core/units.h"
#include "engine/section_engine.h"
#include "ui/section_painter.h"
#include "ui/ui_common.h"

namespace tavo::ui {

ElementListModel::ElementListModel(const ModuleContext& ctx, QObject* parent) : QAbstractListModel(parent), ctx_(ctx) {}

void ElementListModel::SetElements(const ElementTable* table, int count) {
  beginResetModel();
  table_ = table;
  count_ = table ? std::clamp(count, 0, static_cast<int>(std::min<size_t>(table->size(), INT32_MAX))) : 0;
  changed_.clear();
  endResetModel();
}

void ElementListModel::UpdateElement(int index, const ListedElement& element) {
  const int row = index - 1;
  if (row < 0 || row >= count_) return;
  changed_[row] = element;
  const QModelIndex at = this->index(row);
  emit dataChanged(at, at);
}

namespace {
ElementStatus StatusOf(const ElementTable& t, size_t i) {
  return t.error(i) ? ElementStatus::Error : t.ok(i) ? ElementStatus::Ok : ElementStatus::NotOk;
}
}  // namespace

ListedElement ElementListModel::element(int row) const {
  if (const auto it = changed_.find(row); it != changed_.end()) return it->second;
  ListedElement item;
  if (row < 0 || row >= count_) return item;
  const auto i = static_cast<size_t>(row);
  item.id = table_->id(i);
  item.designation = DesignationOfElement(table_->text(i));
  item.ok = table_->ok(i);
  item.recognised = table_->recognised(i);
  item.status = StatusOf(*table_, i);
  item.diagnostics = table_->diagnostics(i);
  return item;
}

int ElementListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

namespace {
void TakeGoverning(ListedElement& item, const CheckedMember& member) {
  if (!member.aisc || !member.aisc->governingRatio) return;
  item.governingRatio = member.aisc->governingRatio;
  item.governingEquation = member.aisc->governingEquation;
  item.governingCombination = member.aisc->governingCombination;
}
}  // namespace

QString ElementListModel::GoverningText(const ListedElement& e) {
  if (!e.governingRatio) return {};
  return tr("Governing ratio %1 (%2, %3)")
      .arg(Q(ShortestText(RoundTo(*e.governingRatio, 3))), Q(e.governingEquation), Q(e.governingCombination));
}

QVariant ElementListModel::ToolTip(ElementStatus status, const Diagnostics& diagnostics, const QString& governing) const {
  // The verdict first, then every diagnostic on a line of its own.
  QStringList lines;
  if (status == ElementStatus::NotOk) lines << tr("Design is not OK!");
  if (!governing.isEmpty()) lines << governing;
  for (const Diagnostic& d : diagnostics)
    lines << (d.severity == Severity::Error ? tr("Error: ") : tr("Warning: ")) +
                 Q(DiagnosticLine(d, ctx_.language));
  if (lines.isEmpty()) return {};
  return lines.join('\n');
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count_) return {};
  const int row = index.row();
  // Most elements are read straight from the pass's table; edited ones from their own record.
  const auto it = changed_.find(row);
  const ListedElement* changed = it == changed_.end() ? nullptr : &it->second;
  const auto i = static_cast<size_t>(row);
  const int16_t id = changed ? changed->id : table_->id(i);
  const ElementStatus status = changed ? changed->status : StatusOf(*table_, i);
  const Diagnostics& diagnostics = changed ? changed->diagnostics : table_->diagnostics(i);
  switch (role) {
    case Qt::DisplayRole: return QString::number(id);
    case Qt::ToolTipRole: {
      QString governing;
      if (changed) {
        governing = GoverningText(*changed);
      } else if (IsLimitStateCode(ctx_.code) && status != ElementStatus::Error && recheck_) {
        ListedElement checked;
        if (const std::optional<CheckedMember> member = recheck_(row)) TakeGoverning(checked, *member);
        governing = GoverningText(checked);
      }
      return ToolTip(status, diagnostics, governing);
    }
    case Qt::AccessibleTextRole: {
      QString text = QString("ID %1").arg(id);
      if (status == ElementStatus::Error)
        text += ", " + tr("error, no verdict");
      else if (status == ElementStatus::NotOk)
        text += ", " + tr("Design is not OK!");
      if (HasWarning(diagnostics)) text += ", " + tr("with warnings");
      return text;
    }
    case OkRole: return status == ElementStatus::Ok;
    case StatusRole: return static_cast<int>(status);
    case WarningRole: return HasWarning(diagnostics);
    case DesignationRole:
      return Q(changed ? changed->designation : DesignationOfElement(table_->text(i)));
    case IdRole: return static_cast<int>(id);
    default: return {};
  }
}

namespace {

// The marks drawn over a thumbnail, drawn as shapes so they do not depend on a font's symbols.
void PaintCross(QPainter* painter, const QRect& at, const QColor& colour) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(QPen(colour, std::max(2.0, at.width() / 5.0), Qt::SolidLine, Qt::RoundCap));
  painter->drawLine(at.topLeft(), at.bottomRight());
  painter->drawLine(at.topRight(), at.bottomLeft());
  painter->restore();
}

void PaintErrorBadge(QPainter* painter, const QRect& at) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(QPen(Qt::white, 1.5));
  painter->setBrush(kErrorRed);
  painter->drawEllipse(at);
  painter->restore();
  const int inset = at.width() * 3 / 10;
  PaintCross(painter, at.adjusted(inset, inset, -inset, -inset), Qt::white);
}

void PaintWarningBadge(QPainter* painter, const QRect& at) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  const QPolygonF triangle({QPointF(at.center().x() + 0.5, at.top()), QPointF(at.right() + 1, at.bottom() + 1),
                            QPointF(at.left(), at.bottom() + 1)});
  painter->setPen(QPen(QColor(90, 55, 0), 1.2));
  painter->setBrush(kWarningAmber);
  painter->drawPolygon(triangle);
  // The exclamation mark: a stroke and a dot.
  const double x = at.center().x() + 0.5, h = at.height();
  painter->setPen(QPen(Qt::black, std::max(1.5, h / 9.0), Qt::SolidLine, Qt::RoundCap));
  painter->drawLine(QPointF(x, at.top() + h * 0.38), QPointF(x, at.top() + h * 0.68));
  painter->drawPoint(QPointF(x, at.top() + h * 0.84));
  painter->restore();
}

}  // namespace

ThumbnailDelegate::ThumbnailDelegate(Renderer renderer, QObject* parent)
    : QStyledItemDelegate(parent), renderer_(std::move(renderer)) {
  // A few screens' worth of thumbnails; the rest are drawn again when they come back.
  cache_.setMaxCost(600);
}

void ThumbnailDelegate::SetThumbnailSize(const QSize& size) {
  if (size == thumb_) return;
  thumb_ = size;
  cache_.clear();
}

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return {thumb_.width() + 8, thumb_.height() + labelHeight_ + 8};
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QRect cell = option.rect.adjusted(4, 4, -4, -4);
  const QRect picture(cell.topLeft(), thumb_);
  QPixmap* pixmap = cache_.object(index.row());
  if (!pixmap) {
    const std::string designation = index.data(ElementListModel::DesignationRole).toString().toStdString();
    pixmap = new QPixmap(renderer_ ? QPixmap::fromImage(renderer_(designation, thumb_)) : QPixmap(thumb_));
    ++rendered_;
    cache_.insert(index.row(), pixmap);
  }
  painter->drawPixmap(picture.topLeft(), *pixmap);
  const auto status = static_cast<ElementStatus>(index.data(ElementListModel::StatusRole).toInt());
  const bool warning = index.data(ElementListModel::WarningRole).toBool();
  const QRect label(picture.left(), picture.bottom() + 1, picture.width(), labelHeight_);
  QColor fill = kLabelGrey, ink = Qt::black;
  if (status == ElementStatus::Error)
    fill = kErrorRed, ink = Qt::white;
  else if (status == ElementStatus::NotOk)
    fill = kAlarmRed, ink = Qt::white;
  else if (warning)
    fill = kWarningAmber;
  painter->fillRect(label, fill);
  painter->setPen(ink);
  QFont f = option.font;
  f.setBold(true);
  painter->setFont(f);
  const QString id = index.data(Qt::DisplayRole).toString();
  painter->drawText(label, Qt::AlignCenter, id);
  const int badge = std::clamp(labelHeight_, 14, 22);
  if (status == ElementStatus::Error) {
    // The error mark: a cross before the ID on the label and a round badge on the picture.
    const int w = painter->fontMetrics().horizontalAdvance(id);
    const int side = labelHeight_ / 2;
    const QRect cross(label.center().x() - w / 2 - side - 6, label.center().y() - side / 2, side, side);
    PaintCross(painter, cross, Qt::white);
    PaintErrorBadge(painter, QRect(picture.topLeft() + QPoint(3, 3), QSize(badge, badge)));
  }
  if (warning) PaintWarningBadge(painter, QRect(picture.topRight() + QPoint(-badge - 2, 3), QSize(badge, badge)));
  if (option.state & QStyle::State_Selected) {
    painter->setPen(QPen(option.palette.highlight(), 3));
    painter->drawRect(cell.adjusted(1, 1, -2, -2));
  } else if (option.state & QStyle::State_HasFocus) {
    painter->setPen(QPen(option.palette.highlight(), 1, Qt::DashLine));
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
  }
}

ElementList::ElementList(const ModuleContext& ctx, SectionEngine& engine, QWidget* parent)
    : QListView(parent), ctx_(ctx), engine_(engine) {
  setObjectName("frmElements");
  setWindowTitle(tr("Elements"));
  setViewMode(QListView::IconMode);
  setFlow(QListView::LeftToRight);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setMovement(QListView::Static);
  setUniformItemSizes(true);
  setLayoutMode(QListView::Batched);
  setBatchSize(500);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setMouseTracking(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setMinimumSize(300, 240);
  model_ = new ElementListModel(ctx, this);
  const ModuleContext* c = &ctx;
  SectionEngine* e = &engine;
  delegate_ = new ThumbnailDelegate(
      [c, e](const std::string& designation, const QSize& size) {
        return SectionThumbnail(*c, e->ComputeQuietly(designation), size);
      },
      this);
  delegate_->SetLabelHeight(ctx.metrics.screenHeight > 0 && ctx.metrics.screenHeight <= 720 ? 16 : 20);
  setItemDelegate(delegate_);
  setModel(model_);
  model_->SetRecheck([this, e](int row) -> std::optional<CheckedMember> {
    if (!table_ || row < 0 || static_cast<size_t>(row) >= table_->size()) return std::nullopt;
    return e->RecheckElement(table_->element(static_cast<size_t>(row)), row + 1);
  });
  connect(this, &QListView::clicked, this, [this](const QModelIndex& i) { emit elementActivated(i.row() + 1); });
  connect(this, &QListView::activated, this, [this](const QModelIndex& i) { emit elementActivated(i.row() + 1); });
}

QSize ElementList::Find_PicBox_dim() const {
  const int width = std::max(viewport()->width(), 200);
  const int columns = std::max(1, width / 170);
  const int w = std::clamp((width - 12) / columns - 8, 110, 200);
  return {w, w * 4 / 5};
}

bool ElementList::SetElements(const ElementTable& table, int count) {
  const int n = static_cast<int>(std::min<size_t>(static_cast<size_t>(std::max(0, count)), table.size()));
  const int shown = std::min(n, capacity_);
  delegate_->ForgetAll();
  delegate_->SetThumbnailSize(Find_PicBox_dim());
  setGridSize(delegate_->sizeHint({}, {}));
  model_->SetElements(&table, shown);
  table_ = &table;
  return shown == n;
}

void ElementList::UpdatePictures(int index, const CheckedMember& member) {
  ListedElement item;
  item.id = member.member.id;
  item.designation = member.section.cs.designation;
  item.status = member.Status();
  item.ok = item.status == ElementStatus::Ok;
  item.recognised = member.section.recognised;
  item.diagnostics = member.diagnostics;
  TakeGoverning(item, member);
  delegate_->Forget(index - 1);
  model_->UpdateElement(index, item);
}

QRect ElementList::ThumbnailRect(int index) const { return visualRect(model_->index(index - 1)); }

void ElementList::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  const QSize size = Find_PicBox_dim();
  if (size != delegate_->thumbnailSize()) {
    delegate_->SetThumbnailSize(size);
    setGridSize(delegate_->sizeHint({}, {}));
  }
}

}  // namespace tavo::ui
