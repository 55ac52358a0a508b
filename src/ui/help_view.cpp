#include "ui/help_view.h"

#include <QDesktopServices>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfDocument>
#include <QRegularExpression>
#include <QScrollBar>
#include <QUrl>

namespace tavo::ui {

namespace {

constexpr int kMargin = 6;   // around the pages
constexpr int kSpacing = 8;  // between two pages

// The objects of a PDF file by number, their text up to "endobj".
QHash<int, QString> PdfObjects(const QString& text) {
  QHash<int, QString> objects;
  static const QRegularExpression head(QStringLiteral("(\\d+)\\s+\\d+\\s+obj\\b"));
  auto it = head.globalMatch(text);
  while (it.hasNext()) {
    const QRegularExpressionMatch m = it.next();
    const int from = static_cast<int>(m.capturedEnd());
    const int to = static_cast<int>(text.indexOf(QStringLiteral("endobj"), from));
    if (to < 0) break;
    objects.insert(m.captured(1).toInt(), text.mid(from, to - from));
  }
  return objects;
}

// The numbers of the "N 0 R" references in a text.
QVector<int> References(const QString& text) {
  static const QRegularExpression ref(QStringLiteral("(\\d+)\\s+\\d+\\s+R\\b"));
  QVector<int> out;
  auto it = ref.globalMatch(text);
  while (it.hasNext()) out.push_back(it.next().captured(1).toInt());
  return out;
}

// The value of "/Key [...]" or "/Key N 0 R" (the referenced object's text) in an object.
QString ArrayOf(const QHash<int, QString>& objects, const QString& object, const QString& key) {
  const QRegularExpression direct("/" + key + "\\s*\\[([^\\]]*)\\]");
  if (const auto m = direct.match(object); m.hasMatch()) return m.captured(1);
  const QRegularExpression indirect("/" + key + "\\s+(\\d+)\\s+\\d+\\s+R");
  if (const auto m = indirect.match(object); m.hasMatch()) {
    const QString target = objects.value(m.captured(1).toInt());
    const int open = static_cast<int>(target.indexOf('[')), close = static_cast<int>(target.lastIndexOf(']'));
    if (open >= 0 && close > open) return target.mid(open + 1, close - open - 1);
  }
  return {};
}

QVector<double> Numbers(const QString& text) {
  QVector<double> out;
  for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
    bool ok = false;
    const double v = word.toDouble(&ok);
    if (ok) out.push_back(v);
  }
  return out;
}

// The pages in their order, following nested page-tree nodes (a loop in a broken file ends).
void CollectPages(const QHash<int, QString>& objects, int node, QVector<int>& pages, int depth) {
  if (depth > 32 || !objects.contains(node)) return;
  const QString& object = objects[node];
  static const QRegularExpression pagesType(QStringLiteral("/Type\\s*/Pages\\b"));
  static const QRegularExpression pageType(QStringLiteral("/Type\\s*/Page\\b"));
  if (pagesType.match(object).hasMatch()) {
    for (int kid : References(ArrayOf(objects, object, "Kids"))) CollectPages(objects, kid, pages, depth + 1);
  } else if (pageType.match(object).hasMatch()) {
    pages.push_back(node);
  }
}

// A PDF literal string's text, its escapes undone.
QString LiteralString(const QString& raw) {
  QString out;
  for (int i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\\' && i + 1 < raw.size()) ++i;
    out += raw[i];
  }
  return out;
}

}  // namespace

QVector<PdfLink> ReadPdfLinks(const QByteArray& pdf) {
  QVector<PdfLink> links;
  const QString text = QString::fromLatin1(pdf);
  const QHash<int, QString> objects = PdfObjects(text);
  static const QRegularExpression root(QStringLiteral("/Type\\s*/Catalog[\\s\\S]*?/Pages\\s+(\\d+)\\s+\\d+\\s+R"));
  const auto catalog = root.match(text);
  if (!catalog.hasMatch()) return links;
  QVector<int> pages;
  CollectPages(objects, catalog.captured(1).toInt(), pages, 0);
  static const QRegularExpression uri(QStringLiteral("/URI\\s*\\(((?:\\\\.|[^\\\\)])*)\\)"));
  for (int page = 0; page < pages.size(); ++page) {
    const QString& object = objects[pages[page]];
    const QVector<double> box = Numbers(ArrayOf(objects, object, "MediaBox"));
    if (box.size() != 4) continue;
    for (int annot : References(ArrayOf(objects, object, "Annots"))) {
      const QString a = objects.value(annot);
      const auto target = uri.match(a);
      const QVector<double> r = Numbers(ArrayOf(objects, a, "Rect"));
      if (!target.hasMatch() || r.size() != 4) continue;
      // PDF rectangles count up from the page's bottom; the view counts down from its top.
      const double left = std::min(r[0], r[2]) - box[0], right = std::max(r[0], r[2]) - box[0];
      const double top = box[3] - std::max(r[1], r[3]), bottom = box[3] - std::min(r[1], r[3]);
      links.push_back({page, QRectF(QPointF(left, top), QPointF(right, bottom)), LiteralString(target.captured(1))});
    }
  }
  return links;
}

