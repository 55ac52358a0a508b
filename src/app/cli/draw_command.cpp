// tavo draw: a section (or the parameter legend) as a dimensioned drawing in SVG, PNG, PDF
// or DXF.
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "families/family_table.h"
#include "cli/cli_common.h"
#include "core/files.h"
#include "core/language.h"
#include "core/text_util.h"
#include "core/units.h"
#include "drawing/drawing_file.h"
#include "drawing/primitives.h"
#include "drawing/section_drawing.h"
#include "input/input_session.h"
#include "sections/profile_catalogue.h"
#include "sections/section_parser.h"

#ifdef TAVO_HAVE_RENDER
#include "render/render_drawing.h"
#endif

namespace tavo::cli {

namespace {

#ifdef TAVO_HAVE_RENDER
// Every family once, for the contact sheet.
const std::vector<std::string>& SheetDesignations() {
  static const std::vector<std::string> list{
      "PG 600*8*250*15",        "CROSS 400*300*8*200*12", "BOX 300*10*250*15  (D=20)", "TUBE 273*10",
      "L60",                    "2L100 +PL120*10",        "2L80<>  (d=8)",             "UNP30",
      "2UNP20  (d=12)",         "2UNP16 ][  (d=10)",      "IPE30",                     "2IPE30  (d=20)",
      "3IPE30  (d=20)",         "IPE30+2PL200*10",        "IPE30+WPL200*8  DPL=25",    "HPE300-400",
      "CPE30"};
  return list;
}
#endif

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::string t = ToLower(Trim(text));
  const auto sep = t.find_first_of("x*");
  if (sep == std::string::npos) return false;
  const double w = NumericValue(t.substr(0, sep)), h = NumericValue(t.substr(sep + 1));
  if (!(w >= 16 && w <= 20000 && h >= 16 && h <= 20000)) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

struct DrawRequest {
  bool sketch = false;
  Section section;
};

// Draws the request on a canvas and returns the scale and origin for a DXF file.
struct Placement {
  double s = 1, originX = 0, originY = 0;
  std::vector<DrawingReportLine> reportLines;
};

Placement DrawRequestOn(DrawingContext& dc, const DrawRequest& request) {
  Placement p;
  if (request.sketch) {
    p.s = DrawParameterSketch(dc, StandardFamilies());
    p.originX = 0;
    p.originY = dc.surface ? dc.surface->ScaleHeight() : 0;
    return p;
  }
  const SectionDrawing d = DrawSection(dc, request.section);
  p.s = d.s;
  p.originX = d.x0 - d.s * request.section.props.Width;
  p.originY = d.y0;
  p.reportLines = d.reportLines;
  return p;
}

Section ComputeFor(CliState& state, const std::string& designation, const UnitSystem& units) {
  SectionInput input;
  input.families = StandardFamilies();
  // One catalogue for every section of the run: each family file is read once.
  static std::unique_ptr<ProfileCatalogue> catalogue;
  if (!catalogue || catalogue->directory() != state.ctx.installDir + "cte")
    catalogue = std::make_unique<ProfileCatalogue>(state.ctx.installDir + "cte");
  input.catalogue = catalogue.get();
  input.dataUnits = units;
  input.messages = &state.messages;
  input.language = state.ctx.language;
  return ComputeSection(designation, input);
}

}  // namespace

void AddDrawCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("draw", "Draw a section with its dimensions (SVG, PNG, PDF or DXF)");
  static std::vector<std::string> words;
  static std::string inputFile;
  static int id = 0;
  static std::string out;
  static std::string size = "640x480";
  static bool noDimensions = false;
  static bool printColours = false;
  static bool sketch = false;
  static bool sheet = false;
  static std::string units = "[kg]-[cm]";
  cmd->add_option("DESIGNATION", words, "Section designation, e.g. \"PG 600*8*250*15\"");
  cmd->add_option("--input", inputFile, "Input file (.Ardekon) holding the element");
  cmd->add_option("--id", id, "ID of the element to draw from --input");
  cmd->add_option("--out", out, "Output file: .svg, .png, .pdf or .dxf")->required();
  cmd->add_option("--size", size, "Picture size WxH in pixels")->capture_default_str();
  cmd->add_flag("--no-dimensions", noDimensions, "Shapes only, no dimensions or labels");
  cmd->add_flag("--print-colours", printColours, "White paper: black text, grey dimensions");
  cmd->add_flag("--sketch", sketch, "The legend of all families with their parameter names");
  cmd->add_flag("--sheet", sheet,
                "A contact sheet (PNG) of every family, or of the designations given, separated by ';'");
  cmd->add_option("--units", units, "Units of the spacings in the designation, \"[F]-[L]\"")->capture_default_str();
  cmd->callback([&state, cmd] {
    state.Prepare();
    const char language = state.ctx.language;
    int width = 640, height = 480;
    // The legend is dense: unless told otherwise it gets a larger picture.
    if (sketch && cmd->count("--size") == 0) size = "1280x960";
    if (!ParseSize(size, width, height)) {
      std::cerr << "Bad --size \"" << size << "\": give WxH, each between 16 and 20000 (for example 640x480)\n";
      state.exitCode = 2;
      return;
    }
    std::string designation;
    for (const auto& w : words) designation += (designation.empty() ? "" : " ") + w;
    UnitSystem dataUnits = UnitFactors("UNITS=" + units, &state.messages);

    const std::string ext = ToLower(std::filesystem::path(out).extension().string());
    const bool dxf = ext == ".dxf";
    if (!dxf && ext != ".svg" && ext != ".png" && ext != ".pdf") {
      std::cerr << "Unknown output format \"" << ext << "\": use .svg, .png, .pdf or .dxf\n";
      state.exitCode = 2;
      return;
    }

    if (sheet) {
#ifdef TAVO_HAVE_RENDER
      std::vector<std::string> list = SheetDesignations();
      if (!designation.empty()) {
        list.clear();
        for (const auto& part : Split(designation, ';'))
          if (!Trim(part).empty()) list.push_back(Trim(part));
      }
      std::vector<SheetCell> cells;
      for (const auto& d : list) {
        const Section section = ComputeFor(state, d, dataUnits);
        if (!section.usable) {
          std::cerr << d << ": " << PickLanguage(section.problem, language) << '\n';
          state.exitCode = 1;
          continue;
        }
        if (HasError(section.diagnostics)) {
          std::cerr << d << ": " << DiagnosticsLine(section.diagnostics, language) << '\n';
          state.exitCode = std::max(state.exitCode, 3);
          continue;
        }
        cells.push_back({d, [section](DrawingContext& dc) { DrawSection(dc, section); }});
      }
      ImageRenderOptions o;
      o.printColours = printColours;
      o.dimensions = !noDimensions;
      o.uiFontSize = 12;
      o.language = language;
      const int columns = static_cast<int>(std::min<size_t>(cells.size(), 4));
      std::string error;
      if (!WritePng(RenderContactSheet(cells, columns, width, height, o), out, &error)) {
        std::cerr << "Cannot write " << out << ": " << error << '\n';
        state.exitCode = 1;
      }
#else
      std::cerr << "Drawing pictures is not available in this build (it was made without Qt)\n";
      state.exitCode = 1;
#endif
      return;
    }

    DrawRequest request;
    request.sketch = sketch;
    if (!sketch) {
      if (!inputFile.empty()) {
        ModuleContext& ctx = state.ctx;
        InputSession session;
        if (!state.OpenInputFile(inputFile, session)) return;
        const auto elements = ReadAllElements(ctx, session);
        const auto it = std::find_if(elements.begin(), elements.end(), [](const Element& e) { return e.id == id; });
        if (it == elements.end()) {
          std::cerr << "No element with ID " << id << " in " << ctx.InputFile() << '\n';
          state.exitCode = 1;
          return;
        }
        designation = DesignationOfElement(it->text);
        dataUnits = ctx.dataUnitSystem;
      }
      if (Trim(designation).empty()) {
        std::cerr << "Give a DESIGNATION, --input FILE --id N, or --sketch\n";
        state.exitCode = 2;
        return;
      }
      request.section = ComputeFor(state, designation, dataUnits);
      if (!request.section.usable) {
        std::cerr << PickLanguage(request.section.problem, language) << '\n';
        state.exitCode = 1;
        return;
      }
      for (const Diagnostic& d : request.section.diagnostics) std::cerr << LabelledLine(d, language) << '\n';
      // A drawing of a section that is not the one written would be taken for it: none.
      if (HasError(request.section.diagnostics)) {
        state.exitCode = 3;
        return;
      }
    }

#ifndef TAVO_HAVE_RENDER
    if (!dxf) {
      std::cerr << "Drawing to " << ext << " is not available in this build (it was made without Qt); "
                << "a .dxf file can still be written\n";
      state.exitCode = 1;
      return;
    }
#endif
    std::vector<DrawingReportLine> reportLines;
    const DrawFunction draw = [&](DrawingContext& dc) {
      const Placement p = DrawRequestOn(dc, request);
      reportLines = p.reportLines;
      dc.surface->SetModelSpace(p.s, p.originX, p.originY);
    };
    ImageRenderOptions o;
    o.width = width;
    o.height = height;
    o.printColours = printColours;
    o.dimensions = !noDimensions;
    o.uiFontSize = 12;
    o.language = language;
    std::string error;
#ifdef TAVO_HAVE_RENDER
    const bool ok = RenderToFile(out, draw, o, &error);
#else
    const bool ok = AtomicWriteFile(out, DxfBytes(draw, o), &error);  // the one format built without Qt
#endif
    for (const auto& line : reportLines) std::cerr << PickLanguage(line.text, language) << '\n';
    if (!ok) {
      std::cerr << "Cannot write " << out << ": " << error << '\n';
      state.exitCode = 1;
    }
  });
}

}  // namespace tavo::cli
