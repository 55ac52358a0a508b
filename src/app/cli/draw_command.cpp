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
#include "engine/section_engine.h"
#include "input/input_session.h"
#include "sections/section_parser.h"

#ifdef TAVO_HAVE_RENDER
#include "render/render_drawing.h"
#endif

namespace tavo::cli {

namespace {

#ifdef TAVO_HAVE_RENDER
// Every family once, for the contact sheet.
constexpr const char* kSheetDesignations[] = {
    "PG 600*8*250*15",        "CROSS 400*300*8*200*12", "BOX 300*10*250*15  (D=20)", "TUBE 273*10",
    "L60",                    "2L100 +PL120*10",        "2L80<>  (d=8)",             "UNP30",
    "2UNP20  (d=12)",         "2UNP16 ][  (d=10)",      "IPE30",                     "2IPE30  (d=20)",
    "3IPE30  (d=20)",         "IPE30+2PL200*10",        "IPE30+WPL200*8  DPL=25",    "HPE300-400",
    "CPE30"};
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

struct DrawArgs {
  std::vector<std::string> words;
  std::string inputFile;
  int id = 0;
  std::string out;
  std::string size = "640x480";
  bool noDimensions = false;
  bool printColours = false;
  bool sketch = false;
  bool sheet = false;
  std::string units = "[kg]-[cm]";
};

}  // namespace

void AddDrawCommand(CLI::App& app, CliState& state) {
  auto* cmd = app.add_subcommand("draw", "Draw a section with its dimensions (SVG, PNG, PDF or DXF)");
  const auto args = std::make_shared<DrawArgs>();
  DrawArgs& in = *args;
  cmd->add_option("DESIGNATION", in.words, "Section designation, e.g. \"PG 600*8*250*15\"");
  cmd->add_option("--input", in.inputFile, "Input file (.Ardekon) holding the element");
  cmd->add_option("--id", in.id, "ID of the element to draw from --input");
  cmd->add_option("--out", in.out, "Output file: .svg, .png, .pdf or .dxf")->required();
  cmd->add_option("--size", in.size, "Picture size WxH in pixels")->capture_default_str();
  cmd->add_flag("--no-dimensions", in.noDimensions, "Shapes only, no dimensions or labels");
  cmd->add_flag("--print-colours", in.printColours, "White paper: black text, grey dimensions");
  cmd->add_flag("--sketch", in.sketch, "The legend of all families with their parameter names");
  cmd->add_flag("--sheet", in.sheet,
                "A contact sheet (PNG) of every family, or of the designations given, separated by ';'");
  cmd->add_option("--units", in.units, "Units of the spacings in the designation, \"[F]-[L]\"")->capture_default_str();
  cmd->callback([&state, cmd, args] {
    DrawArgs& a = *args;
    state.Prepare();
    const char language = state.ctx.language;
    int width = 640, height = 480;
    // The legend is dense: unless told otherwise it gets a larger picture.
    if (a.sketch && cmd->count("--size") == 0) a.size = "1280x960";
    if (!ParseSize(a.size, width, height)) {
      std::cerr << "Bad --size \"" << a.size << "\": give WxH, each between 16 and 20000 (for example 640x480)\n";
      state.exitCode = 2;
      return;
    }
    std::string designation = JoinWords(a.words);
    UnitSystem dataUnits = UnitFactors("UNITS=" + a.units, &state.messages);

    const std::string ext = ToLower(std::filesystem::path(a.out).extension().string());
    const bool dxf = ext == ".dxf";
    if (!dxf && ext != ".svg" && ext != ".png" && ext != ".pdf") {
      std::cerr << "Unknown output format \"" << ext << "\": use .svg, .png, .pdf or .dxf\n";
      state.exitCode = 2;
      return;
    }

    if (a.sheet) {
#ifdef TAVO_HAVE_RENDER
      std::vector<std::string> list(std::begin(kSheetDesignations), std::end(kSheetDesignations));
      if (!designation.empty()) {
        list.clear();
        for (const auto& part : Split(designation, ';'))
          if (!Trim(part).empty()) list.push_back(Trim(part));
      }
      SectionEngine& engine = state.Engine();
      engine.UseDataUnits(dataUnits);
      std::vector<SheetCell> cells;
      for (const auto& d : list) {
        const Section section = engine.Compute(d);
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
      o.printColours = a.printColours;
      o.dimensions = !a.noDimensions;
      o.uiFontSize = 12;
      o.language = language;
      const int columns = static_cast<int>(std::min<size_t>(cells.size(), 4));
      std::string error;
      if (!WritePng(RenderContactSheet(cells, columns, width, height, o), a.out, &error)) {
        std::cerr << "Cannot write " << a.out << ": " << error << '\n';
        state.exitCode = 1;
      }
#else
      std::cerr << "Drawing pictures is not available in this build (it was made without Qt)\n";
      state.exitCode = 1;
#endif
      return;
    }

    DrawRequest request;
    request.sketch = a.sketch;
    int elementLine = 0;  // the element's line when it comes from --input
    if (!a.sketch) {
      if (!a.inputFile.empty()) {
        ModuleContext& ctx = state.ctx;
        InputSession session;
        if (!state.OpenInputFile(a.inputFile, session)) return;
        const auto elements = ReadAllElements(ctx, session);
        const int index = IndexOfElementId(elements, a.id);
        if (index == 0) {
          std::cerr << "No element with ID " << a.id << " in " << ctx.InputFile() << '\n';
          state.exitCode = 1;
          return;
        }
        designation = DesignationOfElement(elements[static_cast<size_t>(index - 1)].text);
        elementLine = elements[static_cast<size_t>(index - 1)].line;
        dataUnits = ctx.dataUnitSystem;
      }
      if (Trim(designation).empty()) {
        std::cerr << "Give a DESIGNATION, --input FILE --id N, or --sketch\n";
        state.exitCode = 2;
        return;
      }
      SectionEngine& engine = state.Engine();
      engine.UseDataUnits(dataUnits);
      request.section = engine.Compute(designation);
      if (!request.section.usable) {
        std::cerr << PickLanguage(request.section.problem, language) << '\n';
        state.exitCode = 1;
        return;
      }
      for (const Diagnostic& d : request.section.diagnostics) {
        if (state.quiet && d.severity != Severity::Error) continue;
        std::cerr << (elementLine > 0 ? LocatedLine(state.ctx.InputFile(), elementLine, d, language)
                                      : LabelledLine(d, language))
                  << '\n';
      }
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
    o.printColours = a.printColours;
    o.dimensions = !a.noDimensions;
    o.uiFontSize = 12;
    o.language = language;
    std::string error;
#ifdef TAVO_HAVE_RENDER
    const bool ok = RenderToFile(a.out, draw, o, &error);
#else
    const bool ok = AtomicWriteFile(a.out, DxfBytes(draw, o), &error);  // the one format built without Qt
#endif
    if (!state.quiet)
      for (const auto& line : reportLines) std::cerr << PickLanguage(line.text, language) << '\n';
    if (!ok) {
      std::cerr << "Cannot write " << a.out << ": " << error << '\n';
      state.exitCode = 1;
    }
  });
}

}  // namespace tavo::cli
