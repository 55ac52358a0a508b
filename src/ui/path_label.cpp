#include "ui/path_label.h"

#include <QResizeEvent>

#include "core/bidi.h"

namespace tavo::ui {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QString PathLabel::Line(const QString& path) const {
  if (path.isEmpty()) return caption_;
  return caption_ + (rightToLeft_ ? QString::fromStdString(IsolateLtr(path.toStdString())) : path);
}

void PathLabel::SetPath(const QString& caption, const QString& path, bool rightToLeft) {
  caption_ = caption;
  path_ = path;
  rightToLeft_ = rightToLeft;
  setToolTip(path);
  updateGeometry();
  Fit();
}

QSize PathLabel::sizeHint() const {
  const QMargins m = contentsMargins();
  const int width = fontMetrics().horizontalAdvance(Line(path_)) + 2 * margin() + m.left() + m.right() + 4;
  return {width, QLabel::sizeHint().height()};
}

QSize PathLabel::minimumSizeHint() const {
  const int width = fontMetrics().horizontalAdvance(caption_ + QStringLiteral("M…M")) + 2 * margin() + 4;
  return {std::min(width, sizeHint().width()), QLabel::minimumSizeHint().height()};
}

void PathLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Fit();
}

void PathLabel::Fit() {
  const int room = contentsRect().width() - 2 * margin() - fontMetrics().horizontalAdvance(caption_) - 4;
  // Whole when it fits; otherwise the start (where it is) and the end (which file) stay.
  shown_ = fontMetrics().horizontalAdvance(path_) <= room ? path_ : fontMetrics().elidedText(path_, Qt::ElideMiddle, room);
  const QString line = Line(shown_);
  if (text() != line) setText(line);
}

}  // namespace tavo::ui