QHash<QString, int> ReadAnchorList(const QString& path) {
  QHash<QString, int> anchors;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return anchors;
  for (const QByteArray& line : file.readAll().split('\n')) {
    const int tab = static_cast<int>(line.indexOf('\t'));
    if (tab <= 0) continue;
    bool ok = false;
    const int page = line.mid(tab + 1).trimmed().toInt(&ok);
    const QString id = QString::fromUtf8(line.left(tab));
    if (ok && page >= 1 && !anchors.contains(id)) anchors.insert(id, page - 1);
  }
  return anchors;
}

HelpView::HelpView(QWidget* parent) : QScrollArea(parent) {
  setObjectName("pdfHelp");
  document_ = new QPdfDocument(this);
  document_->setObjectName("pdfDocument");
  auto* canvas = new QWidget;
  canvas->setObjectName("helpPages");
  canvas->setMouseTracking(true);
  canvas->installEventFilter(this);
  setWidget(canvas);
  setWidgetResizable(false);
  setBackgroundRole(QPalette::Dark);
  verticalScrollBar()->setSingleStep(40);
}

bool HelpView::Load(const QString& pdfPath) {
  rendered_.clear();
  links_.clear();
  anchors_.clear();
  if (document_->load(pdfPath) != QPdfDocument::Error::None) {
    Relayout();
    return false;
  }
  QFile file(pdfPath);
  if (file.open(QIODevice::ReadOnly)) links_ = ReadPdfLinks(file.readAll());
  QString anchors = pdfPath;
  if (anchors.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) anchors.chop(4);
  anchors_ = ReadAnchorList(anchors + ".anchors");
  Relayout();
  return true;
}

void HelpView::Relayout() {
  pages_.clear();
  rendered_.clear();
  const int width = std::max(200, viewport()->width() - 2 * kMargin);
  int y = kMargin;
  for (int page = 0; page < document_->pageCount(); ++page) {
    const QSizeF points = document_->pagePointSize(page);
    const int height = points.width() > 0 ? static_cast<int>(width * points.height() / points.width()) : width;
    pages_.push_back(QRect(kMargin, y, width, height));
    y += height + kSpacing;
  }
  widget()->resize(width + 2 * kMargin, std::max(y - kSpacing + kMargin, 1));
  widget()->update();
}

QRect HelpView::pageRect(int page) const { return page >= 0 && page < pages_.size() ? pages_[page] : QRect(); }

int HelpView::currentPage() const {
  if (pages_.isEmpty()) return -1;
  const int top = verticalScrollBar()->value();
  for (int page = 0; page < pages_.size(); ++page)
    if (pages_[page].bottom() + kSpacing > top + kMargin) return page;
  return static_cast<int>(pages_.size()) - 1;
}

void HelpView::JumpToPage(int page) {
  if (page < 0 || page >= pages_.size()) return;
  verticalScrollBar()->setValue(pages_[page].top() - kMargin);
}

bool HelpView::JumpToAnchor(const QString& anchor) {
  const auto it = anchors_.find(anchor);
  if (it == anchors_.end() || *it >= pages_.size()) return false;
  JumpToPage(*it);
  return true;
}

bool HelpView::FollowLink(const QString& target) {
  if (target.startsWith('#')) return JumpToAnchor(target.mid(1));
  const QUrl url(target);
  return url.isValid() && !url.scheme().isEmpty() && QDesktopServices::openUrl(url);
}

const PdfLink* HelpView::LinkAt(const QPoint& point) const {
  for (int page = 0; page < pages_.size(); ++page) {
    const QRect& r = pages_[page];
    if (!r.contains(point)) continue;
    const double scale = r.width() / std::max(1.0, document_->pagePointSize(page).width());
    const QPointF at = QPointF(point - r.topLeft()) / scale;
    for (const PdfLink& link : links_)
      if (link.page == page && link.rect.adjusted(-1, -1, 1, 1).contains(at)) return &link;
    return nullptr;
  }
  return nullptr;
}

void HelpView::resizeEvent(QResizeEvent* event) {
  // Fitted to the new width, the reader stays on the page being read.
  const int page = currentPage();
  QScrollArea::resizeEvent(event);
  Relayout();
  if (page >= 0) JumpToPage(page);
}

bool HelpView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != widget()) return QScrollArea::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Paint: {
      QPainter painter(widget());
      PaintPages(painter, static_cast<QPaintEvent*>(event)->rect());
      return true;
    }
    case QEvent::MouseMove: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      widget()->setCursor(LinkAt(mouse->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
      break;
    }
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      if (const PdfLink* link = LinkAt(mouse->position().toPoint())) {
        FollowLink(link->target);
        return true;
      }
      break;
    }
    default: break;
  }
  return QScrollArea::eventFilter(watched, event);
}

void HelpView::PaintPages(QPainter& painter, const QRect& exposed) {
  painter.fillRect(exposed, palette().color(QPalette::Dark));
  for (int page = 0; page < pages_.size(); ++page) {
    const QRect& r = pages_[page];
    if (!r.intersects(exposed)) continue;
    auto it = rendered_.find(page);
    if (it == rendered_.end()) {
      // Pages are drawn when first seen; only the recent ones are kept.
      if (rendered_.size() > 8) rendered_.clear();
      it = rendered_.insert(page, document_->render(page, r.size()));
    }
    painter.fillRect(r, Qt::white);
    painter.drawImage(r.topLeft(), *it);
  }
}

}  // namespace tavo::ui
