#include "ui/frm_draw.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <filesystem>

#include "core/files.h"
#include "core/language.h"
#include "drawing/drawing_surface.h"
#include "families/family_table.h"
#include "render/render_drawing.h"
#include "ui/ui_common.h"

namespace tavo::ui {

// Picture2: the canvas the section is drawn on; it is larger than the viewport when zoomed.
class frmDraw::Canvas : public QWidget {
 public:
  explicit Canvas(frmDraw& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setObjectName("Picture2");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
  }

 protected:
  void paintEvent(QPaintEvent*) override { owner_.PaintCanvas(*this); }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const QPointF u = owner_.ToUnits(e->position());
    if (owner_.model_.MouseDown(u.x(), u.y())) {
      owner_.band_->setGeometry(QRect(e->position().toPoint(), QSize(1, 1)));
      owner_.band_->show();
      return;
    }
    dragging_ = true;
    owner_.model_.DragMove(u.x(), u.y());
    setCursor(Qt::ClosedHandCursor);
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPointF u = owner_.ToUnits(e->position());
    if (owner_.model_.MouseMove(u.x(), u.y())) {
      const CanvasRect b = owner_.model_.rubberBand();
      const double k = width() / DrawViewModel::kFrameWidth;
      owner_.band_->setGeometry(QRectF(b.left * k, b.top * k, b.width * k, b.height * k).toRect());
      return;
    }
    if (dragging_) {
      owner_.model_.DragMove(u.x(), u.y());
      owner_.ApplyCanvasGeometry();
    }
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    const QPointF u = owner_.ToUnits(e->position());
    if (owner_.model_.tag().rfind("WINDOW=", 0) == 0) {
      const bool zoomed = owner_.model_.MouseUp(u.x(), u.y());
      owner_.band_->hide();
      unsetCursor();
      if (zoomed) {
        owner_.ApplyCanvasGeometry();
        owner_.SyncScrollBars();
        owner_.Redraw();
      }
      owner_.UpdateCommands();
      return;
    }
    if (dragging_) {
      dragging_ = false;
      owner_.model_.DragEnd();
      unsetCursor();
    }
  }

 private:
  frmDraw& owner_;
  bool dragging_ = false;
};

namespace {
QToolButton* MakeButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon, const QString& text,
                        const QString& tip) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setIcon(parent->style()->standardIcon(icon));
  b->setText(text);
  b->setToolTip(tip);
  b->setAutoRaise(false);
  b->setMinimumSize(34, 30);
  b->setFocusPolicy(Qt::TabFocus);
  return b;
}
}  // namespace

