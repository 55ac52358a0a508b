#pragma once
// The report pane: styled runs of a report shown as rich text.
#include <QTextBrowser>
#include <vector>

#include "output/report.h"

class QTextDocument;

namespace tavo::ui {

// Fills a document with the runs: palette colours, sizes, bold/underline/italic, right-aligned
// lines, right-to-left paragraphs for Persian.
void FillReportDocument(QTextDocument& document, const std::vector<ReportRun>& runs, bool rightToLeft,
                        const QString& fontFamily = {});

// The left-to-right pieces of every right-to-left paragraph (numbers with their units, unit
// pairs, designations, paths) isolated, so the paragraph's direction does not reorder them.
void IsolateLtrInRtlBlocks(QTextDocument& document);

class ReportView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit ReportView(QWidget* parent = nullptr);
  void ShowRuns(const std::vector<ReportRun>& runs, bool rightToLeft);
};

}  // namespace tavo::ui
