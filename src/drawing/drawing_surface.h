#pragma once
// The canvas the drawing primitives see: a user coordinate frame, a pen, colours, a font
// and a handful of painting operations. The state lives here so every canvas (screen,
// image, page, DXF file, test recorder) keeps it with the same rules; a canvas only
// supplies the painting and measuring underneath.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/rgb.h"
#include "core/utf8.h"            // Utf8Length: the simple font model counts characters

namespace tavo {

// The classic 16-colour console palette (0 black ... 7 light grey, 8 grey ... 15 white);
// an index outside 0..15 is taken modulo 16.
Rgb QBColor(int index);
// Index of a palette colour, -1 for any other colour.
int PaletteIndexOf(const Rgb& colour);
// A colour given as one number: 0..15 palette, larger values 0xBBGGRR as the legacy API
// packed them (red in the low byte).
Rgb ColourFromValue(long value);

struct SurfaceFont {
  std::string Name = "Arial";
  float Size = 8;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
  int Weight() const { return Bold ? 700 : 400; }
};

// Platform logical font as the rotated-text path fills it (heights in device pixels,
// angles in tenths of a degree, face name NUL-terminated in 32 bytes).
struct LogicalFont {
  int32_t lfHeight = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 400;
  bool lfItalic = false;
  bool lfUnderline = false;
  bool lfStrikeOut = false;
  std::array<char, 32> lfFaceName{};
  std::string FaceName() const;
};

struct PixelPoint {
  long x = 0;
  long y = 0;
  bool operator==(const PixelPoint&) const = default;
};

enum class LineStyle { Line, Box, FilledBox };

// Which part of the picture is being drawn: the section's plates or the annotation.
// Raster canvases ignore it; the DXF canvas files entities on layers by it.
enum class DrawingLayer { Outline, Dimensions };

// What a drawing put where, in user units of the frame it was drawn for: what fits a picture
// to its canvas and shows that no label covers another label or a dimension line.
enum class MarkKind { Shape, Line, Arrow, Label };
struct DrawnMark {
  MarkKind kind = MarkKind::Shape;
  // A line's end points; for the others the box, x1 <= x2 and y1 <= y2.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int owner = 0;     // the dimension or label it belongs to, 0 for none
  std::string text;  // a label's text
};

inline constexpr int kUserScaleMode = 0;
inline constexpr int kPixelScaleMode = 3;
inline constexpr int kFillSolid = 0;
inline constexpr int kFillTransparent = 1;

class DrawingSurface {
 public:
  DrawingSurface() = default;
  DrawingSurface(const DrawingSurface&) = delete;
  DrawingSurface& operator=(const DrawingSurface&) = delete;
  virtual ~DrawingSurface() = default;

  // --- Coordinate frame ---------------------------------------------------------------
  float ScaleLeft() const { return frame_.left; }
  float ScaleTop() const { return frame_.top; }
  float ScaleWidth() const { return frame_.width; }
  float ScaleHeight() const { return frame_.height; }
  // A user frame with (left, top) at the top-left corner and (right, bottom) at the
  // bottom-right one; the scale mode becomes user-defined (0).
  void Scale(float left, float top, float right, float bottom);
  int ScaleMode() const { return scaleMode_; }
  // 3 (pixels) makes the frame the device's pixel grid; 0 keeps the values in force and
  // calls them user-defined (as the legacy canvas did); other modes act like 0.
  void SetScaleMode(int mode);

  // Device size in pixels and resolution in pixels per inch.
  virtual int PixelWidth() const = 0;
  virtual int PixelHeight() const = 0;
  virtual double DpiX() const { return 96.0; }
  virtual double DpiY() const { return 96.0; }
  // Drawing units per centimetre of the section and the drawing point of its origin: what a
  // file in real lengths (DXF) needs after the drawing; a picture has no use for it.
  virtual void SetModelSpace(double /*unitsPerCm*/, double /*originX*/, double /*originY*/) {}

  // --- State the primitives read and set ---------------------------------------------
  float CurrentX = 0;
  float CurrentY = 0;
  Rgb ForeColor{255, 255, 255};
  Rgb FillColor{0, 0, 0};
  Rgb BackColor{0, 0, 0};
  int FillStyle = kFillTransparent;
  int DrawWidth = 1;  // pixels
  SurfaceFont Font;
  DrawingLayer Layer = DrawingLayer::Outline;
  // The dimension or label being drawn; its lines, arrows and text carry it in their marks.
  int AnnotationOwner = 0;
  int NewAnnotationOwner() { return ++ownerCount_; }

  // Marks of what is drawn go to `marks` while it is set.
  void CollectMarks(std::vector<DrawnMark>* marks) { marks_ = marks; }


  // --- Operations (user units of the frame in force) ----------------------------------
  void Line(float x1, float y1, float x2, float y2, LineStyle style = LineStyle::Line);
  void Line(float x1, float y1, float x2, float y2, const Rgb& colour, LineStyle style = LineStyle::Line);
  // Second point as a step from the first.
  void LineStep(float x1, float y1, float dx, float dy, LineStyle style = LineStyle::Line);
  void LineStep(float x1, float y1, float dx, float dy, const Rgb& colour, LineStyle style = LineStyle::Line);
  // Radius in horizontal units; aspect = vertical / horizontal radius.
  void Circle(float x, float y, float radius, const Rgb& colour, float aspect = 1.0f);
  void PSet(float x, float y, const Rgb& colour);
  Rgb Point(float x, float y);
  // Prints at the pen (top-left of the text). stayOnLine keeps the pen on the line after
  // the text; otherwise it goes to the start of the next line.
  void Print(std::string_view text, bool stayOnLine = false);
  float TextWidth(std::string_view text);
  float TextHeight(std::string_view text);
  void Cls();

