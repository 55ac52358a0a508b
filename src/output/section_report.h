#pragma once
// The properties and check report of one checked member, as styled runs of a Report, and
// the header lines printed above a report.
#include <string>
#include <string_view>
#include <vector>

#include "checks/check_results.h"
#include "output/report.h"

namespace tavo {

struct SectionReportOptions {
  // Lines the drawing step adds below the report (e.g. a warning about the drawing), bilingual,
  // written in light red.
  std::vector<std::string> extraLines;
};

// Clears the report and writes the member's report into it. True when no not-OK line was
// written (the element's mark); the report's status ends as "<void>".
bool WriteSectionReport(Report& report, const CheckedMember& member, const SectionReportOptions& options = {});

// The limit-state code's lines, written after today's lines when the member was checked by it;
// nothing when it was not.
void WriteLimitStatePart(Report& report, const CheckedMember& member);

// The text in lines of at most width characters (not bytes), broken at blanks; a word longer
// than the width stands on its own line. Continuation lines are indented.
std::vector<std::string> WrappedLines(const std::string& text, size_t width);

// Member lengths for the axis checks: the section's Lx/Ly when set, else the member length.
struct MemberLengths {
  double Lx = 0, Ly = 0;
};
MemberLengths LengthsOf(const CheckedMember& member);

// True for the single angle, whose axis letters are blanks and whose axes carry Greek names.
bool IsSingleAngle(const Section& section);

std::string MakerLine();
std::string CopyrightLine();

// "Ardekon version ... outpu file", maker, copyright, file, title, date and time.
std::vector<std::string> PrintHeaderLines(const ModuleContext& ctx, std::string_view date, std::string_view time);
// The local date (YYYY-MM-DD) and time (HH:MM:SS) of now.
std::string DateText();
std::string TimeText();

}  // namespace tavo
