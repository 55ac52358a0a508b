#include "drawing/dxf_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "drawing/canvas_frame.h"
#include "drawing/primitives.h"
#include "drawing/sample_sections.h"
#include "drawing/section_drawing.h"

namespace tavo {
namespace {

using ::testing::HasSubstr;

struct Pair {
  int code;
  std::string value;
};

std::vector<Pair> Pairs(const std::string& dxf) {
  std::vector<Pair> out;
  std::istringstream in(dxf);
  std::string code, value;
  while (std::getline(in, code) && std::getline(in, value)) out.push_back({std::stoi(code), value});
  return out;
}

struct Entity {
  std::string kind;
  std::string layer;
  std::vector<std::pair<double, double>> points;  // 10/20 of the entity or its vertices
  double radius = 0;
  std::string text;
};

std::vector<Entity> Entities(const std::string& dxf) {
  std::vector<Entity> out;
  const auto pairs = Pairs(dxf);
  bool inEntities = false;
  Entity* polyline = nullptr;
  for (size_t i = 0; i < pairs.size(); ++i) {
    const Pair& p = pairs[i];
    if (p.code == 2 && p.value == "ENTITIES") inEntities = true;
    if (!inEntities || p.code != 0) continue;
    if (p.value == "ENDSEC") break;
    Entity e;
    e.kind = p.value;
    double x = 0;
    for (size_t j = i + 1; j < pairs.size() && pairs[j].code != 0; ++j) {
      const Pair& q = pairs[j];
      if (q.code == 8) e.layer = q.value;
      if (q.code == 10) x = std::stod(q.value);
      if (q.code == 20) e.points.push_back({x, std::stod(q.value)});
      if (q.code == 40) e.radius = std::stod(q.value);
      if (q.code == 1) e.text = q.value;
    }
    if (e.kind == "VERTEX" && polyline) {
      polyline->points.push_back(e.points.at(0));
      continue;
    }
    if (e.kind == "SEQEND") {
      polyline = nullptr;
      continue;
    }
    out.push_back(e);
    if (e.kind == "POLYLINE") {
      out.back().points.clear();  // the polyline's own 10/20 is a dummy
      polyline = &out.back();
    }
  }
  return out;
}

std::string DrawToDxf(const Section& s, bool dimensions = true) {
  DxfSurface surface(640, 480);
  SetCanvasFrame(surface);
  surface.Cls();
  DrawingContext dc(surface);
  if (!dimensions) dc.drawingMode = kNoDimensionMode;
  const SectionDrawing d = DrawSection(dc, s);
  surface.SetModelSpace(d.s, d.x0 - d.s * s.props.Width, d.y0);
  return surface.Document();
}

TEST(DxfSurface, WritesAnR12DocumentWithBothLayers) {
  const std::string dxf = DrawToDxf(test::SampleSections()[0].section);
  EXPECT_EQ(dxf.rfind("0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1009\n", 0), 0u);
  EXPECT_THAT(dxf, HasSubstr("2\nOUTLINE\n"));
  EXPECT_THAT(dxf, HasSubstr("2\nDIMENSIONS\n"));
  EXPECT_THAT(dxf, HasSubstr("2\nCONTINUOUS\n"));
  EXPECT_EQ(dxf.substr(dxf.size() - 6), "0\nEOF\n");
  for (char c : dxf) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "plain ASCII";
}

TEST(DxfSurface, PlatesAreClosedOutlinesInMillimetres) {
  const auto entities = Entities(DrawToDxf(test::SampleSections()[0].section));  // PG 600*8*250*15
  std::vector<Entity> plates;
  for (const auto& e : entities)
    if (e.layer == "OUTLINE") plates.push_back(e);
  ASSERT_EQ(plates.size(), 3u);
  const auto extent = [](const Entity& e) {
    double x1 = 1e9, x2 = -1e9, y1 = 1e9, y2 = -1e9;
    for (auto [x, y] : e.points) x1 = std::min(x1, x), x2 = std::max(x2, x), y1 = std::min(y1, y), y2 = std::max(y2, y);
    return std::array<double, 4>{x1, y1, x2, y2};
  };
  for (const auto& p : plates) {
    EXPECT_EQ(p.kind, "POLYLINE");
    EXPECT_EQ(p.points.size(), 4u);
  }
  const auto bottom = extent(plates[0]), web = extent(plates[1]), top = extent(plates[2]);
  EXPECT_NEAR(bottom[0], 0, 1e-3);
  EXPECT_NEAR(bottom[2] - bottom[0], 250, 1e-3);
  EXPECT_NEAR(bottom[1], 0, 1e-3);
  EXPECT_NEAR(bottom[3], 15, 1e-3);
  EXPECT_NEAR(web[2] - web[0], 8, 1e-3);
  EXPECT_NEAR(web[0], 121, 1e-3);
  EXPECT_NEAR(web[3] - web[1], 600, 1e-3);
  EXPECT_NEAR(top[3], 630, 1e-3) << "y grows upwards in the file";
}

TEST(DxfSurface, DimensionsCarryTheirTexts) {
  const auto entities = Entities(DrawToDxf(test::SampleSections()[0].section));
  std::vector<std::string> texts;
  int lines = 0, solids = 0;
  for (const auto& e : entities) {
    if (e.kind == "TEXT") {
      EXPECT_EQ(e.layer, "DIMENSIONS");
      texts.push_back(e.text);
    }
    if (e.kind == "LINE") {
      EXPECT_EQ(e.layer, "DIMENSIONS");
      ++lines;
    }
    if (e.kind == "SOLID") ++solids;
  }
  EXPECT_THAT(texts, ::testing::UnorderedElementsAre("15", "600", "15", "250", "250", "8", "630"));
  EXPECT_EQ(solids, 14) << "two arrowheads on each of the seven dimension lines";
  EXPECT_GE(lines, 18) << "each dimension line with its two ticks";

  const auto bare = Entities(DrawToDxf(test::SampleSections()[0].section, false));
  for (const auto& e : bare) EXPECT_EQ(e.layer, "OUTLINE");
}

TEST(DxfSurface, TubeIsTwoCirclesAndAnglesKeepTheirShape) {
  auto entities = Entities(DrawToDxf(test::SampleSections()[3].section, false));  // TUBE 273*10
  ASSERT_EQ(entities.size(), 2u);
  EXPECT_EQ(entities[0].kind, "CIRCLE");
  EXPECT_NEAR(entities[0].radius, 136.5, 1e-3);
  EXPECT_NEAR(entities[1].radius, 126.5, 1e-3);
  EXPECT_NEAR(entities[0].points[0].first, 136.5, 1e-3);

  entities = Entities(DrawToDxf(test::SampleSections()[4].section, false));  // L60*6
  ASSERT_EQ(entities.size(), 1u);
  ASSERT_EQ(entities[0].points.size(), 6u);
  const std::vector<std::pair<double, double>> corners{{0, 0}, {60, 0}, {60, 6}, {6, 6}, {6, 60}, {0, 60}};
  for (size_t i = 0; i < 6; ++i) {
    // The finer pixel grid keeps the polygon within a tenth of a millimetre.
    EXPECT_NEAR(entities[0].points[i].first, corners[i].first, 0.1) << i;
    EXPECT_NEAR(entities[0].points[i].second, corners[i].second, 0.1) << i;
  }
}

TEST(DxfSurface, TextNotation) {
  EXPECT_EQ(DxfSurface::DxfText("4F12", true), "4%%c12");
  EXPECT_EQ(DxfSurface::DxfText("a", true), "\\U+03B1");
  EXPECT_EQ(DxfSurface::DxfText("PL 200*8", false), "PL 200*8");
  EXPECT_EQ(DxfSurface::DxfText("بله", false), "\\U+0628\\U+0644\\U+0647");
  EXPECT_EQ(DxfSurface::DxfText(std::string("\xF8"), false), "\\U+00F8") << "a stray byte reads as Latin-1";
}

TEST(DxfSurface, RotatedLabelsKeepTheirAngle) {
  const std::string dxf = DrawToDxf(test::SampleSections()[0].section);
  const auto pairs = Pairs(dxf);
  int rotated = 0;
  for (size_t i = 0; i + 1 < pairs.size(); ++i)
    if (pairs[i].code == 50 && std::stod(pairs[i].value) == 90.0) ++rotated;
  EXPECT_EQ(rotated, 4) << "tf1, hw, tf2 and the overall depth run upwards";
}

}  // namespace
}  // namespace tavo