  // Device-context operations in pixels: a polygon filled with FillColor by FillStyle and
  // outlined in ForeColor, and text in a logical font with its top-left corner at p.
  void Polygon(const std::vector<PixelPoint>& points);
  void TextOut(const PixelPoint& p, std::string_view text, const LogicalFont& font);

  // User units to device pixels (not rounded) for the frame in force.
  double ToPixelX(double x) const;
  double ToPixelY(double y) const;
  // The frame most recently set by Scale, kept while the pixel mode is in force.
  struct Frame {
    float left = 0, top = 0, width = 1, height = 1;
  };
  const Frame& UserFrame() const { return userFrame_; }

  // A trial drawing: while alive nothing reaches the canvas, its marks are collected, and the
  // pen, colours, font and frame are given back as they were when it ends. Text is measured
  // by the canvas's own fonts, so the trial takes the room the real drawing will.
  class DryRun {
   public:
    explicit DryRun(DrawingSurface& s);
    ~DryRun();
    DryRun(const DryRun&) = delete;
    DryRun& operator=(const DryRun&) = delete;
    const std::vector<DrawnMark>& marks() const { return marks_; }

   private:
    DrawingSurface& s_;
    std::vector<DrawnMark> marks_;
    std::vector<DrawnMark>* previousMarks_;
    bool previousDry_;
    float x_, y_;
    Rgb fore_, fill_, back_;
    int fillStyle_, drawWidth_, owner_;
    SurfaceFont font_;
    DrawingLayer layer_;
    Frame frame_, userFrame_;
    int scaleMode_;
  };

 protected:
  // A canvas implements these. Coordinates are user units of the frame in force unless the
  // name says pixels; every value passed is finite.
  virtual void PaintLine(double x1, double y1, double x2, double y2, const Rgb& colour) = 0;
  virtual void PaintBox(double x1, double y1, double x2, double y2, const Rgb& edge, bool filled,
                        const Rgb& fill) = 0;
  virtual void PaintEllipse(double cx, double cy, double rx, double ry, const Rgb& edge, bool filled,
                            const Rgb& fill) = 0;
  virtual void PaintPoint(double x, double y, const Rgb& colour) = 0;
  virtual Rgb ReadPoint(double x, double y) = 0;
  virtual void PaintText(double x, double y, std::string_view text) = 0;  // Font, ForeColor
  virtual double MeasureTextWidthPx(std::string_view text) = 0;            // Font
  virtual double MeasureTextHeightPx(std::string_view text) = 0;           // Font
  virtual void PaintClear(const Rgb& back) = 0;
  virtual void PaintPolygonPx(const std::vector<PixelPoint>& points, const Rgb& edge, bool filled,
                              const Rgb& fill) = 0;
  virtual void PaintTextPx(const PixelPoint& p, std::string_view text, const LogicalFont& font,
                           const Rgb& colour) = 0;
  // Called after the frame changed (Scale or a mode switch).
  virtual void FrameChanged() {}
  bool Dry() const { return dry_; }

  // Pixels to user units for lengths along each axis.
  double UnitsPerPixelX() const;
  double UnitsPerPixelY() const;

 private:
  // Marks in user units of the last frame set by Scale, from the frame in force or pixels.
  double UserX(double x) const;
  double UserY(double y) const;
  double UserXFromPixel(double px) const;
  double UserYFromPixel(double py) const;
  void Mark(MarkKind kind, double x1, double y1, double x2, double y2, std::string text = {});
  void MarkBox(MarkKind kind, double x1, double y1, double x2, double y2, std::string text = {});
  void MarkUserBox(MarkKind kind, double x1, double y1, double x2, double y2, std::string text = {});
  MarkKind LayerKind(MarkKind annotation) const { return Layer == DrawingLayer::Outline ? MarkKind::Shape : annotation; }

  Frame frame_;
  Frame userFrame_;
  int scaleMode_ = kUserScaleMode;
  std::vector<DrawnMark>* marks_ = nullptr;
  bool dry_ = false;
  int ownerCount_ = 0;
};

// The box around marks (all of them, or the shapes only); false when there is none.
struct MarkExtent {
  double left = 0, top = 0, right = 0, bottom = 0;
  bool found = false;
  double Width() const { return right - left; }
  double Height() const { return bottom - top; }
};
MarkExtent ExtentOf(const std::vector<DrawnMark>& marks, bool shapesOnly);

// A simple, deterministic font model: every character is 0.55 em wide, a line is 1.15 em
// high, em = size x dpi / 72 pixels. Used where no real font exists (tests, DXF).
double SimpleTextWidthPx(std::string_view text, double sizePoints, double dpi);
double SimpleTextHeightPx(double sizePoints, double dpi);

// Text meant for the "Symbol" face shown with a normal font: Latin letters become the
// Greek letters at the same places ("F" the capital phi), everything else is kept. UTF-8.
std::string SymbolToUnicode(std::string_view text);
bool IsSymbolFace(std::string_view fontName);

}  // namespace tavo
