// make_help: prints one edition of the calculation help document to PDF.
//
// Usage: make_help [--lang en|fa] INPUT.html OUTPUT.pdf [ANCHORS.txt]
//
// The HTML (UTF-8) is laid out by a QTextDocument on A4 pages and painted with QPdfWriter,
// with a running header (the document title and the current chapter) and a page number on
// every page but the first. What the tool adds to the HTML:
//  - the contents: a comment <!--contents--> becomes a table of every <h1>/<h2> that has an
//    id, with the page it starts on (the layout is repeated until the page numbers settle);
//  - the figures: each <img src="figure:NAME"> is replaced by a vector drawing of that
//    section family with the names of its parameters (see the Figures part below), so the
//    drawings stay sharp at any zoom and their labels can be searched;
//  - the program's own legend of the section families (the parameter sketch of the drawing
//    window) where the HTML has <img src="sketch:parameters">, when the tool is built with
//    the render layer; without it the element of class "sketch" holding it is left out;
//  - page breaks that keep a heading with what follows it and do not split a small table
//    or a short paragraph;
//  - blanks in short <code> spans (designations) that never break a line;
//  - for the right-to-left edition, every <code>, <span class="m"> and <span class="l"> is
//    isolated as a left-to-right run, so designations such as 2L60<> and formulas keep their
//    order and their brackets inside Persian sentences; and table rows are mirrored.
// ANCHORS.txt receives one line per heading id: the id, a tab and the page as printed
// (the first page is 1); the help viewer reads it to open the document at a section.
// docs/help/README.md says how to write the sources.
//
// Both files are written under a temporary name and renamed when complete. The tool runs
// headless: the offscreen platform is used unless QT_QPA_PLATFORM names another one.
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QMap>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextObjectInterface>
#include <QTextTable>
#include <QUrl>

#if TAVO_HELP_WITH_SKETCH
#include "families/family_table.h"
#include "drawing/section_drawing.h"
#include "render/render_drawing.h"
#endif

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// --- Page geometry (millimetres) ---------------------------------------------------------
// Device pixels per inch of the PDF painter. 96 makes a CSS pixel of the HTML one device
// pixel, as in a browser; positions are kept in fractions of a pixel, so nothing is lost.
constexpr int kResolution = 96;
constexpr double kPageWidthMm = 210, kPageHeightMm = 297;
constexpr double kMarginLeftMm = 20, kMarginRightMm = 20, kMarginTopMm = 22, kMarginBottomMm = 22;
constexpr double kHeaderBaselineMm = 13;  // from the top edge
constexpr double kFooterBaselineMm = 12;  // from the bottom edge

double MmToDevice(double mm) { return mm * kResolution / 25.4; }
double PtToDevice(double pt) { return pt * kResolution / 72.0; }

struct Edition {
  bool rightToLeft = false;
  QStringList bodyFamilies;
  double bodySize = 10;
  QStringList chromeFamilies;  // the running header
  double chromeSize = 8;
  QStringList numberFamilies = {"Noto Sans", "DejaVu Sans"};  // the page numbers
  double numberSize = 8;
};

Edition EditionFor(const QString& lang) {
  Edition e;
  if (lang == "fa") {
    e.rightToLeft = true;
    // Latin runs (designations, symbols) fall through to the second family.
    e.bodyFamilies = {"Noto Naskh Arabic", "Noto Sans", "DejaVu Sans"};
    e.bodySize = 11;
    e.chromeFamilies = e.bodyFamilies;
    e.chromeSize = 9;
    // The page numbers take their digits from a font that maps them directly: Qt writes a
    // PDF's text from the font's character map, and the Persian forms of 4, 6 and 7 in
    // Noto Naskh are substitutions that map back to wrong characters.
    e.numberFamilies = {"DejaVu Sans"};
    e.numberSize = 8.5;
  } else {
    e.bodyFamilies = {"Noto Sans", "DejaVu Sans"};
    e.chromeFamilies = e.bodyFamilies;
  }
  return e;
}

QFont MakeFont(const QStringList& families, double pointSize, bool italic = false) {
  QFont f(families.value(0));
  f.setFamilies(families);
  f.setPointSizeF(pointSize);
  f.setItalic(italic);
  return f;
}

// Persian digits for the page numbers of the right-to-left edition.
QString LocalDigits(const QString& text, bool persian) {
  if (!persian) return text;
  QString out = text;
  for (QChar& c : out)
    if (c >= QChar('0') && c <= QChar('9')) c = QChar(0x06F0 + (c.unicode() - '0'));
  return out;
}

// =========================================================================================
// Figures
// =========================================================================================
//
// Each figure is drawn in its own box measured in figure units (one unit is 0.9 point on the
// page), origin at the top-left corner, y downwards. Plates are grey with a dark outline;
// dimensions are blue, with arrows inside when there is room and outside otherwise.

constexpr double kFigureUnitPt = 0.9;
constexpr double kFigurePaddingPt = 3;

enum class Side { Auto, Left, Right, Above, Below };

// Draws in figure units on a painter, or, without a painter, only measures: every operation
// widens the bounding box of what has been drawn, labels included, so that a figure's size
// on the page is that of its drawing.
class Sketch {
 public:
  Sketch(QPainter* p, const QPaintDevice* device, const QPointF& origin, double devicePerUnit)
      : p_(p), device_(device), origin_(origin), k_(devicePerUnit) {
    labelFont_ = MakeFont({"Noto Sans", "DejaVu Sans"}, 7.6, true);
  }

  // Device coordinates of what has been drawn so far.
  QRectF Bounds() const { return bounds_; }

  QPointF At(double x, double y) const { return origin_ + QPointF(x * k_, y * k_); }
  QPointF At(const QPointF& u) const { return At(u.x(), u.y()); }

