#pragma once
// The section drawn to scale, plate by plate, with every plate and gap dimensioned in
// millimetres; and the legend of all families with parameter names instead of values.
#include <string>
#include <vector>

#include "drawing/drawing_context.h"
#include "sections/section.h"
#include "sections/section_family.h"

namespace tavo {

// A line the drawing hands to the report (bilingual text, palette colour).
struct DrawingReportLine {
  int colour = 12;
  std::string text;
};

// Where the section went: drawing units per centimetre and the bottom-right corner of its
// bounding box; and the lines the report should append.
struct SectionDrawing {
  double s = 0;
  double x0 = 0;
  double y0 = 0;
  std::vector<DrawingReportLine> reportLines;
};

// The web-plate warning as the report prints it.
std::string EnlargeDplWarning();

// The section fitted to the surface and drawn by its family's routine.
SectionDrawing DrawSection(DrawingContext& dc, const Section& section);

// True when the web plates are taller than the clear web and stand closer than the outside
// of the flanges.
bool WebPlatesClashWithFlanges(const CurrentSection& cs);

// The legend: the sketch samples of every family with the names of their parameters, labels
// always at the smallest interface size it was laid out for. Returns the scale it used
// (drawing units per centimetre).
double DrawParameterSketch(DrawingContext& dc, const FamilyTable& families);

// The legend's samples in drawing order, each with its family.
struct SketchPlace {
  const SketchSample* sample = nullptr;
  const SectionFamily* family = nullptr;
};
std::vector<SketchPlace> ParameterSketchSamples(const FamilyTable& families);

// Non-finite values drawn as 0; the name above a rolled profile (up to its first plate).
double Clean(double v);
std::string CutDesignation(const std::string& text);

// --- Family routines: (x0, y0) bottom-right corner of the bounding box, s drawing units
// per centimetre, dimensions in centimetres. -----------------------------------------------

enum class DimensionText { Values, Names };
struct FamilyStyle {
  int plateColour = 7;
  DimensionText text = DimensionText::Values;
  // Names only: the colour of the names and their lines (the legend's light grey is for the
  // black screen); and `detailed` for a section drawn alone with room to spare (the help's
  // figures): a single profile's own sizes (h, b, tf, tw, e) are dimensioned too, every name
  // takes the names' colour and a short dimension's name stands clear of its arrows.
  int nameColour = 7;
  bool detailed = false;
};

void DrawPlateGirder(DrawingContext& dc, double x0, double y0, double s, double hw, double bf1, double bf2, double tf1,
                     double tf2, double tw, const FamilyStyle& style = {});
void DrawCross(DrawingContext& dc, double x0, double y0, double s, double h1, double h2, double bf1, double bf2,
               double tf1, double tf2, double tw, const FamilyStyle& style = {});
void DrawBox(DrawingContext& dc, double x0, double y0, double s, double hw, double bf, double tw, double tf, double d,
             const FamilyStyle& style = {});
void DrawTube(DrawingContext& dc, double x0, double y0, double s, double D, double t, const FamilyStyle& style = {});

struct ChannelDims {
  int count = 1;
  double h = 0, b = 0, tw = 0, tf = 0, e = 0;
  double spacing = 0;
  double plateWidth = 0, plateThickness = 0;
  std::string arrangement;  // "[]" or "]["
};
void DrawChannels(DrawingContext& dc, double x0, double y0, double s, const ChannelDims& c,
                  const FamilyStyle& style = {});

struct AngleDims {
  int count = 1;
  double b = 0, t = 0, e = 0;
  double spacing = 0;
  double plateWidth = 0, plateThickness = 0;
  std::string arrangement;  // "<>" or empty
};
void DrawAngles(DrawingContext& dc, double x0, double y0, double s, const AngleDims& a, const FamilyStyle& style = {});

struct RolledIDims {
  int count = 1;
  double h = 0, b = 0, tw = 0, tf = 0;
  double spacing = 0;
  double plateWidth = 0, plateThickness = 0;
  double webPlateHeight = 0, webPlateThickness = 0, dpl = 0;
  std::string name;  // the profile's name shown above it
  std::string heightName = "h";  // the name of its height in a detailed drawing
};
void DrawRolledI(DrawingContext& dc, double x0, double y0, double s, const RolledIDims& p,
                 const FamilyStyle& style = {});

}  // namespace tavo
