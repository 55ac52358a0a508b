#include "output/report_writers.h"

#include <cstdio>
#include <map>

#include "core/language.h"
#include "core/module_context.h"
#include "output/rtf_writer.h"

namespace tavo {

std::vector<std::vector<const ReportRun*>> ReportLines(const std::vector<ReportRun>& runs) {
  std::vector<std::vector<const ReportRun*>> lines;
  std::vector<const ReportRun*> current;
  for (const auto& r : runs) {
    current.push_back(&r);
    if (r.lineBreak) {
      lines.push_back(std::move(current));
      current.clear();
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

std::string RenderText(const Report& report, const RenderOptions& options) {
  std::string out;
  for (const auto& h : options.headerLines) out += h + "\n";
  if (!options.headerLines.empty()) out += "\n";
  for (const auto& r : report.runs()) {
    out += r.text;
    if (r.lineBreak) out += "\n";
  }
  if (!report.runs().empty() && !report.runs().back().lineBreak) out += "\n";
  return out;
}

namespace {

// Bright white has no contrast on paper: the writers back it with the heading blue.
constexpr int kWhite = 15;
constexpr int kWhiteBacking = 1;

bool LineIsRight(const std::vector<const ReportRun*>& line) {
  for (const auto* r : line)
    if (r->right) return true;
  return false;
}

std::string HtmlEscape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

std::string CssColour(int index) {
  const PaletteColour c = ReportColour(index);
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

}  // namespace

std::string RenderRtf(const Report& report, const RenderOptions& options) {
  const ModuleContext& ctx = report.context();
  const bool persian = IsPersian(ctx);
  // Font table: the report font, then every font a symbol run names.
  std::map<std::string, int> fontIndex;
  std::string fonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 " + RtfEscape(ctx.metrics.fontName) + ";}";
  int nextFont = 1;
  for (const auto& r : report.runs()) {
    if (r.font.empty() || fontIndex.count(r.font)) continue;
    fontIndex[r.font] = nextFont;
    fonts += "{\\f" + std::to_string(nextFont) + "\\fnil\\fcharset0 " + RtfEscape(r.font) + ";}";
    ++nextFont;
  }
  fonts += "}";
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
  out += persian ? "\\rtldoc" : "\\ltrdoc";
  out += "\r\n" + fonts + "\r\n{\\colortbl;";
  // Colour n of the report is entry n + 1 (entry 0 is "auto").
  for (int i = 0; i < 18; ++i) {
    const PaletteColour c = ReportColour(i);
    out += "\\red" + std::to_string(c.r) + "\\green" + std::to_string(c.g) + "\\blue" + std::to_string(c.b) + ";";
  }
  out += "}\r\n{\\info{\\title " + RtfEscape(options.title) + "}}\r\n";
  const int baseHalfPoints = 2 * report.fontSize;
  for (const auto& h : options.headerLines)
    out += "\\pard\\plain\\ltrpar\\ql\\f0\\fs" + std::to_string(baseHalfPoints) + " " + RtfEscape(h) + "\\par\r\n";
  if (!options.headerLines.empty())
    out += "\\pard\\plain\\ltrpar\\f0\\fs" + std::to_string(baseHalfPoints) + "\\par\r\n";
  for (const auto& line : ReportLines(report.runs())) {
    out += "\\pard\\plain";
    if (persian)
      out += "\\rtlpar\\qr";
    else
      out += LineIsRight(line) ? "\\ltrpar\\qr" : "\\ltrpar\\ql";
    out += "\\f0\\fs" + std::to_string(baseHalfPoints);
    for (const auto* r : line) {
      if (r->text.empty()) continue;
      const std::string size = std::to_string(2 * r->size);
      const int font = r->font.empty() ? 0 : fontIndex[r->font];
      out += "{";
      out += HasRtlText(r->text) ? "\\rtlch\\fcs1\\af" + std::to_string(font) + "\\afs" + size : "\\ltrch\\fcs0";
      out += "\\f" + std::to_string(font) + "\\fs" + size + "\\cf" + std::to_string(r->colour + 1);
      if (r->bold) out += "\\b\\ab";
      if (r->underline) out += "\\ul";
      if (r->italic) out += "\\i\\ai";
      if (r->colour == kWhite) out += "\\highlight" + std::to_string(kWhiteBacking + 1);
      out += " " + RtfEscape(r->text) + "}";
    }
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

std::string RenderHtml(const Report& report, const RenderOptions& options) {
  const ModuleContext& ctx = report.context();
  const bool persian = IsPersian(ctx);
  std::string out = "<!DOCTYPE html>\n<html lang=\"";
  out += persian ? "fa\" dir=\"rtl\">\n" : "en\" dir=\"ltr\">\n";
  out += "<head>\n<meta charset=\"utf-8\">\n<title>" + HtmlEscape(options.title) + "</title>\n<style>\n";
  out += "body { font-family: \"" + HtmlEscape(ctx.metrics.fontName) + "\", \"DejaVu Sans\", sans-serif; font-size: " +
         std::to_string(report.fontSize + 2) + "pt; }\n";
  out += ".line { margin: 0; white-space: pre-wrap; min-height: 1.2em; }\n.right { text-align: right; }\n";
  out += ".header { direction: ltr; text-align: left; margin-bottom: 1em; }\n</style>\n</head>\n<body>\n";
  if (!options.headerLines.empty()) {
    out += "<div class=\"header\">\n";
    for (const auto& h : options.headerLines) out += "<p class=\"line\">" + HtmlEscape(h) + "</p>\n";
    out += "</div>\n";
  }
  out += "<div class=\"report\">\n";
  for (const auto& line : ReportLines(report.runs())) {
    out += LineIsRight(line) ? "<p class=\"line right\">" : "<p class=\"line\">";
    for (const auto* r : line) {
      if (r->text.empty()) continue;
      std::string style = "color: " + CssColour(r->colour) + ";";
      if (r->size != report.fontSize) style += " font-size: " + std::to_string(r->size + 2) + "pt;";
      if (r->bold) style += " font-weight: bold;";
      if (r->underline) style += " text-decoration: underline;";
      if (r->italic) style += " font-style: italic;";
      if (r->colour == kWhite) style += " background-color: " + CssColour(kWhiteBacking) + ";";
      if (!r->font.empty()) style += " font-family: \"" + HtmlEscape(r->font) + "\", \"DejaVu Sans\", sans-serif;";
      out += "<span style=\"" + style + "\">" + HtmlEscape(r->text) + "</span>";
    }
    out += "</p>\n";
  }
  out += "</div>\n</body>\n</html>\n";
  return out;
}

}  // namespace tavo