  // A filled plate given by two opposite corners.
  void Plate(double x1, double y1, double x2, double y2) { Polygon({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}); }
  void Polygon(const std::vector<QPointF>& pts) {
    QPolygonF poly;
    for (const QPointF& q : pts) poly << At(q);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    FillPath(path, OutlinePen(), kSteel);
  }
  // A ring (tube wall).
  void Ring(double cx, double cy, double outer, double inner) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addEllipse(At(cx, cy), outer * k_, outer * k_);
    path.addEllipse(At(cx, cy), inner * k_, inner * k_);
    FillPath(path, OutlinePen(), kSteel);
  }
  // A plate with openings cut out of it (the web of a castellated beam).
  void PlateWithHoles(double x1, double y1, double x2, double y2, const std::vector<std::vector<QPointF>>& holes) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRect(QRectF(At(x1, y1), At(x2, y2)));
    for (const auto& hole : holes) {
      QPolygonF poly;
      for (const QPointF& q : hole) poly << At(q);
      poly << poly.first();
      path.addPolygon(poly);
    }
    FillPath(path, OutlinePen(), kSteel);
  }
  // A plate that may be left out (a gusset between two profiles): dashed outline, light fill.
  void DashedPlate(double x1, double y1, double x2, double y2) {
    QPen pen = OutlinePen();
    pen.setStyle(Qt::DashLine);
    QPainterPath path;
    path.addRect(QRectF(At(x1, y1), At(x2, y2)));
    FillPath(path, pen, QColor(0xee, 0xf0, 0xf3));
  }
  // A plain outline line (the edge between a flange and the web seen in elevation).
  void Edge(double x1, double y1, double x2, double y2) { Line(At(x1, y1), At(x2, y2), QPen(kOutline, PtToDevice(0.5))); }
  // A weld joint across a plate.
  void Joint(double x1, double y1, double x2, double y2) {
    QPen pen(kOutline, PtToDevice(0.5));
    pen.setStyle(Qt::DotLine);
    Line(At(x1, y1), At(x2, y2), pen);
  }
  // A centre line (dash-dot).
  void CentreLine(double x1, double y1, double x2, double y2) {
    QPen pen(kCentre, PtToDevice(0.4));
    pen.setStyle(Qt::DashDotLine);
    Line(At(x1, y1), At(x2, y2), pen);
  }
  // The centroid mark: a small circle with a cross.
  void Centroid(double x, double y) {
    const QPen pen(kDimension, PtToDevice(0.5));
    QPainterPath circle;
    circle.addEllipse(At(x, y), 2.2 * k_, 2.2 * k_);
    FillPath(circle, pen, Qt::NoBrush);
    Line(At(x - 3.6, y), At(x + 3.6, y), pen);
    Line(At(x, y - 3.6), At(x, y + 3.6), pen);
  }

  // Horizontal dimension between the points a and b, drawn on the line y = yLine with
  // extension lines from the points. The label goes above the line when the line lies above
  // the points, below otherwise, unless a side is given.
  void DimH(QPointF a, QPointF b, double yLine, const QString& label, Side side = Side::Auto) {
    if (a.x() > b.x()) std::swap(a, b);
    Extension(a, QPointF(a.x(), yLine));
    Extension(b, QPointF(b.x(), yLine));
    const QPointF s(a.x(), yLine), e(b.x(), yLine);
    Arrows(s, e);
    if (side == Side::Auto) side = yLine < std::min(a.y(), b.y()) ? Side::Above : Side::Below;
    Label(s, e, label, side);
  }
  // Vertical dimension on the line x = xLine; the label goes right of the line when it lies
  // right of the points, left otherwise, unless a side is given.
  void DimV(QPointF a, QPointF b, double xLine, const QString& label, Side side = Side::Auto) {
    if (a.y() > b.y()) std::swap(a, b);
    Extension(a, QPointF(xLine, a.y()));
    Extension(b, QPointF(xLine, b.y()));
    const QPointF s(xLine, a.y()), e(xLine, b.y());
    Arrows(s, e);
    if (side == Side::Auto) side = xLine > std::max(a.x(), b.x()) ? Side::Right : Side::Left;
    Label(s, e, label, side);
  }
  // A leader from a point on the section to a label.
  void Leader(QPointF from, QPointF to, const QString& label, Side side) {
    Line(At(from), At(to), QPen(kDimension, PtToDevice(0.45)));
    QPainterPath dot;
    dot.addEllipse(At(from), 0.9 * k_, 0.9 * k_);
    FillPath(dot, Qt::NoPen, kDimension);
    Text(to, label, side);
  }
  // A label beside a point.
  void Text(QPointF at, const QString& label, Side side) {
    const QFontMetricsF fm(labelFont_, const_cast<QPaintDevice*>(device_));
    const double w = fm.horizontalAdvance(label), h = fm.height();
    const double gap = 1.6 * k_;
    QPointF c = At(at);
    switch (side) {
      case Side::Left: c += QPointF(-gap - w / 2, 0); break;
      case Side::Right: case Side::Auto: c += QPointF(gap + w / 2, 0); break;
      case Side::Above: c += QPointF(0, -gap - h / 2); break;
      case Side::Below: c += QPointF(0, gap + h / 2); break;
    }
    const QRectF box(c.x() - w / 2 - 2, c.y() - h / 2, w + 4, h);
    Grow(box);
    if (!p_) return;
    p_->setFont(labelFont_);
    p_->setPen(kDimension);
    p_->drawText(box, Qt::AlignCenter, label);
  }

 private:
  static constexpr QColor kSteel{0xc9, 0xce, 0xd6};
  static constexpr QColor kOutline{0x26, 0x2a, 0x30};
  static constexpr QColor kDimension{0x1d, 0x4f, 0x91};
  static constexpr QColor kCentre{0x80, 0x80, 0x80};

  QPen OutlinePen() const {
    QPen pen(kOutline, PtToDevice(0.6));
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
  }
  void Grow(const QRectF& r) { bounds_ = bounds_.isNull() ? r : bounds_.united(r); }
  void FillPath(const QPainterPath& path, const QPen& pen, const QBrush& brush) {
    Grow(path.boundingRect());
    if (!p_) return;
    p_->setPen(pen);
    p_->setBrush(brush);
    p_->drawPath(path);
  }
  void Line(const QPointF& a, const QPointF& b, const QPen& pen) {
    Grow(QRectF(a, b).normalized());
    if (!p_) return;
    p_->setPen(pen);
    p_->drawLine(a, b);
  }
  void Extension(QPointF from, QPointF to) {
    const double len = std::hypot(to.x() - from.x(), to.y() - from.y());
    if (len < 2.5) return;
    const QPointF u = (to - from) / len;
    Line(At(from + u * 1.5), At(to + u * 2.0), QPen(kDimension, PtToDevice(0.35)));
  }
  void ArrowHead(QPointF tip, QPointF dir) {  // dir: unit vector the arrow points along
    const QPointF n(-dir.y(), dir.x());
    const QPointF base = tip - dir * 3.6;
    QPainterPath tri;
    tri.addPolygon(QPolygonF() << At(tip) << At(base + n * 1.15) << At(base - n * 1.15));
    tri.closeSubpath();
    FillPath(tri, Qt::NoPen, kDimension);
  }
  void Arrows(QPointF s, QPointF e) {
    const double len = std::hypot(e.x() - s.x(), e.y() - s.y());
    if (len <= 0) return;
    const QPointF u = (e - s) / len;
    const QPen pen(kDimension, PtToDevice(0.45));
    if (len >= 11) {
      Line(At(s), At(e), pen);
      ArrowHead(s, -u);
      ArrowHead(e, u);
    } else {  // no room inside: the arrows come from outside and point at the plate
      Line(At(s - u * 7), At(e + u * 7), pen);
      ArrowHead(s, u);
      ArrowHead(e, -u);
    }
  }
  void Label(QPointF s, QPointF e, const QString& label, Side side) {
    const double len = std::hypot(e.x() - s.x(), e.y() - s.y());
    QPointF m = (s + e) / 2;
    // Beside a short dimension the label clears the outside arrow.
    const bool horizontal = std::abs(e.y() - s.y()) < 1e-9;
    if (len < 11 && horizontal) {
      if (side == Side::Left) m = QPointF(std::min(s.x(), e.x()) - 7, m.y());
      if (side == Side::Right) m = QPointF(std::max(s.x(), e.x()) + 7, m.y());
    }
    Text(m, label, side);
  }

  QPainter* p_;
  const QPaintDevice* device_;
  QPointF origin_;
  double k_;
  QFont labelFont_;
  QRectF bounds_;
};