frmDraw::frmDraw(ModuleContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
  setObjectName("frmDraw");
  setWindowTitle(tr("Detailing"));
  setMinimumSize(320, 300);

  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setSpacing(4);

  auto* buttons = new QVBoxLayout;
  zoomIn_ = MakeButton(this, "Command1", QStyle::SP_ArrowUp, "+", tr("Zoom"));
  zoomOut_ = MakeButton(this, "Command2", QStyle::SP_ArrowDown, "-", tr("Zoom Back"));
  home_ = MakeButton(this, "Command3", QStyle::SP_BrowserReload, "1:1", tr("Original Size"));
  windowZoom_ = MakeButton(this, "Command4", QStyle::SP_FileDialogContentsView, "[ ]", tr("Window Zoom"));
  for (QToolButton* b : {zoomIn_, zoomOut_, home_, windowZoom_}) {
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    buttons->addWidget(b);
  }
  QFont big = zoomIn_->font();
  big.setBold(true);
  for (QToolButton* b : {zoomIn_, zoomOut_, home_, windowZoom_}) b->setFont(big);
  buttons->addSpacing(12);
  verdict_ = new QLabel(this);
  verdict_->setObjectName("imgVerdict");
  verdict_->setFixedSize(34, 34);
  verdict_->setAlignment(Qt::AlignCenter);
  buttons->addWidget(verdict_);
  buttons->addStretch(1);
  grid->addLayout(buttons, 0, 0, 2, 1);

  viewport_ = new QWidget(this);
  viewport_->setObjectName("Picture1");
  viewport_->setAutoFillBackground(true);
  QPalette pal = viewport_->palette();
  pal.setColor(QPalette::Window, Qt::black);
  viewport_->setPalette(pal);
  viewport_->setMinimumSize(200, 160);
  viewport_->installEventFilter(this);
  canvas_ = new Canvas(*this, viewport_);
  band_ = new QRubberBand(QRubberBand::Rectangle, canvas_);
  band_->setObjectName("Shape1");
  band_->hide();
  grid->addWidget(viewport_, 0, 1);

  vScroll_ = new QScrollBar(Qt::Vertical, this);
  vScroll_->setObjectName("VScroll1");
  hScroll_ = new QScrollBar(Qt::Horizontal, this);
  hScroll_->setObjectName("HScroll1");
  for (QScrollBar* s : {hScroll_, vScroll_}) {
    s->setRange(-100, 100);
    s->setSingleStep(10);
    s->setPageStep(25);
    s->setValue(0);
  }
  grid->addWidget(vScroll_, 0, 2);
  grid->addWidget(hScroll_, 1, 1);

  auto* sliderRow = new QHBoxLayout;
  sliderLabel_ = new QLabel(this);
  sliderLabel_->setObjectName("lblSlider");
  sliderLabel_->setMinimumWidth(40);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName("Slider1");
  slider_->setEnabled(false);
  sliderRow->addWidget(sliderLabel_);
  sliderRow->addWidget(slider_, 1);
  grid->addLayout(sliderRow, 2, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(0, 1);

  connect(zoomIn_, &QToolButton::clicked, this, &frmDraw::Command1_Click);
  connect(zoomOut_, &QToolButton::clicked, this, &frmDraw::Command2_Click);
  connect(home_, &QToolButton::clicked, this, &frmDraw::Command3_Click);
  connect(windowZoom_, &QToolButton::clicked, this, &frmDraw::Command4_Click);
  connect(hScroll_, &QScrollBar::valueChanged, this, [this](int v) {
    if (initializing_ || syncing_) return;
    model_.SetHScroll(v);
    ApplyCanvasGeometry();
  });
  connect(vScroll_, &QScrollBar::valueChanged, this, [this](int v) {
    if (initializing_ || syncing_) return;
    model_.SetVScroll(v);
    ApplyCanvasGeometry();
  });
  connect(slider_, &QSlider::valueChanged, this, [this](int v) {
    if (!syncing_) emit sliderMoved(v);
  });
  setTabOrder(zoomIn_, zoomOut_);
  setTabOrder(zoomOut_, home_);
  setTabOrder(home_, windowZoom_);
  setTabOrder(windowZoom_, slider_);
  initializing_ = false;
  Relayout();
}

double frmDraw::twipsPerPixel() const {
  const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  return 1440.0 / dpi;
}

QPointF frmDraw::ToUnits(const QPointF& pixel) const {
  const double w = canvas_->width() > 0 ? canvas_->width() : 1;
  const double k = DrawViewModel::kFrameWidth / w;
  return {pixel.x() * k, pixel.y() * k};
}

void frmDraw::ApplyCanvasGeometry() {
  const double t = twipsPerPixel();
  const CanvasRect& c = model_.canvas();
  canvas_->setGeometry(static_cast<int>(std::lround(c.left / t)), static_cast<int>(std::lround(c.top / t)),
                       std::max(1, static_cast<int>(std::lround(c.width / t))),
                       std::max(1, static_cast<int>(std::lround(c.height / t))));
}

void frmDraw::SyncScrollBars() {
  syncing_ = true;
  hScroll_->setValue(model_.hScroll());
  vScroll_->setValue(model_.vScroll());
  syncing_ = false;
}

void frmDraw::UpdateCommands() {
  windowZoom_->setEnabled(model_.windowZoomEnabled());
  if (model_.windowZoomArmed())
    canvas_->setCursor(Qt::CrossCursor);
  else
    canvas_->unsetCursor();
}

void frmDraw::Relayout() {
  if (initializing_) return;
  const double t = twipsPerPixel();
  model_.SetViewport(viewport_->width() * t, viewport_->height() * t);
  band_->hide();
  ApplyCanvasGeometry();
  SyncScrollBars();
  UpdateCommands();
  Redraw();
}

void frmDraw::Redraw() { canvas_->update(); }

void frmDraw::resizeEvent(QResizeEvent* event) { QWidget::resizeEvent(event); }

bool frmDraw::eventFilter(QObject* watched, QEvent* event) {
  // Each resize of the viewport returns the canvas to the home view.
  if (watched == viewport_ && event->type() == QEvent::Resize) Relayout();
  return QWidget::eventFilter(watched, event);
}

void frmDraw::Command1_Click() {
  if (model_.ZoomIn()) {
    ApplyCanvasGeometry();
    Redraw();
  }
}

void frmDraw::Command2_Click() {
  if (model_.ZoomOut()) {
    ApplyCanvasGeometry();
    Redraw();
  }
}

void frmDraw::Command3_Click() {
  model_.Home();
  band_->hide();
  ApplyCanvasGeometry();
  SyncScrollBars();
  UpdateCommands();
  Redraw();
}

void frmDraw::Command4_Click() {
  model_.ArmWindowZoom();
  UpdateCommands();
}

void frmDraw::ShowSketch() {
  content_ = Content::Sketch;
  verdict_->clear();
  verdict_->setProperty("ok", QVariant());
  verdict_->setToolTip({});
  Redraw();
}

void frmDraw::ShowEmpty() {
  content_ = Content::Empty;
  member_.reset();
  verdict_->clear();
  verdict_->setProperty("ok", QVariant());
  Redraw();
}

void frmDraw::ShowSection(const CheckedMember& member) {
  member_ = member;
  content_ = Content::Section;
  SetVerdict(member.results.ok);
  Redraw();
}

bool frmDraw::verdictOk() const { return verdict_->property("ok").toBool(); }

void frmDraw::SetGrid(bool on) {
  grid_ = on;
  Redraw();
}

QPixmap frmDraw::VerdictPixmap(bool ok) const {
  QPixmap& cached = ok ? okIcon_ : notOkIcon_;
  if (!cached.isNull()) return cached;
  const std::filesystem::path icon = SuitePath(ctx_.installDir) / "bin" / "jpg" / (ok ? "Ok.ico" : "NotOk.ico");
  QPixmap pixmap;
  std::error_code ec;
  if (std::filesystem::is_regular_file(icon, ec)) pixmap.load(QString::fromStdString(icon.string()));
  if (pixmap.isNull()) {
    // No icon files installed: a drawn tick or cross in the result colours.
    pixmap = QPixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour = ToQColor(ok ? ctx_.metrics.okColour : ctx_.metrics.notOkColour);
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (ok) {
      p.drawPolyline(QPolygonF({QPointF(6, 17), QPointF(13, 25), QPointF(26, 7)}));
    } else {
      p.drawLine(QPointF(7, 7), QPointF(25, 25));
      p.drawLine(QPointF(25, 7), QPointF(7, 25));
    }
  } else {
    pixmap = pixmap.scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  cached = pixmap;
  return cached;
}

void frmDraw::SetVerdict(bool ok) {
  if (verdict_->property("ok").isValid() && verdict_->property("ok").toBool() == ok && !verdict_->pixmap().isNull())
    return;
  verdict_->setPixmap(VerdictPixmap(ok));
  verdict_->setToolTip(ok ? tr("Design is OK") : tr("Design is not OK!"));
  verdict_->setProperty("ok", ok);
}

void frmDraw::ConfigureSlider(const QString& label, const SliderSetup& setup) {
  syncing_ = true;
  sliderLabel_->setText(label);
  slider_->setEnabled(setup.configured);
  if (setup.configured) {
    slider_->setRange(setup.minimum, setup.maximum);
    slider_->setSingleStep(setup.singleStep);
    slider_->setPageStep(setup.pageStep);
    slider_->setValue(setup.position);
  }
  slider_->setToolTip(QString::fromStdString(setup.tooltip));
  syncing_ = false;
}

void frmDraw::PaintCanvas(QPaintDevice& device) {
  PaintOptions o;
  o.grid = grid_;
  if (content_ == Content::Sketch)
    PaintSketch(device, ctx_, o);
  else if (content_ == Content::Section && member_)
    PaintSection(device, ctx_, member_->section, o);
  else
    PaintEmpty(device, o);
}

void frmDraw::PaintForPrint(QPainter& painter, const QRect& target) const {
  if (content_ == Content::Section && member_)
    PaintOnPage(painter, target, ctx_, &member_->section);
  else if (content_ == Content::Sketch)
    PaintOnPage(painter, target, ctx_, nullptr);
}

bool frmDraw::ExportDrawing(const std::filesystem::path& target, std::string* error) const {
  if (content_ == Content::Empty || (content_ == Content::Section && !member_)) {
    if (error) *error = S(tr("There is no drawing to export."));
    return false;
  }
  const bool sketch = content_ == Content::Sketch;
  const Section* section = sketch ? nullptr : &member_->section;
  // The same drawing `tavo draw` writes, with the section's origin for the DXF's real lengths.
  const DrawFunction draw = [section](DrawingContext& dc) {
    if (!section) {
      dc.surface->SetModelSpace(DrawParameterSketch(dc, StandardFamilies()), 0, dc.surface->ScaleHeight());
      return;
    }
    const SectionDrawing d = DrawSection(dc, *section);
    dc.surface->SetModelSpace(d.s, d.x0 - d.s * Clean(section->props.Width), d.y0);
  };
  ImageRenderOptions o;
  // As large as the window shows it, and never smaller than the command line's default.
  o.width = std::max(640, viewport_->width());
  o.height = std::max(480, viewport_->height());
  if (sketch && o.width < 1280) o.width = 1280, o.height = 960;
  o.uiFontSize = ctx_.metrics.fontSize;
  o.language = ctx_.language;
  o.displayUnits = ctx_.displayUnits;
  std::string why;
  if (RenderToFile(target, draw, o, &why)) return true;
  if (error) *error = why;
  return false;
}

void frmDraw::ExportWithDialog() {
  QString path;
  if (exportPathSeam) {
    path = exportPathSeam();
  } else {
    QString selected;
    path = QFileDialog::getSaveFileName(this, tr("Export drawing..."), QString(),
                                        "DXF (*.dxf);;SVG (*.svg);;PDF (*.pdf);;PNG (*.png)", &selected);
    // A name typed without its extension takes the chosen filter's.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
      path += "." + selected.section('(', 1).section(')', 0, 0).remove("*.");
  }
  if (path.isEmpty()) return;
  std::string error;
  if (!ExportDrawing(std::filesystem::path(path.toStdString()), &error))
    ShowMessage(ctx_, S(tr("The drawing was not saved: %1").arg(Q(error))));
}

}  // namespace tavo::ui
