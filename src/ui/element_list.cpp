#include "ui/element_list.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "ui/section_engine.h"
#include "ui/section_painter.h"
#include "ui/ui_common.h"
#include "ui/ui_texts.h"

namespace tavo::ui {

ElementListModel::ElementListModel(const ModuleContext& ctx, QObject* parent) : QAbstractListModel(parent), ctx_(ctx) {}

void ElementListModel::SetElements(std::vector<ListedElement> elements) {
  beginResetModel();
  elements_ = std::move(elements);
  endResetModel();
}

void ElementListModel::UpdateElement(int index, const ListedElement& element) {
  const int row = index - 1;
  if (row < 0 || row >= static_cast<int>(elements_.size())) return;
  elements_[static_cast<size_t>(row)] = element;
  const QModelIndex at = this->index(row);
  emit dataChanged(at, at);
}

int ElementListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(elements_.size());
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(elements_.size())) return {};
  const ListedElement& e = elements_[static_cast<size_t>(index.row())];
  switch (role) {
    case Qt::DisplayRole: return QString::number(e.id);
    case Qt::ToolTipRole: return e.ok ? QVariant() : QVariant(Tr(ctx_, texts::kNotOk));
    case Qt::AccessibleTextRole: return QString("ID %1").arg(e.id);
    case OkRole: return e.ok;
    case DesignationRole: return Q(e.designation);
    case IdRole: return static_cast<int>(e.id);
    default: return {};
  }
}

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
  const bool ok = index.data(ElementListModel::OkRole).toBool();
  const QRect label(picture.left(), picture.bottom() + 1, picture.width(), labelHeight_);
  painter->fillRect(label, ok ? kLabelGrey : kAlarmRed);
  painter->setPen(ok ? Qt::black : Qt::white);
  QFont f = option.font;
  f.setBold(true);
  painter->setFont(f);
  painter->drawText(label, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
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
  setWindowTitle(Tr(ctx, texts::kElementListCaption));
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
  connect(this, &QListView::clicked, this, [this](const QModelIndex& i) { emit elementActivated(i.row() + 1); });
  connect(this, &QListView::activated, this, [this](const QModelIndex& i) { emit elementActivated(i.row() + 1); });
}

QSize ElementList::Find_PicBox_dim() const {
  const int width = std::max(viewport()->width(), 200);
  const int columns = std::max(1, width / 170);
  const int w = std::clamp((width - 12) / columns - 8, 110, 200);
  return {w, w * 4 / 5};
}

bool ElementList::SetElements(const BatchPassResult& pass) {
  std::vector<ListedElement> listed;
  const int n = std::min(pass.N, static_cast<int>(pass.elements.size()));
  const int shown = std::min(n, kMaxListedElements);
  listed.reserve(static_cast<size_t>(shown));
  for (int i = 0; i < shown; ++i) {
    const Element& el = pass.elements[static_cast<size_t>(i)];
    ListedElement item;
    item.id = el.id;
    item.designation = DesignationOfElement(el.text);
    if (i < static_cast<int>(pass.results.size())) {
      item.ok = pass.results[static_cast<size_t>(i)].ok;
      item.recognised = pass.results[static_cast<size_t>(i)].recognised;
    }
    listed.push_back(std::move(item));
  }
  delegate_->ForgetAll();
  delegate_->SetThumbnailSize(Find_PicBox_dim());
  setGridSize(delegate_->sizeHint({}, {}));
  model_->SetElements(std::move(listed));
  return shown == n;
}

void ElementList::UpdatePictures(int index, const CheckedMember& member) {
  ListedElement item;
  item.id = member.member.id;
  item.designation = member.section.cs.designation;
  item.ok = member.results.ok;
  item.recognised = member.section.recognised;
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
