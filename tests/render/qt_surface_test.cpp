#include "render/qt_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>

#include "drawing/canvas_frame.h"
#include "drawing/primitives.h"
#include "drawing/sample_sections.h"
#include "drawing/section_drawing.h"
#include "render/gui_app.h"
#include "render/render_drawing.h"
#include "support/test_support.h"

namespace tavo {
namespace {

using ::testing::HasSubstr;

class Render : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_NE(EnsureGuiApplication(), nullptr); }
};

int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
  return n;
}

DrawFunction Drawing(const Section& s) {
  return [s](DrawingContext& dc) { DrawSection(dc, s); };
}

TEST_F(Render, GuiApplicationIsMadeOnce) {
  QGuiApplication* app = EnsureGuiApplication();
  EXPECT_EQ(app, EnsureGuiApplication());
  EXPECT_EQ(app, QCoreApplication::instance());
}

TEST_F(Render, LabelsKeepTheirOrderInARightToLeftProgram) {
  // A Persian run makes right to left the default; a designation label must still read
  // "2IPE..." and not "...2IPE".
  const auto paint = [] {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QtSurface surface(image);
    surface.ForeColor = Rgb{255, 255, 255};
    surface.Print("2IPE...");
    return image;
  };
  const QImage leftToRight = paint();
  QGuiApplication::setLayoutDirection(Qt::RightToLeft);
  const QImage rightToLeft = paint();
  QGuiApplication::setLayoutDirection(Qt::LeftToRight);
  EXPECT_LT(CountPixels(leftToRight, qRgb(0, 0, 0)), 200 * 40) << "nothing painted";
  EXPECT_EQ(leftToRight, rightToLeft);
}

