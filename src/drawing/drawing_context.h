#pragma once
// The switches every drawing primitive reads: which canvas is current, the drawing mode
// ("no dimention" silences labels and dimensions), the print flag (white paper), the
// interface font size that shrinks label text, and the language and display units of
// value labels. One object, owned by whoever starts a drawing, passed by reference.
#include <string>

#include "core/units.h"

namespace tavo {

class DrawingSurface;
struct ModuleContext;

// The mode name as the module has always spelled it.
inline constexpr const char* kNoDimensionMode = "no dimention";

struct DrawingContext {
  DrawingSurface* surface = nullptr;  // the current canvas; primitives do nothing without one
  std::string drawingMode;
  bool printFlag = false;
  int uiFontSize = 12;  // 8, 10 or 12
  char language = 'E';
  UnitSystem displayUnits;

  DrawingContext() = default;
  explicit DrawingContext(DrawingSurface& s) : surface(&s) {}
  // Language, interface font size and display units taken from the module's run state.
  static DrawingContext FromModule(const ModuleContext& ctx, DrawingSurface& s);

  bool NoDimensions() const { return drawingMode == kNoDimensionMode; }
};

}  // namespace tavo