using FigureDraw = std::function<void(Sketch&)>;
struct FigureEntry {
  FigureDraw draw;
};

const double kRoot2 = std::sqrt(2.0);

// One rolled I profile centred on x: flange width b, depth h from the top y, flange tf, web tw.
void IProfile(Sketch& s, double x, double top, double b, double h, double tf, double tw) {
  s.Polygon({{x - b / 2, top},          {x + b / 2, top},          {x + b / 2, top + tf},
             {x + tw / 2, top + tf},    {x + tw / 2, top + h - tf}, {x + b / 2, top + h - tf},
             {x + b / 2, top + h},      {x - b / 2, top + h},      {x - b / 2, top + h - tf},
             {x - tw / 2, top + h - tf}, {x - tw / 2, top + tf},    {x - b / 2, top + tf}});
}

// An angle whose outer corner is at c, legs along the unit vectors u1 and u2.
void AnglePolygon(Sketch& s, QPointF c, QPointF u1, QPointF u2, double b, double t) {
  const QPointF p1 = c + u1 * b, p5 = c + u2 * b;
  s.Polygon({c, p1, p1 + u2 * t, c + u1 * t + u2 * t, p5 + u1 * t, p5});
}

// A channel with its back at x, flanges pointing to the right (dir 1) or left (dir -1).
void ChannelPolygon(Sketch& s, double x, double top, double dir, double h, double b, double tf, double tw) {
  s.Polygon({{x, top},
             {x + dir * b, top},
             {x + dir * b, top + tf},
             {x + dir * tw, top + tf},
             {x + dir * tw, top + h - tf},
             {x + dir * b, top + h - tf},
             {x + dir * b, top + h},
             {x, top + h}});
}

