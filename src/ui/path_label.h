#pragma once
// A caption and a file path on one line ("Input File = /home/.../frame.Ardekon"): the path is
// shown whole whenever the line has room, elided in the middle only when it truly cannot fit,
// and always whole in the tooltip. In a right-to-left line the path keeps its own order.
#include <QLabel>

namespace tavo::ui {

class PathLabel : public QLabel {
 public:
  explicit PathLabel(QWidget* parent = nullptr);

  void SetPath(const QString& caption, const QString& path, bool rightToLeft);
  const QString& path() const { return path_; }
  // The path as the line shows it now (elided or whole, without isolation marks).
  const QString& shownPath() const { return shown_; }

  // Room for the whole line; the layout may still give less, down to the caption and a little.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Fit();
  QString Line(const QString& path) const;

  QString caption_, path_, shown_;
  bool rightToLeft_ = false;
};

}  // namespace tavo::ui
