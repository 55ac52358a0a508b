#pragma once
// One report, several writers: plain text (terminal, tests), RTF (the saved report, opens in
// word processors; Persian right to left) and HTML (UTF-8, dir="rtl" for Persian).
#include <string>
#include <vector>

#include "output/report.h"

namespace tavo {

struct RenderOptions {
  std::vector<std::string> headerLines;  // printed above the report (PrintHeaderLines)
  std::string title = "Tavolin report";  // HTML title
};

std::string RenderText(const Report& report, const RenderOptions& options = {});
std::string RenderRtf(const Report& report, const RenderOptions& options = {});
std::string RenderHtml(const Report& report, const RenderOptions& options = {});

// The runs grouped into lines (a line ends after a run with a line break).
std::vector<std::vector<const ReportRun*>> ReportLines(const std::vector<ReportRun>& runs);

}  // namespace tavo