QMap<QString, FigureEntry> Figures() {
  QMap<QString, FigureEntry> f;

  f["pg"] = {[](Sketch& s) {
               // Flange 1 on top, flange 2 (the compression flange of the checks) below.
               s.Plate(35, 25, 135, 34);
               s.Plate(82, 34, 88, 114);
               s.Plate(50, 114, 120, 126);
               s.DimH({35, 25}, {135, 25}, 13, "bf1");
               s.DimH({50, 126}, {120, 126}, 138, "bf2");
               s.DimV({135, 25}, {135, 34}, 147, "tf1");
               s.DimV({135, 34}, {120, 114}, 147, "hw");
               s.DimV({120, 114}, {120, 126}, 147, "tf2");
               s.DimH({82, 80}, {88, 80}, 80, "tw", Side::Left);
             }};

  f["cross"] = {[](Sketch& s) {
                  // Lying I (web h2, flanges bf2 x tf2), then the upright I (h1, bf1 x tf1).
                  s.Plate(37, 52, 45, 108);
                  s.Plate(45, 77.5, 145, 82.5);
                  s.Plate(145, 52, 153, 108);
                  s.Plate(67, 22, 123, 30);
                  s.Plate(92.5, 30, 97.5, 130);
                  s.Plate(67, 130, 123, 138);
                  s.DimH({67, 22}, {123, 22}, 11, "bf1");
                  s.DimV({67, 22}, {67, 30}, 25, "tf1");
                  s.DimV({67, 30}, {67, 130}, 25, "h1");
                  s.DimV({67, 130}, {67, 138}, 25, "tf1");
                  s.DimH({37, 108}, {45, 108}, 152, "tf2");
                  s.DimH({45, 108}, {145, 108}, 152, "h2");
                  s.DimH({145, 108}, {153, 108}, 152, "tf2");
                  s.DimV({153, 52}, {153, 108}, 164, "bf2");
                  s.DimH({92.5, 56}, {97.5, 56}, 56, "tw", Side::Right);
                }};

  f["box"] = {[](Sketch& s) {
                s.Plate(35, 25, 135, 33);
                s.Plate(47, 33, 53, 113);
                s.Plate(117, 33, 123, 113);
                s.Plate(35, 113, 135, 121);
                s.CentreLine(50, 28, 50, 140);
                s.CentreLine(120, 28, 120, 140);
                s.DimH({35, 25}, {135, 25}, 13, "bf");
                s.DimV({135, 25}, {135, 33}, 148, "tf");
                s.DimV({123, 33}, {123, 113}, 148, "hw");
                s.DimH({50, 136}, {120, 136}, 136, "d", Side::Below);
                s.DimH({47, 73}, {53, 73}, 73, "tw", Side::Right);
              }};

  f["tube"] = {[](Sketch& s) {
                 s.Ring(62, 72, 42, 35);
                 s.CentreLine(14, 72, 110, 72);
                 s.CentreLine(62, 24, 62, 120);
                 s.DimH({20, 72}, {104, 72}, 15, "D");
                 s.DimH({97, 100}, {104, 100}, 100, "t", Side::Right);
               }};

  f["angle"] = {[](Sketch& s) {
                  s.Polygon({{38, 30}, {46, 30}, {46, 102}, {118, 102}, {118, 110}, {38, 110}});
                  s.Centroid(60, 88);
                  s.CentreLine(60, 40, 60, 124);
                  s.DimV({38, 30}, {38, 110}, 24, "b");
                  s.DimH({38, 110}, {118, 110}, 128, "b");
                  s.DimH({38, 30}, {46, 30}, 19, "t");
                  s.DimH({38, 120}, {60, 120}, 120, "e", Side::Above);
                }};

  f["angle2"] = {[](Sketch& s) {
                   const double g = 8, c = 88, b = 70, t = 8, e = 20, bottom = 112;
                   s.DashedPlate(c - g / 2, 26, c + g / 2, 122);
                   // Left angle: back against the gusset, horizontal leg to the left.
                   s.Polygon({{c - g / 2 - t, bottom - b}, {c - g / 2, bottom - b}, {c - g / 2, bottom},
                              {c - g / 2 - b, bottom}, {c - g / 2 - b, bottom - t}, {c - g / 2 - t, bottom - t}});
                   s.Polygon({{c + g / 2 + t, bottom - b}, {c + g / 2, bottom - b}, {c + g / 2, bottom},
                              {c + g / 2 + b, bottom}, {c + g / 2 + b, bottom - t}, {c + g / 2 + t, bottom - t}});
                   const double xl = c - g / 2 - e, xr = c + g / 2 + e, yc = bottom - e;
                   s.Centroid(xl, yc);
                   s.Centroid(xr, yc);
                   s.DimH({xl, yc}, {xr, yc}, 128, "d");
                   s.Leader({c, 34}, {c + 18, 20}, "PL", Side::Right);
                 }};

  f["angle2star"] = {[](Sketch& s) {
                       const double b = 60, t = 7, e = 17, cy = 66;
                       const double r = 1 / kRoot2;
                       const QPointF cl(20, cy), cr(156, cy);
                       AnglePolygon(s, cl, {r, -r}, {r, r}, b, t);
                       AnglePolygon(s, cr, {-r, -r}, {-r, r}, b, t);
                       s.DashedPlate(84, 18, 92, 114);
                       const double xl = cl.x() + kRoot2 * e, xr = cr.x() - kRoot2 * e;
                       s.Centroid(xl, cy);
                       s.Centroid(xr, cy);
                       s.DimH({xl, cy}, {xr, cy}, 128, "d");
                       s.Text({20 + b * r / 2 - 4, cy - b * r / 2 - 4}, "b", Side::Left);
                       s.Text({156 - b * r / 2 + 4, cy - b * r / 2 - 4}, "b", Side::Right);
                     }};

  f["channel"] = {[](Sketch& s) {
                    ChannelPolygon(s, 44, 20, 1, 100, 46, 9, 7);
                    s.Centroid(58, 70);
                    s.CentreLine(58, 60, 58, 136);
                    s.DimV({44, 20}, {44, 120}, 28, "h");
                    s.DimH({44, 20}, {90, 20}, 10, "b");
                    s.DimV({90, 111}, {90, 120}, 102, "tf");
                    s.DimH({44, 45}, {51, 45}, 45, "tw", Side::Right);
                    s.DimH({44, 120}, {58, 120}, 132, "e");
                  }};

  f["channel2"] = {[](Sketch& s) {
                     // "[]": flanges facing each other, webs outside.
                     const double e = 14;
                     ChannelPolygon(s, 30, 20, 1, 100, 46, 9, 7);
                     ChannelPolygon(s, 146, 20, -1, 100, 46, 9, 7);
                     s.Centroid(30 + e, 70);
                     s.Centroid(146 - e, 70);
                     s.CentreLine(30 + e, 62, 30 + e, 134);
                     s.CentreLine(146 - e, 62, 146 - e, 134);
                     s.DimH({30 + e, 120}, {146 - e, 120}, 132, "d");
                   }};

  f["channel2b"] = {[](Sketch& s) {
                      // "][": webs back to back, flanges outward.
                      const double e = 14, g = 8;
                      ChannelPolygon(s, 88 - g / 2, 20, -1, 100, 46, 9, 7);
                      ChannelPolygon(s, 88 + g / 2, 20, 1, 100, 46, 9, 7);
                      s.DashedPlate(88 - g / 2, 12, 88 + g / 2, 128);
                      s.Centroid(88 - g / 2 - e, 70);
                      s.Centroid(88 + g / 2 + e, 70);
                      s.DimH({88 - g / 2 - e, 70}, {88 + g / 2 + e, 70}, 136, "d");
                    }};

  f["ipe_pl"] = {[](Sketch& s) {
                   IProfile(s, 75, 30, 60, 90, 8, 5);
                   s.Plate(30, 22, 120, 30);
                   s.Plate(30, 120, 120, 128);
                   s.DimH({30, 22}, {120, 22}, 11, "bpl");
                   s.DimV({120, 120}, {120, 128}, 134, "tpl");
                   s.DimV({105, 30}, {105, 120}, 134, "h");
                   s.DimH({45, 128}, {105, 128}, 140, "b");
                 }};

  f["ipe2"] = {[](Sketch& s) {
                 IProfile(s, 56, 30, 46, 90, 8, 5);
                 IProfile(s, 120, 30, 46, 90, 8, 5);
                 s.Plate(26, 22, 150, 30);
                 s.Plate(26, 120, 150, 128);
                 s.CentreLine(56, 16, 56, 142);
                 s.CentreLine(120, 16, 120, 142);
                 s.DimH({56, 128}, {120, 128}, 140, "d");
                 s.DimH({26, 22}, {150, 22}, 11, "bpl");
               }};

  f["ipe3"] = {[](Sketch& s) {
                 IProfile(s, 34, 25, 40, 90, 8, 5);
                 IProfile(s, 88, 25, 40, 90, 8, 5);
                 IProfile(s, 142, 25, 40, 90, 8, 5);
                 for (const double x : {34.0, 88.0, 142.0}) s.CentreLine(x, 15, x, 132);
                 s.DimH({34, 115}, {88, 115}, 128, "d");
                 s.DimH({88, 115}, {142, 115}, 128, "d");
               }};

  f["ipe_wpl"] = {[](Sketch& s) {
                    IProfile(s, 75, 25, 70, 100, 9, 6);
                    s.Plate(66, 47, 72, 103);
                    s.Plate(78, 47, 84, 103);
                    s.CentreLine(69, 40, 69, 140);
                    s.CentreLine(81, 40, 81, 140);
                    s.DimH({69, 125}, {81, 125}, 137, "dpl");
                    s.DimV({84, 47}, {84, 103}, 124, "wb");
                    s.DimH({78, 90}, {84, 90}, 90, "wt", Side::Right);
                  }};

  f["half"] = {[](Sketch& s) {
                 // Two tees of the parent profile with a web insert between them.
                 const double x = 75, b = 70, tf = 8, tw = 6, top = 18, stem = 30, insert = 44;
                 const double j1 = top + tf + stem, j2 = j1 + insert, bottom = j2 + stem + tf;
                 s.Polygon({{x - b / 2, top}, {x + b / 2, top}, {x + b / 2, top + tf}, {x + tw / 2, top + tf},
                            {x + tw / 2, bottom - tf}, {x + b / 2, bottom - tf}, {x + b / 2, bottom},
                            {x - b / 2, bottom}, {x - b / 2, bottom - tf}, {x - tw / 2, bottom - tf},
                            {x - tw / 2, top + tf}, {x - b / 2, top + tf}});
                 s.Joint(x - 9, j1, x + 9, j1);
                 s.Joint(x - 9, j2, x + 9, j2);
                 s.DimV({x + b / 2, top}, {x + b / 2, bottom}, 132, "h'");
                 s.DimV({x - tw / 2, j1}, {x - tw / 2, j2}, 24, "h' \u2212 h");
               }};

  f["castellated"] = {[](Sketch& s) {
                        // Elevation: hexagonal openings of the parent's height h in a beam of
                        // height 1.5 h.
                        const double top = 18, h = 52, depth = 1.5 * h, left = 10, right = 262, tf = 4;
                        const double mid = top + depth / 2, a = 16, run = 0.58 * h / 2;
                        std::vector<std::vector<QPointF>> holes;
                        for (double cx = 44; cx < right - 24; cx += 58)
                          holes.push_back({{cx - a / 2 - run, mid}, {cx - a / 2, mid - h / 2}, {cx + a / 2, mid - h / 2},
                                           {cx + a / 2 + run, mid}, {cx + a / 2, mid + h / 2}, {cx - a / 2, mid + h / 2}});
                        s.PlateWithHoles(left, top, right, top + depth, holes);
                        s.Edge(left, top + tf, right, top + tf);
                        s.Edge(left, top + depth - tf, right, top + depth - tf);
                        s.CentreLine(left - 4, mid, right + 4, mid);
                        s.DimV({right, top}, {right, top + depth}, 276, "1.5 h");
                        s.DimV({36, mid - h / 2}, {36, mid + h / 2}, 36, "h", Side::Left);
                      }};
  return f;
}

