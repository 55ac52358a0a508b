#pragma once
// The drawing viewer's geometry without a window: a canvas inside a fixed viewport, whose
// user frame is always 2500 drawing units wide. Zooming resizes the canvas, panning moves it.
// Canvas and viewport sizes are in twips (1/1440 inch), so the zoom limits of 50000 and 1000
// mean the same physical size on every screen; the window converts pixels with its DPI.
#include <cstdint>
#include <string>

namespace tavo::ui {

struct CanvasRect {
  double left = 0, top = 0, width = 0, height = 0;
};

class DrawViewModel {
 public:
  static constexpr double kFrameWidth = 2500.0;
  static constexpr double kZoomFactor = 1.2;
  static constexpr double kMaxCanvasSide = 50000.0;  // zoom in stops past this
  static constexpr double kMinCanvasSide = 1000.0;   // zoom out stops below this
  static constexpr double kMaxWindowZoom = 4.0;

  // Layout: the viewport's inner size; the canvas returns to the home view.
  void SetViewport(double width, double height);
  double viewportWidth() const { return viewportW_; }
  double viewportHeight() const { return viewportH_; }

  const CanvasRect& canvas() const { return canvas_; }
  // User frame of the canvas: 2500 wide, height keeps the units square.
  double ScaleWidth() const { return kFrameWidth; }
  double ScaleHeight() const;
  int16_t recordedScaleWidth() const { return recordedW_; }
  int16_t recordedScaleHeight() const { return recordedH_; }

  // Each returns false when the limit leaves the canvas as it was.
  bool ZoomIn();
  bool ZoomOut();
  void Home();

  // Pan by the scroll bars, in percent of the canvas size (-100..100).
  void SetHScroll(int value);
  void SetVScroll(int value);
  int hScroll() const { return hScroll_; }
  int vScroll() const { return vScroll_; }

  // Window zoom. Points are canvas drawing units. MouseUp returns true when it zoomed.
  void ArmWindowZoom();
  bool windowZoomArmed() const { return tag_ == "WINDOW"; }
  bool windowZoomEnabled() const { return windowZoomEnabled_; }
  bool MouseDown(double x, double y);
  bool MouseMove(double x, double y);
  bool MouseUp(double x, double y);
  // The rubber band in drawing units while a window is being drawn.
  bool rubberBandVisible() const { return bandVisible_; }
  CanvasRect rubberBand() const { return band_; }

  // Pan by dragging: the grabbed point stays under the pointer. Points in drawing units.
  void DragMove(double x, double y);
  void DragEnd();

  // The interaction state: "", "WINDOW", "WINDOW=x,y", "DRAG=x,y".
  const std::string& tag() const { return tag_; }

  // Converts between canvas twips and drawing units.
  double UnitsPerTwipX() const { return canvas_.width > 0 ? kFrameWidth / canvas_.width : 0; }
  double UnitsPerTwipY() const { return canvas_.height > 0 ? ScaleHeight() / canvas_.height : 0; }

 private:
  void SetFrame();
  static bool ReadPoint(const std::string& tag, const char* key, double& x, double& y);

  double viewportW_ = 0, viewportH_ = 0;
  CanvasRect canvas_;
  int16_t recordedW_ = 0, recordedH_ = 0;
  int hScroll_ = 0, vScroll_ = 0;
  std::string tag_;
  bool windowZoomEnabled_ = true;
  bool bandVisible_ = false;
  CanvasRect band_;
};

}  // namespace tavo::ui
