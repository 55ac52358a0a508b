#include "ui/draw_view_model.h"

#include <gtest/gtest.h>

namespace tavo::ui {
namespace {

DrawViewModel Viewport(double w = 12000, double h = 9000) {
  DrawViewModel m;
  m.SetViewport(w, h);
  return m;
}

TEST(DrawViewModel, HomeViewIsTheViewportWithASquareFrame) {
  DrawViewModel m = Viewport();
  EXPECT_DOUBLE_EQ(m.canvas().left, 0);
  EXPECT_DOUBLE_EQ(m.canvas().width, 12000);
  EXPECT_DOUBLE_EQ(m.canvas().height, 9000);
  EXPECT_DOUBLE_EQ(m.ScaleWidth(), 2500);
  EXPECT_DOUBLE_EQ(m.ScaleHeight(), 1875);
  EXPECT_EQ(m.recordedScaleHeight(), 1875);
  m.ZoomIn();
  m.SetHScroll(30);
  m.Home();
  EXPECT_DOUBLE_EQ(m.canvas().width, 12000);
  EXPECT_DOUBLE_EQ(m.canvas().left, 0);
  EXPECT_EQ(m.hScroll(), 0);
}

TEST(DrawViewModel, ZoomGrowsAboutTheCentreAndOutUndoesIn) {
  DrawViewModel m = Viewport();
  ASSERT_TRUE(m.ZoomIn());
  EXPECT_NEAR(m.canvas().width, 14400, 1e-9);
  EXPECT_NEAR(m.canvas().left, -1200, 1e-9);  // half the growth
  EXPECT_NEAR(m.canvas().top, -900, 1e-9);
  ASSERT_TRUE(m.ZoomOut());
  EXPECT_NEAR(m.canvas().width, 12000, 1e-6);
  EXPECT_NEAR(m.canvas().left, 0, 1e-6);
  EXPECT_NEAR(m.canvas().top, 0, 1e-6);
}

TEST(DrawViewModel, ZoomStopsAtItsLimits) {
  DrawViewModel m = Viewport();
  int in = 0;
  while (m.ZoomIn()) ASSERT_LT(++in, 100);
  EXPECT_GT(std::max(m.canvas().width, m.canvas().height), 50000);
  EXPECT_LT(std::max(m.canvas().width, m.canvas().height) / 1.2, 50000 + 1e-6);
  const double w = m.canvas().width;
  EXPECT_FALSE(m.ZoomIn());
  EXPECT_DOUBLE_EQ(m.canvas().width, w);

  m.Home();
  int out = 0;
  while (m.ZoomOut()) ASSERT_LT(++out, 100);
  EXPECT_LT(std::min(m.canvas().width, m.canvas().height), 1000);
  EXPECT_FALSE(m.ZoomOut());
}

TEST(DrawViewModel, ScrollBarsPanByPercentOfTheCanvas) {
  DrawViewModel m = Viewport();
  m.SetHScroll(50);
  EXPECT_DOUBLE_EQ(m.canvas().left, -6000);  // half a canvas width to the left
  m.SetVScroll(-20);
  EXPECT_DOUBLE_EQ(m.canvas().top, 1800);
  m.SetHScroll(400);
  EXPECT_EQ(m.hScroll(), 100);
}

TEST(DrawViewModel, WindowZoomIsLimitedAndNeedsTheHomeViewAgain) {
  DrawViewModel m = Viewport();
  m.ArmWindowZoom();
  EXPECT_EQ(m.tag(), "WINDOW");
  ASSERT_TRUE(m.MouseDown(1000, 800));
  EXPECT_TRUE(m.rubberBandVisible());
  m.MouseMove(1010, 805);
  EXPECT_DOUBLE_EQ(m.rubberBand().width, 10);
  ASSERT_TRUE(m.MouseUp(1010, 805));  // a tiny window: k is 4 at most
  EXPECT_NEAR(m.canvas().width, 48000, 1e-6);
  EXPECT_FALSE(m.rubberBandVisible());
  EXPECT_EQ(m.tag(), "");
  EXPECT_FALSE(m.windowZoomEnabled());
  m.ArmWindowZoom();
  EXPECT_EQ(m.tag(), "");  // disabled until "Original Size"
  m.Home();
  EXPECT_TRUE(m.windowZoomEnabled());

  // A window larger than the canvas never shrinks the picture.
  m.ArmWindowZoom();
  m.MouseDown(0, 0);
  m.MouseUp(5000, 4000);
  EXPECT_DOUBLE_EQ(m.canvas().width, 12000);

  // A window drawn as a line does not zoom, but the mode still ends.
  m.Home();
  m.ArmWindowZoom();
  m.MouseDown(100, 100);
  EXPECT_FALSE(m.MouseUp(100, 700));
  EXPECT_DOUBLE_EQ(m.canvas().width, 12000);
  EXPECT_FALSE(m.windowZoomEnabled());
}

TEST(DrawViewModel, WindowZoomCentresTheWindowInTheViewport) {
  DrawViewModel m = Viewport();
  m.ArmWindowZoom();
  m.MouseDown(1250, 937.5 - 300);
  m.MouseUp(1250 + 625, 937.5 + 300);  // k = min(2500/625, 1875/600) = 3.125
  EXPECT_NEAR(m.canvas().width, 37500, 1e-6);
  // The window's centre (1562.5, 937.5) is now in the middle of the viewport, to the scroll bars' percent.
  const double centreX = m.canvas().left + 1562.5 / 2500 * m.canvas().width;
  EXPECT_NEAR(centreX, 6000, m.canvas().width / 100);
  EXPECT_EQ(m.hScroll(), 47);
  EXPECT_EQ(m.vScroll(), 34);
}

TEST(DrawViewModel, DraggingKeepsTheGrabbedPointUnderThePointer) {
  DrawViewModel m = Viewport();
  m.DragMove(500, 400);  // grab
  EXPECT_EQ(m.tag().rfind("DRAG=", 0), 0u);
  m.DragMove(600, 400);  // 100 units right = 480 twips on a 12000-twip canvas
  EXPECT_DOUBLE_EQ(m.canvas().left, 480);
  m.DragEnd();
  EXPECT_EQ(m.tag(), "");
  // No dragging while a window zoom is armed.
  m.ArmWindowZoom();
  m.DragMove(10, 10);
  m.DragMove(500, 10);
  EXPECT_DOUBLE_EQ(m.canvas().left, 480);
}

}  // namespace
}  // namespace tavo::ui