TEST_F(Render, EveryFamilyShowsItsPlatesLightGreyOnScreenAndDarkOnPaper) {
  for (const auto& [name, section] : test::SampleSections()) {
    const QImage screen = RenderImage(Drawing(section), ImageRenderOptions{});
    ASSERT_FALSE(screen.isNull()) << name;
    EXPECT_EQ(screen.size(), QSize(640, 480)) << name;
    EXPECT_EQ(screen.pixel(0, 0) & 0xFFFFFF, 0u) << name << ": black screen";
    EXPECT_GT(CountPixels(screen, qRgb(192, 192, 192)), 50) << name;

    ImageRenderOptions paper;
    paper.printColours = true;
    const QImage printed = RenderImage(Drawing(section), paper);
    EXPECT_EQ(printed.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << name << ": white paper";
    EXPECT_GT(CountPixels(printed, qRgb(80, 80, 80)), 50) << name << ": dark plates on paper";
    EXPECT_LT(CountPixels(printed, qRgb(192, 192, 192)), 50) << name << ": no light grey plates on paper";
    EXPECT_EQ(CountPixels(printed, qRgb(255, 255, 0)), 0) << name << ": no yellow on paper";
  }
}

TEST_F(Render, EveryFamilyAsSvgAndPdf) {
  for (const auto& [name, section] : test::SampleSections()) {
    const std::string svg = RenderBytes(ImageFormat::Svg, Drawing(section), ImageRenderOptions{});
    EXPECT_THAT(svg, HasSubstr("<svg")) << name;
    EXPECT_THAT(svg, HasSubstr("#c0c0c0")) << name << ": the plates' light grey";
  }
  const std::string pdf = RenderBytes(ImageFormat::Pdf, Drawing(test::SampleSections()[0].section), ImageRenderOptions{});
  EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
  EXPECT_GT(pdf.size(), 500u);
}

TEST_F(Render, FilesAreWrittenWholeOrNotAtAll) {
  test::ScratchDir dir;
  std::string error;
  const auto draw = Drawing(test::SampleSections()[2].section);
  ASSERT_TRUE(RenderToFile(dir.path() / "box.png", draw, ImageRenderOptions{}, &error)) << error;
  const QImage back(QString::fromStdString((dir.path() / "box.png").string()));
  EXPECT_EQ(back.size(), QSize(640, 480));
  EXPECT_FALSE(RenderToFile(dir.path() / "box.bmp", draw, ImageRenderOptions{}, &error));
  EXPECT_THAT(error, HasSubstr(".png"));
  EXPECT_FALSE(RenderToFile(dir.path() / "missing" / "box.svg", draw, ImageRenderOptions{}, &error));
  EXPECT_EQ(ImageFormatOf("A.SVG"), ImageFormat::Svg);
  EXPECT_EQ(ImageFormatOf("a.pdf"), ImageFormat::Pdf);
  EXPECT_EQ(ImageFormatOf("a.dxf"), ImageFormat::Dxf);
}

TEST_F(Render, LargerPicturesKeepTheirProportions) {
  EXPECT_EQ(ResolutionFor(640, 480), 96);
  EXPECT_EQ(ResolutionFor(2500, 1875), 375);
  ImageRenderOptions big;
  big.width = 1280, big.height = 960;
  const auto draw = Drawing(test::SampleSections()[0].section);
  const int small = CountPixels(RenderImage(draw, ImageRenderOptions{}), qRgb(192, 192, 192));
  const int large = CountPixels(RenderImage(draw, big), qRgb(192, 192, 192));
  EXPECT_NEAR(static_cast<double>(large) / small, 4.0, 0.6) << "the plates cover the same share of the picture";
}

TEST_F(Render, PointReadsTheImageAndBlankingWorks) {
  QImage image(640, 480, QImage::Format_RGB32);
  QtSurface surface(image);
  SetCanvasFrame(surface);
  surface.BackColor = QBColor(0);
  surface.Cls();
  surface.LineStep(100, 100, 200, 200, QBColor(12), LineStyle::FilledBox);
  EXPECT_EQ(surface.Point(200, 200), QBColor(12));
  EXPECT_EQ(surface.Point(1000, 1000), QBColor(0));
  DrawingContext dc(surface);
  DrawDimension(dc, 500, 1000, 1000, 0, "1000", "cs");
  surface.Font.Name = "arial";
  surface.Font.Size = 10;
  const double w = surface.TextWidth("1000");
  surface.Finish();
  // Between the label and the end of the blanked stretch the line is gone; far from the
  // label it shows.
  const int y = static_cast<int>(std::lround(1000 * 0.256));
  const auto px = [](double x) { return static_cast<int>(std::lround(x * 0.256)); };
  EXPECT_EQ(image.pixel(px(1000 - w / 2 - 25), y) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(px(1000 + w / 2 + 25), y) & 0xFFFFFF, 0u);
  EXPECT_EQ(image.pixel(px(600), y) & 0xFFFFFF, qRgb(255, 255, 0) & 0xFFFFFF);
}

TEST_F(Render, RotatedLabelsStandBesideTheirLine) {
  QImage image(640, 480, QImage::Format_RGB32);
  {
    QtSurface surface(image);
    SetCanvasFrame(surface);
    surface.Cls();
    DrawingContext dc(surface);
    DrawDimension(dc, 1000, 1500, 0, -1000, "1000", "ls");
  }
  // Line at pixel x = 256; the label's yellow lies left of it, none to the right.
  int left = 0, right = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      const QColor c(image.pixel(x, y));
      if (c.red() > 150 && c.green() > 150 && c.blue() < 100) {
        if (x < 248) ++left;
        if (x > 264) ++right;
      }
    }
  EXPECT_GT(left, 20);
  EXPECT_EQ(right, 0);
}

TEST_F(Render, SymbolFaceShowsGreekLetters) {
  EXPECT_EQ(SymbolToUnicode("F"), "Φ");
  EXPECT_EQ(SymbolToUnicode("4F12"), "4Φ12");
  EXPECT_EQ(SymbolToUnicode("abg"), "αβγ");
  const QFont font = QtSurface::FontFor("Symbol", 12, false, false, false, false);
  EXPECT_TRUE(QFontMetricsF(font).inFontUcs4(0x03A6)) << "a face with the capital phi stands in";

  QImage image(200, 100, QImage::Format_RGB32);
  QtSurface surface(image);
  surface.BackColor = QBColor(0);
  surface.Cls();
  surface.Font.Name = "symbol";
  surface.Font.Size = 20;
  const float phi = surface.TextWidth("F");
  surface.Font.Name = "Arial";
  EXPECT_GT(phi, 0);
  EXPECT_GT(surface.TextWidth("0000"), surface.TextWidth("0"));
  EXPECT_GT(surface.TextHeight("0"), 0);
}

TEST_F(Render, ContactSheetHasACellForEach) {
  std::vector<SheetCell> cells;
  for (const auto& [name, section] : test::SampleSections()) cells.push_back({name, Drawing(section)});
  const QImage sheet = RenderContactSheet(cells, 4, 320, 240, ImageRenderOptions{});
  EXPECT_EQ(sheet.size(), QSize(4 * 320, 5 * 240));
  EXPECT_GT(CountPixels(sheet.copy(3 * 320, 3 * 240, 320, 240), qRgb(192, 192, 192)), 10) << "the 16th cell";
}

}  // namespace
}  // namespace tavo
