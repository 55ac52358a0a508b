#pragma once
// Pictures of sections on Qt paint devices: the drawing window's canvas (a widget as large
// as the zoom makes it), the element list's thumbnails and the printed page. The canvas
// frame is 2500 units across, whatever the device's size.
#include <QImage>
#include <QRect>

#include "drawing/section_drawing.h"
#include "sections/section.h"

class QPaintDevice;
class QPainter;

namespace tavo {
struct ModuleContext;
}

namespace tavo::ui {

struct PaintOptions {
  bool noDimensions = false;  // the thumbnails' mode: shapes only
  bool printFlag = false;     // white paper: white prints black, yellow grey
  bool grid = false;          // the View menu's grid under the picture
};

// Clears the device and draws the section; the lines the drawing hands to the report come back.
SectionDrawing PaintSection(QPaintDevice& device, const ModuleContext& ctx, const Section& section,
                            const PaintOptions& options);
// Clears the device and draws the legend of the section families.
void PaintSketch(QPaintDevice& device, const ModuleContext& ctx, const PaintOptions& options);
// Clears the device to the canvas colour (and the grid).
void PaintEmpty(QPaintDevice& device, const PaintOptions& options);

// A thumbnail of the section, shapes only.
QImage SectionThumbnail(const ModuleContext& ctx, const Section& section, const QSize& size);

// The section (or the legend when section is null) on white paper into a rectangle of a
// painter that is already drawing, e.g. a printer page.
void PaintOnPage(QPainter& painter, const QRect& target, const ModuleContext& ctx, const Section* section);

}  // namespace tavo::ui
