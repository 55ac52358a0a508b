#pragma once
// Our own RTF (the result table, saved reports) shown in a QTextDocument: Qt reads no RTF, so
// this converts the subset our writers emit: tables (\trowd \cellx \clcbpat \cell \row), bold,
// italic, underline, colours from the colour table, font sizes, alignment, right-to-left
// paragraphs, \uN and \'hh characters. Anything else is skipped, never an error.
#include <QColor>
#include <QString>
#include <string_view>
#include <vector>

class QTextDocument;

namespace tavo::ui {

// Fills `document` (cleared first) from `rtf`. Twips become pixels at `dpi`.
void RtfToDocument(std::string_view rtf, QTextDocument& document, double dpi = 96.0);

}  // namespace tavo::ui
