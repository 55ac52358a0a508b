#pragma once
// The calculation help: the document's pages one under the other, fitted to the width, with
// its links followed. The chapter links of its opening page ("Chapter 3") and the contents
// entries point at named places ("#properties"); the anchor list printed with the document
// says on which page each one is.
#include <QHash>
#include <QImage>
#include <QRectF>
#include <QScrollArea>
#include <QString>
#include <QVector>

class QPdfDocument;

namespace tavo::ui {

struct PdfLink {
  int page = 0;       // 0-based
  QRectF rect;        // in points, from the page's top left
  QString target;     // "#anchor" or an address
};

// The link areas of a PDF file's pages, read from its link annotations. Empty for a file that
// holds none or that cannot be read.
QVector<PdfLink> ReadPdfLinks(const QByteArray& pdf);

// An anchor list, one "id TAB page" line each (pages from 1), as id -> 0-based page.
QHash<QString, int> ReadAnchorList(const QString& path);

class HelpView : public QScrollArea {
  Q_OBJECT
 public:
  explicit HelpView(QWidget* parent = nullptr);

  // The document and the anchor list beside it (same name, ".anchors"). False when the
  // document cannot be read.
  bool Load(const QString& pdfPath);
  QPdfDocument* document() const { return document_; }
  const QVector<PdfLink>& links() const { return links_; }

  // The page at the top of the view (0-based); -1 with no document.
  int currentPage() const;
  void JumpToPage(int page);
  // False, staying where the reader is, for an anchor the list does not have.
  bool JumpToAnchor(const QString& anchor);
  // A link's target: "#id" jumps inside the document; false when it leads nowhere.
  bool FollowLink(const QString& target);

  // Where a page is drawn on the canvas (the scrolled widget), in its pixels.
  QRect pageRect(int page) const;
  QWidget* canvas() const { return widget(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Relayout();
  void PaintPages(QPainter& painter, const QRect& exposed);
  const PdfLink* LinkAt(const QPoint& canvasPoint) const;

  QPdfDocument* document_ = nullptr;
  QVector<PdfLink> links_;
  QHash<QString, int> anchors_;
  QVector<QRect> pages_;
  QHash<int, QImage> rendered_;
};

}  // namespace tavo::ui