constexpr int kFigureObjectType = QTextFormat::UserObject + 1;
constexpr int kFigureNameProperty = QTextFormat::UserProperty + 1;

class FigureHandler : public QObject, public QTextObjectInterface {
  Q_OBJECT
  Q_INTERFACES(QTextObjectInterface)

 public:
  explicit FigureHandler(QObject* parent = nullptr) : QObject(parent), figures_(Figures()) {}

  bool Knows(const QString& name) const { return figures_.contains(name); }

  QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat& format) override {
    return Extent(format.property(kFigureNameProperty).toString(), doc->documentLayout()->paintDevice()).size();
  }

  void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* doc, int, const QTextFormat& format) override {
    const QString name = format.property(kFigureNameProperty).toString();
    const FigureEntry figure = figures_.value(name);
    if (!figure.draw) return;
    const QRectF extent = Extent(name, doc->documentLayout()->paintDevice());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    Sketch sketch(painter, doc->documentLayout()->paintDevice(), rect.topLeft() - extent.topLeft(),
                  PtToDevice(kFigureUnitPt));
    figure.draw(sketch);
    painter->restore();
  }

 private:
  // The drawing's bounds around the origin, with a margin: the object's box on the page.
  QRectF Extent(const QString& name, const QPaintDevice* device) {
    if (const auto it = extents_.constFind(name); it != extents_.constEnd()) return *it;
    const FigureEntry figure = figures_.value(name);
    QRectF r;
    if (figure.draw) {
      Sketch measure(nullptr, device, QPointF(0, 0), PtToDevice(kFigureUnitPt));
      figure.draw(measure);
      const double pad = PtToDevice(kFigurePaddingPt);
      r = measure.Bounds().adjusted(-pad, -pad, pad, pad);
    }
    extents_.insert(name, r);
    return r;
  }

  QMap<QString, FigureEntry> figures_;
  QHash<QString, QRectF> extents_;
};

// Replaces every <img src="figure:NAME"> of the document by the figure object. Returns the
// names that no figure answers to.
QStringList InstallFigures(QTextDocument& doc, FigureHandler& handler) {
  struct Found {
    int position;
    QTextCharFormat format;
    QString name;
  };
  std::vector<Found> found;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment fr = it.fragment();
      const QTextCharFormat cf = fr.charFormat();
      if (!cf.isImageFormat()) continue;
      const QString src = cf.toImageFormat().name();
      if (!src.startsWith("figure:")) continue;
      // One object per character of the fragment (adjacent identical images share one).
      for (int i = 0; i < fr.length(); ++i) found.push_back({fr.position() + i, cf, src.mid(7)});
    }
  }
  QStringList unknown;
  for (const Found& f : found) {
    if (!handler.Knows(f.name)) {
      unknown << f.name;
      continue;
    }
    QTextCharFormat object;
    object.setObjectType(kFigureObjectType);
    object.setProperty(kFigureNameProperty, f.name);
    object.setVerticalAlignment(f.format.verticalAlignment());
    QTextCursor c(&doc);
    c.setPosition(f.position);
    c.setPosition(f.position + 1, QTextCursor::KeepAnchor);
    c.setCharFormat(object);
  }
  doc.documentLayout()->registerHandler(kFigureObjectType, &handler);
  return unknown;
}

// The legend the drawing window shows while the constants window is open, drawn by the
// program's own drawing code on its screen palette and cut to the drawn part.
QImage ParameterSketchImage() {
#if TAVO_HELP_WITH_SKETCH
  tavo::ImageRenderOptions options;
  options.width = 1280;
  options.height = 960;
  QImage image = tavo::RenderImage([](tavo::DrawingContext& dc) { tavo::DrawParameterSketch(dc, tavo::StandardFamilies()); }, options);
  const QRgb background = image.pixel(0, 0);
  QRect drawn;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) drawn |= QRect(x, y, 1, 1);
  if (drawn.isEmpty()) return {};
  return image.copy(drawn.adjusted(-24, -24, 24, 24));
#else
  return {};
#endif
}

