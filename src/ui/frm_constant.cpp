#include "ui/frm_constant.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "core/language.h"
#include "core/messages.h"
#include "core/text_util.h"
#include "core/units.h"
#include "core/bidi.h"
#include "resources/resource_store.h"
#include "ui/path_label.h"
#include "ui/qt_messages.h"
#include "ui/ui_common.h"

namespace tavo::ui {

namespace {
// The caption of a row: the picked label up to its first "|" ("Fy|Fy" shows as Fy).
QString RowCaption(const ModuleContext& ctx, const std::string& label) {
  std::string text = PickLanguage(label, ctx);
  const auto bar = text.find('|');
  if (bar != std::string::npos && !IsPersian(ctx)) text.resize(bar);
  return Q(Trim(text));
}

// Digits a box shows, and digits a converted value keeps so that converting it back gives the
// value in force again (N and kN are no decimal multiples of kg).
constexpr int kShownDigits = 7;
constexpr int kKeptDigits = 12;

// `digits` significant digits, written without exponent or trailing zeros.
std::string Significant(double v, int digits) { return ShortestText(RoundToSignificant(v, digits)); }

// The number a constant's text holds, when the whole text is one ("25OO", "2,500" and "" are
// not: taking their leading digits would put a value in force that nobody wrote).
std::optional<double> ParseConstant(const std::string& text) {
  std::string t = Trim(text);
  if (!t.empty() && t[0] == '+') t.erase(0, 1);
  if (t.empty() || t.find_first_not_of("0123456789.eE-") != std::string::npos) return std::nullopt;
  double v = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (error != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

QString Number(double v) { return Q(Significant(v, 4)); }

// A list choice the user picks from rather than types.
bool IsListChoice(const ConstantRow& r) { return r.dimension == "BAR" && !r.choices.empty(); }
}  // namespace

frmConstant::frmConstant(ModuleContext& ctx, DesignConstants& constants, QWidget* parent)
    : QWidget(parent), ctx_(ctx), constants_(constants) {
  setObjectName("frmConstant");
  setWindowTitle(tr("Design Constants"));
  setMinimumSize(420, 320);
  auto* layout = new QVBoxLayout(this);

  auto* header = new QHBoxLayout;
  picture_ = new QLabel(this);
  picture_->setObjectName("Picture1");
  picture_->setFixedSize(150, 110);
  picture_->setAlignment(Qt::AlignCenter);
  picture_->hide();
  header->addWidget(picture_, 0, Qt::AlignTop);
  auto* summary = new QVBoxLayout;
  for (int i = 0; i < 4; ++i) {
    // The first line names the input file: one line, the path whole where there is room.
    QLabel* label = i == 0 ? new PathLabel(this) : new QLabel(this);
    label->setObjectName(QString("lblSummary_%1").arg(i));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(i != 0);
    label->hide();
    summary->addWidget(label);
    summary_.push_back(label);
  }
  summary->addStretch(1);
  header->addLayout(summary, 1);
  layout->addLayout(header);

  auto* group = new QGroupBox(tr("Design constants"), this);
  group->setObjectName("fraConstants");
  auto* groupLayout = new QVBoxLayout(group);
  auto* scroll = rowsScroll_ = new QScrollArea(group);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->verticalScrollBar()->setObjectName("VScroll1");
  rowsHost_ = new QWidget(scroll);
  auto* rowsGrid = new QGridLayout(rowsHost_);
  rowsGrid->setColumnStretch(3, 1);
  scroll->setWidget(rowsHost_);
  groupLayout->addWidget(scroll);
  layout->addWidget(group);

  units_ = new QLabel(this);
  units_->setObjectName("lblUnits");
  units_->setText(QString("<a href=\"units\">%1</a>").arg(tr("Click to change display units").toHtmlEscaped()));
  units_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  units_->setFocusPolicy(Qt::TabFocus);
  connect(units_, &QLabel::linkActivated, this, [this] {
    if (onUnits) onUnits();
  });
  layout->addWidget(units_);
  layout->addStretch(1);

  auto* buttons = new QHBoxLayout;
  cost_ = new QPushButton(this);
  cost_->setObjectName("CmdCost");
  cost_->hide();  // no use in this module
  aba_ = new QPushButton(tr("Design code"), this);
  aba_->setObjectName("cmdABA");
  aba_->setToolTip(tr("Help on the allowable-stress rules of the design code"));
  go_ = new QPushButton(tr("Continue"), this);
  go_->setObjectName("CmdGo");
  go_->setDefault(true);
  go_->setAutoDefault(true);
  go_->setMinimumWidth(110);
  QFont bold = go_->font();
  bold.setBold(true);
  go_->setFont(bold);
  buttons->addWidget(aba_);
  buttons->addStretch(1);
  buttons->addWidget(cost_);
  buttons->addWidget(go_);
  layout->addLayout(buttons);

  status_ = new QStatusBar(this);
  status_->setObjectName("StatusBar1");
  status_->setSizeGripEnabled(false);
  statusHint_ = new QLabel(status_);
  statusHint_->setObjectName("StatusBar1_Panel1");
  statusUnits_ = new QLabel(status_);
  statusUnits_->setObjectName("StatusBar1_Panel2");
  status_->addWidget(statusHint_, 3);
  status_->addPermanentWidget(statusUnits_, 1);
  layout->addWidget(status_);

  connect(go_, &QPushButton::clicked, this, [this] { CmdGo_Click(); });
  connect(aba_, &QPushButton::clicked, this, &frmConstant::cmdABA_Click);
}

const ConstantRow* frmConstant::RowData(int row) const { return constants_.Find(row); }

const ConstantRow* frmConstant::FyRow() const {
  for (const ConstantRow& r : constants_.rows)
    if (r.key == "Fy") return &r;
  return nullptr;
}

void frmConstant::Form_initialize() {
  auto* grid = static_cast<QGridLayout*>(rowsHost_->layout());
  for (RowWidgets& w : rows_) {
    delete w.label;
    delete w.box;
    delete w.unit;
    delete w.choice;
  }
  rows_.clear();
  int line = 0;
  QWidget* previous = nullptr;
  for (const ConstantRow& r : constants_.rows) {
    RowWidgets w;
    w.row = r.row;
    w.label = new QLabel(RowCaption(ctx_, r.label), rowsHost_);
    w.label->setObjectName(QString("lblConstant_%1").arg(r.row));
    w.box = new QLineEdit(rowsHost_);
    w.box->setObjectName(QString("frm_text_%1").arg(r.row));
    w.box->setMaximumWidth(120);
    w.box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.box->installEventFilter(this);
    w.normal = w.box->palette();
    const QString hint = CoreText(ctx_, r.hint1.empty() ? r.label : r.hint1);
    w.label->setToolTip(hint);
    w.box->setToolTip(hint);
    w.label->setBuddy(w.box);
    w.unit = new QLabel(rowsHost_);
    w.unit->setObjectName(QString("lblUnit_%1").arg(r.row));
    grid->addWidget(w.label, line, 0);
    grid->addWidget(w.box, line, 1);
    grid->addWidget(w.unit, line, 2);
    const int row = r.row;
    QWidget* focus = w.box;
    if (IsListChoice(r)) {
      // One of a few names (the design code): picked from a list, never typed.
      w.choice = new QComboBox(rowsHost_);
      w.choice->setObjectName(QString("cboConstant_%1").arg(r.row));
      for (const std::string& name : r.choices) w.choice->addItem(ChoiceCaption(name), Q(name));
      w.choice->setToolTip(hint);
      w.box->hide();
      w.label->setBuddy(w.choice);
      grid->addWidget(w.choice, line, 1, 1, 2);
      focus = w.choice;
      connect(w.choice, &QComboBox::activated, this, [this, row](int index) {
        for (RowWidgets& rw : rows_) {
          if (rw.row != row) continue;
          rw.box->setText(rw.choice->itemData(index).toString());
          rw.box->setModified(true);
          Validate(rw);
        }
      });
    }
    ++line;
    connect(w.box, &QLineEdit::textEdited, this, [this, row] {
      for (RowWidgets& rw : rows_)
        if (rw.row == row) Validate(rw);
    });
    if (previous) setTabOrder(previous, focus);
    previous = focus;
    rows_.push_back(w);
  }
  grid->setRowStretch(line, 1);
  // Every row in sight without scrolling, up to about ten of them. The rows are not shown yet,
  // so the layout does not count them: their heights are added here.
  const QMargins margins = grid->contentsMargins();
  int height = margins.top() + margins.bottom();
  for (const RowWidgets& w : rows_)
    height += std::max(w.box->sizeHint().height(), w.choice ? w.choice->sizeHint().height() : 0) +
              std::max(grid->verticalSpacing(), 0);
  rowsScroll_->setMinimumHeight(std::min(height + 2, 360));
  if (previous) {
    setTabOrder(previous, go_);
    setTabOrder(go_, units_);
    setTabOrder(units_, aba_);
  }

  // The module's picture from the image store; nothing when the store or its row is missing.
  picture_->hide();
  if (auto store = OpenResourceStore(ctx_, ResourceKind::Images)) {
    if (const auto bytes = store->Find(ResourceName(ctx_, ResourceKind::Images))) {
      QPixmap pixmap;
      if (pixmap.loadFromData(reinterpret_cast<const uchar*>(bytes->data()), static_cast<uint>(bytes->size()))) {
        picture_->setPixmap(pixmap.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        picture_->show();
      }
    }
  }
  ShowRows();
}

bool frmConstant::hasPicture() const { return !picture_->isHidden(); }

void frmConstant::ConvertRowsToDisplayUnits() {
  const std::string display = ctx_.displayUnits.Text();
  if (ctx_.constantsUnits == display) return;
  const UnitSystem from = UnitFactors("units=" + ctx_.constantsUnits, ctx_.messages);
  for (ConstantRow& r : constants_.rows) {
    if (r.dimension.empty() || r.dimension == "BAR") continue;
    const std::optional<double> v = ParseConstant(r.value);
    const UnitLabelResult a = UnitLabel(r.dimension, 0, from);
    const UnitLabelResult b = UnitLabel(r.dimension, 0, ctx_.displayUnits);
    // A text that is no number stays as typed (and red): there is nothing to convert.
    if (!v || !a.known || !b.known || !b.ratio.Usable()) continue;
    r.value = Significant(b.FromBase(a.ToBase(*v)), kKeptDigits);
  }
  ctx_.constantsUnits = display;
}

void frmConstant::ShowRows() {
  ConvertRowsToDisplayUnits();
  for (RowWidgets& w : rows_) {
    const ConstantRow* r = RowData(w.row);
    if (!r) continue;
    const std::optional<double> v = r->dimension == "BAR" ? std::nullopt : ParseConstant(r->value);
    w.shown = v ? Q(Significant(*v, kShownDigits)) : Q(Trim(r->value));
    w.shownValue = r->value;
    w.box->setText(w.shown);
    if (w.choice) {
      // A name not in the list (a settings file written by hand) shows as the first, today's rules.
      const int index = w.choice->findData(Q(Trim(r->value)));
      w.choice->setCurrentIndex(index >= 0 ? index : 0);
    }
    const UnitLabelResult u = UnitLabel(r->dimension, 0, ctx_.displayUnits);
    w.unit->setText(u.known && r->dimension != "BAR" ? Q(u.label) : QString());
    Validate(w);
  }
}

void frmConstant::TakeTypedValue(RowWidgets& w) {
  ConstantRow* r = constants_.Find(w.row);
  if (!r) return;
  if (w.box->text() == w.shown && !w.box->isModified()) {
    // Untouched: the value as kept, with all its digits.
    r->value = w.shownValue;
    return;
  }
  r->value = Trim(S(w.box->text()));
  w.typed = true;
  // Typed by the user: it replaces what was read, and that reading's problems with it.
  r->source = ValueSource::Given;
  r->problems.clear();
}

void frmConstant::CheckRows() {
  // Only the rows' marks: Fy, Fu and the code in force change when the user continues.
  const double fy = ctx_.fy, fu = ctx_.fu;
  const DesignCode code = ctx_.code;
  CheckConstants(constants_, ctx_);
  ctx_.fy = fy;
  ctx_.fu = fu;
  ctx_.code = code;
}

void frmConstant::Validate(RowWidgets& w) {
  ConstantRow* r = constants_.Find(w.row);
  if (!r) return;
  TakeTypedValue(w);
  CheckRows();
  const bool number = r->dimension == "BAR" || ParseConstant(r->value).has_value();
  QPalette pal = w.normal;
  if (!r->inRange || !number) {
    pal.setColor(QPalette::Base, kAlarmRed);
    pal.setColor(QPalette::Text, Qt::white);
  }
  w.box->setPalette(pal);
  w.box->setProperty("outOfRange", !r->inRange || !number);
}

bool frmConstant::IsRed(int row) const {
  for (const RowWidgets& w : rows_)
    if (w.row == row) return w.box->palette().color(QPalette::Base) == kAlarmRed;
  return false;
}

QComboBox* frmConstant::codeBox() const {
  for (const RowWidgets& w : rows_)
    if (w.choice && w.row == kCodeRow) return w.choice;
  return nullptr;
}

QString frmConstant::ChoiceCaption(const std::string& name) {
  // The design codes by what they are; any other choice by its name.
  switch (DesignCodeOfName(name).value_or(DesignCode::Asd89)) {
    case DesignCode::Aisc360Lrfd: return tr("AISC 360-16, LRFD");
    case DesignCode::Aisc360Asd: return tr("AISC 360-16, ASD");
    default: return DesignCodeOfName(name) ? tr("asd89: allowable stresses") : Q(name);
  }
}

QLineEdit* frmConstant::valueBox(int row) const {
  for (const RowWidgets& w : rows_)
    if (w.row == row) return w.box;
  return nullptr;
}

QString frmConstant::RangeText(const ConstantRow& r) const {
  if (r.dimension == "BAR") return {};
  const UnitLabelResult u = UnitLabel(r.dimension, 0, ctx_.displayUnits);
  return Number(u.FromBase(r.minimum)) + " < " + RowCaption(ctx_, r.label) + " < " + Number(u.FromBase(r.maximum)) +
         " " + Q(u.label);
}

void frmConstant::ShowHint(const QString& text) {
  QFont f = statusHint_->font();
  f.setBold(false);
  statusHint_->setFont(f);
  statusHint_->setText(text);
}

bool frmConstant::eventFilter(QObject* watched, QEvent* event) {
  for (RowWidgets& w : rows_) {
    if (watched != w.box) continue;
    if (event->type() == QEvent::FocusIn) {
      if (const ConstantRow* r = RowData(w.row)) {
        QFont f = statusHint_->font();
        f.setBold(true);
        statusHint_->setFont(f);
        statusHint_->setText(RangeText(*r));
      }
    } else if (event->type() == QEvent::FocusOut) {
      ShowHint({});
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmConstant::chngcte_inc() {
  const double fy = ctx_.fy;
  const InputSummary s = tavo::chngcte_inc(constants_, ctx_);
  ctx_.fy = fy;
  const bool rtl = IsPersian(ctx_);
  // Persian lines keep their paths, unit pairs and numbers in their own order.
  const auto line = [&](const std::string& text) { return rtl ? Q(IsolateLtrRuns(PickLanguage(text, ctx_))) : CoreText(ctx_, text); };
  for (size_t i = 0; i < summary_.size(); ++i) {
    summary_[i]->setVisible(i < s.lines.size());
    if (i >= s.lines.size()) continue;
    const QString text = CoreText(ctx_, s.lines[i]).trimmed();
    const QString file = Q(ctx_.InputFile());
    if (auto* path = dynamic_cast<PathLabel*>(summary_[i]); path && !file.isEmpty() && text.contains(file))
      path->SetPath(text.left(text.indexOf(file)), file, rtl);
    else
      summary_[i]->setText(line(s.lines[i]).trimmed());
  }
  statusUnits_->setText(line(s.statusBar));
  ShowRows();
  Confirm();
  ShowHint(tr("Ok."));
}

void frmConstant::Confirm() {
  confirmedRows_ = constants_.rows;
  confirmedUnits_ = ctx_.constantsUnits;
  for (RowWidgets& w : rows_) w.typed = false;
}

void frmConstant::ShowInForce() {
  for (const ConstantRow& kept : confirmedRows_)
    if (ConstantRow* r = constants_.Find(kept.row)) r->value = kept.value;
  if (!confirmedRows_.empty()) ctx_.constantsUnits = confirmedUnits_;
  for (RowWidgets& w : rows_) w.typed = false;
  ShowRows();
}

void frmConstant::Constants_change() {
  for (RowWidgets& w : rows_) Validate(w);
}

void frmConstant::ChangeDisplayUnits(const std::string& unitText) {
  Constants_change();  // a typed value is taken in the units it was typed in
  statusUnits_->setText(tr("System Units: %1").arg(Q(unitText)));
  ctx_.displayUnits = UnitFactors("units=" + unitText, ctx_.messages);
  ShowRows();  // converted when the units differ, else only validated
}

bool frmConstant::CmdGo_Click() {
  Constants_change();
  // A text that is no number cannot be put in force, whatever the answer would be.
  for (const RowWidgets& w : rows_) {
    const ConstantRow* r = RowData(w.row);
    if (!r || r->dimension == "BAR" || ParseConstant(r->value)) continue;
    ShowMessage(ctx_, S(tr("%1: \"%2\" is not a number. Please type a number (%3).")
                            .arg(RowCaption(ctx_, r->label), Q(r->value), RangeText(*r))));
    w.box->setFocus();
    w.box->selectAll();
    return false;
  }
  for (const RowWidgets& w : rows_) {
    if (!IsRed(w.row)) continue;
    const Answer a = AskUser(ctx_.messages, S(tr("Please recheck your constants! Do you want to recheck now?")), S(tr("Warning!")),
                             Buttons::YesNo, Answer::Yes, IsPersian(ctx_), MessageKind::Critical);
    if (a == Answer::Yes) {
      w.box->setFocus();
      w.box->selectAll();
      return false;
    }
    // No: the user keeps the value out of range on purpose. The remaining rows are not asked about.
    for (const RowWidgets& kept : rows_)
      if (ConstantRow* r = constants_.Find(kept.row); r && IsRed(kept.row)) r->source = ValueSource::Given;
    break;
  }
  for (const RowWidgets& w : rows_)
    if (w.typed && RowData(w.row) == FyRow()) ctx_.fyExplicit = true;
  SaveConstants(constants_, ctx_);  // a settings file that cannot be written is told there
  // In force whether or not the file was written: Fy from the rows, in the units they are in.
  CheckConstants(constants_, ctx_);
  ShowRows();  // the boxes show the values now in use ("2500.0 " shows as 2500)
  Confirm();
  if (!reopenedOverEditor || !reopenedOverEditor()) ctx_.displayUnits = UnitFactors("units=[kg]-[cm]", ctx_.messages);
  if (onContinue) onContinue();
  return true;
}

void frmConstant::cmdABA_Click() {
  if (onDesignCodeHelp) {
    onDesignCodeHelp();
    return;
  }
  if (ctx_.messages)
    ctx_.messages->Show(S(tr("The design code help is not installed.")), S(tr("Design code")),
                        MessageKind::Information, IsPersian(ctx_));
}

void frmConstant::SetContinueVisible(bool visible) { go_->setVisible(visible); }

Diagnostics frmConstant::FyDiagnostics() const {
  Diagnostics list;
  const ConstantRow* r = FyRow();
  if (!r || (ctx_.fy >= r->minimum && ctx_.fy <= r->maximum)) return list;
  const std::string fy = "Fy = " + ShortestText(RoundTo(ctx_.fy, 2)) + " kg/cm²";
  const std::string lo = ShortestText(r->minimum), hi = ShortestText(r->maximum);
  // The Persian sentence keeps the formula and the units left to right.
  const std::string faFy = "\u2066" + fy + "\u2069";
  const std::string faRange = "\u2066" + lo + "\u2069 تا \u2066" + hi + " kg/cm²\u2069";
  if (ctx_.fyExplicit)
    AddDiagnostic(list, Severity::Warning,
                  fy + " is outside the usual range " + lo + " to " + hi + " kg/cm²; it is used as you gave it",
                  faFy + " خارج از محدودهٔ معمول " + faRange + " است؛ همان مقدار تأییدشده به کار رفت", "Fy");
  else
    AddDiagnostic(list, Severity::Error,
                  fy + " is outside the range " + lo + " to " + hi +
                      " kg/cm²; type it in the constants window to use it",
                  faFy + " خارج از محدودهٔ " + faRange + " است؛ برای به کار بردن آن، مقدار را در پنجرهٔ ثابت‌ها وارد کنید",
                  "Fy");
  return list;
}

}  // namespace tavo::ui
