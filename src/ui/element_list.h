#pragma once
// The element list: one thumbnail per element, drawn without dimensions, with its ID on a
// label that turns red when the element's design is not OK, dark red with an error mark when
// its input has an error (no verdict), amber when an OK element has a warning; a warning
// triangle marks every element with a warning, and the texts are the element's tooltip.
// Thumbnails are drawn only when
// they scroll into view and a bounded number of them is kept, so ten thousand elements
// scroll as smoothly as ten.
#include <QAbstractListModel>
#include <QCache>
#include <QImage>
#include <QListView>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "checks/check_results.h"
#include "input/batch_pass.h"
#include "input/element_table.h"
#include "sections/section_parser.h"

namespace tavo {
class SectionEngine;
}

namespace tavo::ui {

// How many elements the list shows at most. The list keeps nothing per element of its own (it
// reads the batch pass's table, some 80 bytes an element with its text, and draws only the
// thumbnails in view), so the bound is memory: ten million elements take about 1 GB.
inline constexpr int kMaxListedElements = 10'000'000;

struct ListedElement {
  int16_t id = 0;
  std::string designation;  // what the thumbnail draws
  bool ok = true;
  bool recognised = true;
  ElementStatus status = ElementStatus::Ok;
  Diagnostics diagnostics;
  // Under the limit-state code with forces: the largest ratio, its equation and combination.
  std::optional<double> governingRatio;
  std::string governingEquation, governingCombination;
};

class ElementListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  enum Roles { OkRole = Qt::UserRole + 1, DesignationRole, IdRole, StatusRole, WarningRole };
  explicit ElementListModel(const ModuleContext& ctx, QObject* parent = nullptr);

  // The first count elements of the table, read from it as they are shown (the table must
  // outlive the model or be set again).
  void SetElements(const ElementTable* table, int count);
  // UpdatePictures: element i (1-based) now shows this state.
  void UpdateElement(int index, const ListedElement& element);
  ListedElement element(int row) const;
  // Element `row` (0-based) checked as it stands, for what the table does not keep (the
  // governing ratio); asked only when a tooltip is shown.
  void SetRecheck(std::function<std::optional<CheckedMember>(int row)> recheck) { recheck_ = std::move(recheck); }
  // "Governing ratio 0.87 (H1-1a, COMB1)"; empty when the member has none.
  static QString GoverningText(const ListedElement& element);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  QVariant ToolTip(ElementStatus status, const Diagnostics& diagnostics, const QString& governing) const;
  const ModuleContext& ctx_;
  const ElementTable* table_ = nullptr;
  int count_ = 0;
  std::unordered_map<int, ListedElement> changed_;  // by row: elements changed in the editor
  std::function<std::optional<CheckedMember>(int row)> recheck_;
};

class ThumbnailDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using Renderer = std::function<QImage(const std::string& designation, const QSize& size)>;
  ThumbnailDelegate(Renderer renderer, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  void SetThumbnailSize(const QSize& size);
  QSize thumbnailSize() const { return thumb_; }
  int labelHeight() const { return labelHeight_; }
  void SetLabelHeight(int h) { labelHeight_ = h; }
  void Forget(int row) { cache_.remove(row); }
  void ForgetAll() { cache_.clear(); }
  // Thumbnails drawn so far (a scroll through the list draws only what it shows).
  int rendered() const { return rendered_; }
  int cached() const { return cache_.count(); }

 private:
  Renderer renderer_;
  QSize thumb_{120, 96};
  int labelHeight_ = 20;
  mutable QCache<int, QPixmap> cache_;
  mutable int rendered_ = 0;
};

class ElementList : public QListView {
  Q_OBJECT
 public:
  ElementList(const ModuleContext& ctx, SectionEngine& engine, QWidget* parent = nullptr);

  // Fills the list with the first n elements of the batch pass's table (kept by the caller
  // while the list shows it); false when there were more elements than it can show.
  bool SetElements(const ElementTable& table, int n);
  // The most elements shown (kMaxListedElements unless a test sets less).
  void SetCapacity(int elements) { capacity_ = elements; }
  void UpdatePictures(int index, const CheckedMember& member);
  ElementListModel* listModel() const { return model_; }
  ThumbnailDelegate* delegate() const { return delegate_; }
  int shown() const { return model_->rowCount(); }
  // Find_PicBox_dim: the thumbnail size for the list's width.
  QSize Find_PicBox_dim() const;
  // The screen position of element i's thumbnail (1-based), for tests and for clicks.
  QRect ThumbnailRect(int index) const;

 signals:
  void elementActivated(int index);  // 1-based

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  const ModuleContext& ctx_;
  SectionEngine& engine_;
  ElementListModel* model_ = nullptr;
  ThumbnailDelegate* delegate_ = nullptr;
  const ElementTable* table_ = nullptr;
  int capacity_ = kMaxListedElements;
};

}  // namespace tavo::ui
