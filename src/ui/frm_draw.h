#pragma once
// "Detailing": the current section on a canvas inside a fixed viewport, with zoom, window
// zoom, home view, panning by scroll bars or by dragging, the verdict icon and a slider that
// drives one parameter of the editor.
#include <QPixmap>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "checks/check_results.h"
#include "core/module_context.h"
#include "ui/draw_view_model.h"
#include "ui/parameter_panel.h"
#include "ui/section_painter.h"

class QLabel;
class QRubberBand;
class QScrollBar;
class QSlider;
class QToolButton;

namespace tavo::ui {

class frmDraw : public QWidget {
  Q_OBJECT
 public:
  enum class Content { Empty, Sketch, Section };

  explicit frmDraw(ModuleContext& ctx, QWidget* parent = nullptr);

  // What Redraw paints: the legend while the constants window is active, the section while
  // the editor is, else nothing.
  void ShowSketch();
  void ShowSection(const CheckedMember& member);
  const std::optional<CheckedMember>& member() const { return member_; }
  bool verdictOk() const;
  void ShowEmpty();
  Content content() const { return content_; }
  void SetGrid(bool on);
  bool grid() const { return grid_; }

  // The slider drives this row of the editor.
  void ConfigureSlider(const QString& label, const SliderSetup& setup);

  const DrawViewModel& model() const { return model_; }
  // Viewport units (twips) per screen pixel.
  double twipsPerPixel() const;
  // Paints the picture for printing: white paper, the whole canvas on the target rectangle.
  void PaintForPrint(QPainter& painter, const QRect& target) const;

  // Writes what the canvas shows to a file, DXF, SVG, PDF or PNG by its extension, through a
  // temporary file and a rename. False, with the reason, when nothing is shown or the file
  // cannot be written (the previous file is then left as it was).
  bool ExportDrawing(const std::filesystem::path& target, std::string* error = nullptr) const;
  // Asks for the file and writes it, reporting a failure in a message.
  void ExportWithDialog();
  // Where the file to export is asked for; tests answer with a path (empty: cancelled).
  std::function<QString()> exportPathSeam;

  // Layout: fits the viewport and returns to the home view.
  void Relayout();
  void Redraw();

 signals:
  void sliderMoved(int position);

 public slots:
  void Command1_Click();  // zoom in
  void Command2_Click();  // zoom out
  void Command3_Click();  // home view ("Original Size")
  void Command4_Click();  // arm the window zoom

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Canvas;
  friend class Canvas;
  void ApplyCanvasGeometry();
  void SyncScrollBars();
  void UpdateCommands();
  void SetVerdict(bool ok);
  QPixmap VerdictPixmap(bool ok) const;
  QPointF ToUnits(const QPointF& pixel) const;
  void PaintCanvas(QPaintDevice& device);

  ModuleContext& ctx_;
  DrawViewModel model_;
  Content content_ = Content::Empty;
  std::optional<CheckedMember> member_;
  bool grid_ = false;
  bool initializing_ = true;
  bool syncing_ = false;

  QWidget* viewport_ = nullptr;  // Picture1
  Canvas* canvas_ = nullptr;     // Picture2
  QRubberBand* band_ = nullptr;  // Shape1
  QScrollBar* hScroll_ = nullptr;
  QScrollBar* vScroll_ = nullptr;
  QToolButton* zoomIn_ = nullptr;
  QToolButton* zoomOut_ = nullptr;
  QToolButton* home_ = nullptr;
  QToolButton* windowZoom_ = nullptr;
  QLabel* verdict_ = nullptr;
  QLabel* sliderLabel_ = nullptr;
  QSlider* slider_ = nullptr;
  mutable QPixmap okIcon_, notOkIcon_;
};

}  // namespace tavo::ui
