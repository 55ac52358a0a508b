#include "ui/draw_view_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tavo::ui {

namespace {
int16_t ToInt16(double v) {
  const double r = std::nearbyint(v);
  return static_cast<int16_t>(std::clamp(r, -32768.0, 32767.0));
}
int ClampPercent(double v) { return static_cast<int>(std::clamp(std::lround(v), -100L, 100L)); }
}  // namespace

double DrawViewModel::ScaleHeight() const {
  return canvas_.width > 0 ? kFrameWidth * canvas_.height / canvas_.width : 0;
}

void DrawViewModel::SetFrame() {
  recordedW_ = ToInt16(ScaleWidth());
  recordedH_ = ToInt16(ScaleHeight());
}

void DrawViewModel::SetViewport(double width, double height) {
  viewportW_ = std::max(width, 1.0);
  viewportH_ = std::max(height, 1.0);
  Home();
}

void DrawViewModel::Home() {
  windowZoomEnabled_ = true;
  canvas_ = {0, 0, viewportW_, viewportH_};
  SetFrame();
  hScroll_ = vScroll_ = 0;
  tag_.clear();
  bandVisible_ = false;
}

bool DrawViewModel::ZoomIn() {
  if (std::max(canvas_.width, canvas_.height) > kMaxCanvasSide) return false;
  canvas_.width *= kZoomFactor;
  canvas_.height *= kZoomFactor;
  SetFrame();
  // Grow about the canvas's own centre.
  canvas_.left -= (canvas_.width - canvas_.width / kZoomFactor) / 2;
  canvas_.top -= (canvas_.height - canvas_.height / kZoomFactor) / 2;
  return true;
}

bool DrawViewModel::ZoomOut() {
  if (std::min(canvas_.width, canvas_.height) < kMinCanvasSide) return false;
  canvas_.width /= kZoomFactor;
  canvas_.height /= kZoomFactor;
  SetFrame();
  canvas_.left -= (canvas_.width - kZoomFactor * canvas_.width) / 2;
  canvas_.top -= (canvas_.height - kZoomFactor * canvas_.height) / 2;
  return true;
}

void DrawViewModel::SetHScroll(int value) {
  hScroll_ = std::clamp(value, -100, 100);
  canvas_.left = -hScroll_ * canvas_.width / 100.0;
}

void DrawViewModel::SetVScroll(int value) {
  vScroll_ = std::clamp(value, -100, 100);
  canvas_.top = -vScroll_ * canvas_.height / 100.0;
}

void DrawViewModel::ArmWindowZoom() {
  if (!windowZoomEnabled_) return;
  tag_ = "WINDOW";
}

bool DrawViewModel::ReadPoint(const std::string& tag, const char* key, double& x, double& y) {
  const std::string prefix = std::string(key) + "=";
  if (tag.rfind(prefix, 0) != 0) return false;
  return std::sscanf(tag.c_str() + prefix.size(), "%lf,%lf", &x, &y) == 2;
}

bool DrawViewModel::MouseDown(double x, double y) {
  if (tag_ != "WINDOW") return false;
  char buf[96];
  std::snprintf(buf, sizeof buf, "WINDOW=%.9g,%.9g", x, y);
  tag_ = buf;
  band_ = {x, y, 0, 0};
  bandVisible_ = true;
  return true;
}

bool DrawViewModel::MouseMove(double x, double y) {
  double x1 = 0, y1 = 0;
  if (!ReadPoint(tag_, "WINDOW", x1, y1)) return false;
  band_ = {std::min(x, x1), std::min(y, y1), std::fabs(x - x1), std::fabs(y - y1)};
  return true;
}

bool DrawViewModel::MouseUp(double x, double y) {
  double x1 = 0, y1 = 0;
  if (!ReadPoint(tag_, "WINDOW", x1, y1)) return false;
  bool zoomed = false;
  if (x != x1 && y != y1) {
    double k = std::min(recordedW_ / std::fabs(x - x1), recordedH_ / std::fabs(y - y1));
    k = std::clamp(k, 1.0, kMaxWindowZoom);
    // Centre of the drawn window, as a fraction of the canvas.
    const double fx = ((x + x1) / 2) / ScaleWidth();
    const double fy = ScaleHeight() > 0 ? ((y + y1) / 2) / ScaleHeight() : 0.5;
    canvas_.width *= k;
    canvas_.height *= k;
    SetFrame();
    const double left = viewportW_ / 2 - fx * canvas_.width;
    const double top = viewportH_ / 2 - fy * canvas_.height;
    // The scroll bars take the matching percentages, and they place the canvas.
    SetHScroll(ClampPercent(-left * 100 / canvas_.width));
    SetVScroll(ClampPercent(-top * 100 / canvas_.height));
    zoomed = true;
  }
  // In every case the mode ends; a further window zoom needs the home view first.
  bandVisible_ = false;
  tag_.clear();
  windowZoomEnabled_ = false;
  return zoomed;
}

void DrawViewModel::DragMove(double x, double y) {
  if (tag_ == "WINDOW" || tag_.rfind("WINDOW=", 0) == 0) return;
  double gx = 0, gy = 0;
  if (!ReadPoint(tag_, "DRAG", gx, gy)) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "DRAG=%.9g,%.9g", x, y);
    tag_ = buf;
    return;
  }
  canvas_.left += (x - gx) * canvas_.width / ScaleWidth();
  if (ScaleHeight() > 0) canvas_.top += (y - gy) * canvas_.height / ScaleHeight();
}

void DrawViewModel::DragEnd() {
  if (tag_.rfind("DRAG=", 0) == 0) tag_.clear();
}

}  // namespace tavo::ui