// Without the legend, the element that holds it (class "sketch") goes.
QString DropSketch(const QString& html) {
  static const QRegularExpression sketch(R"re(<(table|p)\s+class="sketch"[^>]*>.*?</\1>)re",
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
  return QString(html).remove(sketch);
}

// =========================================================================================
// Contents, anchors and pages
// =========================================================================================

// The HTML importer puts the anchor of <hN id="..."> on the first character of the heading
// only, which splits the heading into two runs; Arabic letters do not join across runs, so a
// heading beginning with a letter would show its first letter cut off. The anchor is spread
// over the whole heading.
void SpreadHeadingAnchors(QTextDocument& doc) {
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    if (b.blockFormat().headingLevel() == 0 || b.length() <= 2) continue;
    const QTextCharFormat first = b.begin().fragment().charFormat();
    if (!first.isAnchor() || first.anchorNames().isEmpty()) continue;
    QTextCharFormat anchor;
    anchor.setAnchor(true);
    anchor.setAnchorNames(first.anchorNames());
    QTextCursor c(b);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.mergeCharFormat(anchor);
  }
}

struct Heading {
  int level = 0;
  QString id;
  QString title;
};

QString PlainText(const QString& html) {
  return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

std::vector<Heading> HeadingsOf(const QString& html) {
  static const QRegularExpression re(
      R"re(<h([12])\b[^>]*\bid\s*=\s*"([^"]+)"[^>]*>(.*?)</h\1>)re",
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  std::vector<Heading> out;
  for (auto it = re.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    out.push_back({m.captured(1).toInt(), m.captured(2), PlainText(m.captured(3))});
  }
  return out;
}

QString ContentsTable(const std::vector<Heading>& headings, const QHash<QString, int>& pages, bool persian) {
  QString t = "<table class=\"contents\" width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">";
  for (const Heading& h : headings) {
    if (h.id == "contents") continue;
    const QString page = LocalDigits(QString::number(pages.value(h.id, 0)), persian);
    const QString cls = h.level == 1 ? "contents1" : "contents2";
    t += QString("<tr><td class=\"%1\">%2</td><td class=\"%1\" width=\"8%\" align=\"%3\" "
                 "style=\"font-family: 'Noto Sans'\">%4</td></tr>")
             .arg(cls, h.title.toHtmlEscaped(), persian ? "left" : "right", page);
  }
  t += "</table>";
  return t;
}

// A short code span is a designation or a keyword: its blanks are made non-breaking so that
// a line never breaks inside it (in the right-to-left edition a broken designation would be
// read in the wrong order). Longer spans, such as a header line, may still wrap.
QString KeepShortCodeTogether(const QString& html) {
  static const QRegularExpression code(R"re((<code\b[^>]*>)(.*?)(</code>))re",
                                       QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::DotMatchesEverythingOption);
  constexpr int kLongest = 32;
  QString out;
  qsizetype last = 0;
  for (auto it = code.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    QString text = m.captured(2);
    if (PlainText(text).size() <= kLongest) text.replace(' ', "&nbsp;");
    out += html.mid(last, m.capturedStart() - last) + m.captured(1) + text + m.captured(3);
    last = m.capturedEnd();
  }
  return out + html.mid(last);
}

// Isolates the left-to-right runs of the Persian edition (see the file comment): the text of
// every <code>, <span class="m"> (a formula) and <span class="l"> (a plain Latin term) is put
// between LRI and PDI. A run that begins with a neutral character (the ± of ±d/2, the
// bracket of (d=12)) also gets a left-to-right mark after the LRI: Qt's bidi resolution would
// otherwise give that character the direction of the Persian text around the run. The mark
// is left out where it is not needed, since PDF text extraction shows it as a letter.
QString IsolateLatinRuns(const QString& html) {
  const QChar lri(0x2066), pdi(0x2069), lrm(0x200E);
  static const QRegularExpression run(R"re((<code\b[^>]*>|<span\s+class="[ml]"[^>]*>)(.*?)(</code>|</span>))re",
                                      QRegularExpression::CaseInsensitiveOption |
                                          QRegularExpression::DotMatchesEverythingOption);
  QString out;
  qsizetype last = 0;
  for (auto it = run.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    const QString text = PlainText(m.captured(2));
    const bool neutralStart = !text.isEmpty() && !text.front().isLetterOrNumber();
    out += html.mid(last, m.capturedStart() - last) + m.captured(1) + lri + (neutralStart ? QString(lrm) : QString()) +
           m.captured(2) + pdi + m.captured(3);
    last = m.capturedEnd();
  }
  out += html.mid(last);
  return out;
}

// Writes the cells of every table row in reverse order. Qt lays table columns out from left
// to right whatever the direction of the text, so the right-to-left edition mirrors its
// tables here and its source keeps the reading order (first column first). A table whose
// tag says dir="ltr" (formulas) keeps its order. Nested tables are mirrored too.
QString MirrorTableRows(const QString& html) {
  static const QRegularExpression tagRe(R"re(<(/?)(table|tr|td|th)\b[^>]*>)re", QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression ltrRe(R"re(\bdir\s*=\s*"ltr")re", QRegularExpression::CaseInsensitiveOption);
  struct Tag {
    qsizetype begin, end;
    bool close;
    QString name;
    bool ltr;
  };
  std::vector<Tag> tags;
  for (auto it = tagRe.globalMatch(html); it.hasNext();) {
    const auto m = it.next();
    tags.push_back({m.capturedStart(), m.capturedEnd(), !m.captured(1).isEmpty(), m.captured(2).toLower(),
                    ltrRe.match(m.captured(0)).hasMatch()});
  }
  // The index of the tag that closes the element opened at tags[i] (same name, same depth).
  auto closing = [&](size_t i) {
    int depth = 0;
    for (size_t j = i; j < tags.size(); ++j) {
      if (tags[j].name != tags[i].name) continue;
      depth += tags[j].close ? -1 : 1;
      if (depth == 0) return j;
    }
    return tags.size();
  };
  std::function<QString(qsizetype, qsizetype, size_t, size_t)> mirror;
  // Mirrors html[from, to), whose tags are tags[first, last).
  mirror = [&](qsizetype from, qsizetype to, size_t first, size_t last) {
    QString out;
    qsizetype pos = from;
    for (size_t i = first; i < last; ++i) {
      if (tags[i].close || tags[i].name != "table") continue;
      const size_t end = std::min(closing(i), last);
      if (end >= last) break;  // unbalanced: leave the rest as written
      out += html.mid(pos, tags[i].end - pos);
      pos = tags[i].end;
      for (size_t r = i + 1; r < end; ++r) {
        if (tags[r].close || tags[r].name != "tr") continue;
        const size_t rowEnd = closing(r);
        if (rowEnd >= end) break;
        out += html.mid(pos, tags[r].end - pos);
        QStringList cells;
        for (size_t c = r + 1; c < rowEnd; ++c) {
          if (tags[c].close || (tags[c].name != "td" && tags[c].name != "th")) continue;
          const size_t cellEnd = closing(c);
          if (cellEnd >= rowEnd) break;
          cells << html.mid(tags[c].begin, tags[c].end - tags[c].begin) +
                       mirror(tags[c].end, tags[cellEnd].begin, c + 1, cellEnd) +
                       html.mid(tags[cellEnd].begin, tags[cellEnd].end - tags[cellEnd].begin);
          c = cellEnd;
        }
        if (!tags[i].ltr) std::reverse(cells.begin(), cells.end());
        out += cells.join(QString());
        pos = tags[rowEnd].begin;
        r = rowEnd;
      }
      i = end;
    }
    out += html.mid(pos, to - pos);
    return out;
  };
  return mirror(0, html.size(), 0, tags.size());
}

QString TitleOf(const QString& html) {
  static const QRegularExpression re(R"re(<title>(.*?)</title>)re", QRegularExpression::CaseInsensitiveOption |
                                                                    QRegularExpression::DotMatchesEverythingOption);
  const auto m = re.match(html);
  return m.hasMatch() ? PlainText(m.captured(1)) : QString();
}

// Page (0-based) of the middle of one line of a block (the first by default).
int PageOfBlock(const QTextDocument& doc, const QTextBlock& block, int line = 0) {
  const QRectF r = doc.documentLayout()->blockBoundingRect(block);
  double y = r.center().y();
  if (const QTextLayout* l = block.layout(); l && l->lineCount() > line && line >= 0)
    y = r.top() + l->lineAt(line).rect().center().y() - l->boundingRect().top();
  return static_cast<int>(std::floor(y / doc.pageSize().height()));
}

// Moves to the next page what should not be split: a heading left at the foot of a page
// apart from what follows it, a table shorter than half a page that would straddle two pages,
// a longer table that would leave little more than its header row at the foot of a page, and
// a paragraph of up to ten lines that the foot of a page would split.
// One change at a time, from the top, each followed by a full layout.
constexpr int kWholeParagraphLines = 10;

void KeepTogether(QTextDocument& doc) {
  const double pageHeight = doc.pageSize().height();
  auto pageOf = [&](double y) { return static_cast<int>(std::floor(y / pageHeight)); };
  for (int change = 0; change < 500; ++change) {
    bool changed = false;
    QTextBlock previous;  // the block just before the current item, when it is one
    std::vector<QTextBlock> sinceFrame;  // the blocks since the last table
    for (auto it = doc.rootFrame()->begin(); !it.atEnd() && !changed; ++it) {
      if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
        const QRectF r = doc.documentLayout()->frameBoundingRect(table);
        const bool straddles = pageOf(r.top()) != pageOf(r.bottom() - 1);
        const double onFirstPage = (pageOf(r.top()) + 1) * pageHeight - r.top();
        // A heading right above the table, or above one or two short lines that introduce
        // it, goes with it.
        QTextBlock heading;
        for (size_t k = 0; k < sinceFrame.size() && k < 3; ++k) {
          const QTextBlock& b = sinceFrame[sinceFrame.size() - 1 - k];
          if (b.blockFormat().headingLevel() >= 2) {
            heading = b;
            break;
          }
          if (!b.layout() || b.layout()->lineCount() > 2) break;
        }
        sinceFrame.clear();
        if (straddles && (r.height() < pageHeight / 2 || onFirstPage < pageHeight * 0.15)) {
          if (heading.isValid()) {
            QTextBlockFormat format = heading.blockFormat();
            if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
              format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
              QTextCursor(heading).setBlockFormat(format);
              changed = true;
            }
          } else {
            QTextTableFormat format = table->format();
            if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
              format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
              table->setFormat(format);
              changed = true;
            }
          }
        }
        previous = QTextBlock();
        continue;
      }
      const QTextBlock block = it.currentBlock();
      const QTextBlock before = previous;
      previous = block;
      sinceFrame.push_back(block);
      // A paragraph of a few lines split by the foot of a page moves whole to the next page;
      // the layout draws one line beyond the edge of a page's clip, so the lines of a split
      // paragraph would land in the PDF text of both pages, where a search would find them.
      if (const QTextLayout* l = block.layout(); l && l->lineCount() > 1 && l->lineCount() <= kWholeParagraphLines &&
                                                 PageOfBlock(doc, block, 0) != PageOfBlock(doc, block, l->lineCount() - 1)) {
        const QTextBlock target = before.isValid() && before.blockFormat().headingLevel() >= 2 ? before : block;
        QTextBlockFormat format = target.blockFormat();
        if (!(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
          format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
          QTextCursor(target).setBlockFormat(format);
          changed = true;
          continue;
        }
      }
      const QTextBlock& heading = block;
      if (heading.blockFormat().headingLevel() < 2) continue;
      QTextBlock next = heading.next();
      while (next.isValid() && next.text().trimmed().isEmpty() && next.length() <= 1) next = next.next();
      if (!next.isValid()) continue;
      QTextBlockFormat format = heading.blockFormat();
      if (PageOfBlock(doc, next) != PageOfBlock(doc, heading) &&
          !(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(heading).setBlockFormat(format);
        changed = true;
      }
    }
    if (!changed) return;
    // Format changes inside the flow are laid out again only in part; lay out the whole.
    doc.markContentsDirty(0, doc.characterCount());
  }
}

struct Layout {
  QHash<QString, int> anchorPages;   // 1-based
  QMap<int, QString> chapterStarts;  // 0-based page -> chapter title
};

Layout Measure(const QTextDocument& doc) {
  Layout out;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    const int page = PageOfBlock(doc, b);
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat cf = it.fragment().charFormat();
      if (cf.isAnchor())
        for (const QString& name : cf.anchorNames())
          if (!out.anchorPages.contains(name)) out.anchorPages.insert(name, page + 1);
    }
    if (b.blockFormat().headingLevel() == 1 && !out.chapterStarts.contains(page))
      out.chapterStarts.insert(page, b.text().simplified());
  }
  return out;
}

void Fail(const QString& message) {
  std::fprintf(stderr, "make_help: %s\n", qPrintable(message));
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  QString lang = "en";
  QStringList positional;
  const QStringList args = app.arguments().mid(1);
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang" && i + 1 < args.size())
      lang = args[++i];
    else
      positional << args[i];
  }
  if (positional.size() < 2 || (lang != "en" && lang != "fa")) {
    std::fprintf(stderr, "usage: make_help [--lang en|fa] INPUT.html OUTPUT.pdf [ANCHORS.txt]\n");
    return 2;
  }
  const QString inputPath = positional[0], outputPath = positional[1];
  const QString anchorsPath = positional.value(2);
  const Edition edition = EditionFor(lang);

  QFile input(inputPath);
  if (!input.open(QIODevice::ReadOnly)) Fail("cannot read " + inputPath);
  QString source = QString::fromUtf8(input.readAll());
  source = KeepShortCodeTogether(source);
  if (edition.rightToLeft) source = IsolateLatinRuns(source);
  const std::vector<Heading> headings = HeadingsOf(source);
  const QString title = TitleOf(source);
  if (!source.contains("<!--contents-->")) Fail("the document has no <!--contents--> marker");

  QSaveFile pdfFile(outputPath);
  if (!pdfFile.open(QIODevice::WriteOnly)) Fail("cannot write " + outputPath);
  QPdfWriter writer(&pdfFile);
  writer.setResolution(kResolution);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                   QPageLayout::Millimeter));
  writer.setTitle(title);
  writer.setCreator("Tavolin make_help");

  const QRectF body(MmToDevice(kMarginLeftMm), MmToDevice(kMarginTopMm),
                    MmToDevice(kPageWidthMm - kMarginLeftMm - kMarginRightMm),
                    MmToDevice(kPageHeightMm - kMarginTopMm - kMarginBottomMm));

  QTextDocument doc;
  FigureHandler figures;
  doc.documentLayout()->setPaintDevice(&writer);
  doc.setUseDesignMetrics(true);
  doc.setDocumentMargin(0);
  doc.setDefaultFont(MakeFont(edition.bodyFamilies, edition.bodySize));
  if (edition.rightToLeft) {
    QTextOption option = doc.defaultTextOption();
    option.setTextDirection(Qt::RightToLeft);
    doc.setDefaultTextOption(option);
  }

  // Lay out, read the pages of the headings, fill the contents, and again until the
  // numbers no longer change (a longer number can move a line; two rounds are the rule).
  const QImage sketch = ParameterSketchImage();
  if (sketch.isNull()) source = DropSketch(source);

  QHash<QString, int> pages;
  Layout layout;
  for (int round = 0; round < 5; ++round) {
    QString html = source;
    html.replace("<!--contents-->", ContentsTable(headings, pages, edition.rightToLeft));
    if (edition.rightToLeft) html = MirrorTableRows(html);
    doc.setHtml(html);
    if (!sketch.isNull()) doc.addResource(QTextDocument::ImageResource, QUrl("sketch:parameters"), sketch);
    SpreadHeadingAnchors(doc);
    const QStringList unknown = InstallFigures(doc, figures);
    if (!unknown.isEmpty()) Fail("unknown figure(s): " + unknown.join(", "));
    doc.setPageSize(body.size());
    doc.markContentsDirty(0, doc.characterCount());
    KeepTogether(doc);
    layout = Measure(doc);
    if (layout.anchorPages == pages) break;
    pages = layout.anchorPages;
    if (round == 4) Fail("the page numbers of the contents do not settle");
  }
  for (const Heading& h : headings)
    if (!layout.anchorPages.contains(h.id)) Fail("heading id not found in the layout: " + h.id);

  const int pageCount = doc.pageCount();
  QPainter painter;
  if (!painter.begin(&writer)) Fail("cannot paint on " + outputPath);
  const QFont chrome = MakeFont(edition.chromeFamilies, edition.chromeSize);
  const QColor chromeColour(0x55, 0x5b, 0x66);
  QString chapter;
  for (int page = 0; page < pageCount; ++page) {
    if (page > 0) writer.newPage();
    if (layout.chapterStarts.contains(page)) chapter = layout.chapterStarts.value(page);

    painter.save();
    painter.setClipRect(body);
    painter.translate(body.left(), body.top() - page * body.height());
    QAbstractTextDocumentLayout::PaintContext ctx;
    // Lines are drawn when they touch the clip, and a line drawn outside the page is hidden by
    // the painter's clip but still lands in the PDF's text, where a search would find it on
    // the wrong page; so the clip stops short of the lines that only touch the page's edges.
    ctx.clip = QRectF(0, page * body.height() + 0.5, body.width(), body.height() - 1);
    doc.documentLayout()->draw(&painter, ctx);
    painter.restore();

    if (page == 0) continue;  // the title page has no header and no number
    painter.save();
    painter.setFont(chrome);
    painter.setPen(chromeColour);
    painter.setLayoutDirection(edition.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    const double lineHeight = QFontMetricsF(chrome, &writer).height();
    const QRectF header(body.left(), MmToDevice(kHeaderBaselineMm) - lineHeight, body.width(), lineHeight * 1.3);
    const Qt::Alignment start = edition.rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment end = edition.rightToLeft ? Qt::AlignLeft : Qt::AlignRight;
    painter.drawText(header, start | Qt::AlignVCenter, title);
    painter.drawText(header, end | Qt::AlignVCenter, chapter);
    painter.setPen(QPen(QColor(0xb8, 0xbe, 0xc8), PtToDevice(0.5)));
    painter.drawLine(QPointF(body.left(), header.bottom() + PtToDevice(2)),
                     QPointF(body.right(), header.bottom() + PtToDevice(2)));
    painter.setPen(chromeColour);
    painter.setFont(MakeFont(edition.numberFamilies, edition.numberSize));
    const QRectF footer(body.left(), MmToDevice(kPageHeightMm - kFooterBaselineMm) - lineHeight, body.width(),
                        lineHeight * 1.3);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter,
                     LocalDigits(QString::number(page + 1), edition.rightToLeft));
    painter.restore();
  }
  if (!painter.end()) Fail("painting " + outputPath + " failed");
  if (!pdfFile.commit()) Fail("cannot write " + outputPath);

  if (!anchorsPath.isEmpty()) {
    QSaveFile anchors(anchorsPath);
    if (!anchors.open(QIODevice::WriteOnly)) Fail("cannot write " + anchorsPath);
    QByteArray text;
    for (const Heading& h : headings)
      text += h.id.toUtf8() + '\t' + QByteArray::number(layout.anchorPages.value(h.id)) + '\n';
    anchors.write(text);
    if (!anchors.commit()) Fail("cannot write " + anchorsPath);
  }
  std::printf("make_help: %s, %d pages\n", qPrintable(QFileInfo(outputPath).fileName()), pageCount);
  return 0;
}

#include "make_help.moc"
