#include "ui/frm_main.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QApplication>
#include <QFontDatabase>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "checks/element_check.h"
#include "core/files.h"
#include "core/language.h"
#include "core/messages.h"
#include "core/text_util.h"
#include "drawing/section_drawing.h"
#include "input/input_file.h"
#include "output/report_writers.h"
#include "output/section_report.h"
#include "ui/qt_messages.h"
#include "ui/report_view.h"
#include "ui/ui_common.h"

namespace tavo::ui {

StepButton::StepButton(QWidget* parent) : QToolButton(parent) {
  setText(QStringLiteral("±"));
  setMinimumSize(30, 24);
  setFocusPolicy(Qt::StrongFocus);
}

void StepButton::mousePressEvent(QMouseEvent* event) {
  // The right button steps down, so it must not open a context menu or be ignored.
  if (event->button() == Qt::RightButton) {
    setDown(true);
    event->accept();
    return;
  }
  QToolButton::mousePressEvent(event);
}

void StepButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    setDown(false);
    if (rect().contains(event->position().toPoint())) emit stepped(-1);
    event->accept();
    return;
  }
  if (event->button() == Qt::LeftButton && isDown() && rect().contains(event->position().toPoint())) {
    QToolButton::mouseReleaseEvent(event);
    emit stepped(+1);
    return;
  }
  QToolButton::mouseReleaseEvent(event);
}

void StepButton::keyPressEvent(QKeyEvent* event) {
  // From the keyboard: Space, Enter and "+" step up, "-" steps down.
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Plus:
    case Qt::Key_Up: emit stepped(+1); return;
    case Qt::Key_Minus:
    case Qt::Key_Down: emit stepped(-1); return;
    default: QToolButton::keyPressEvent(event);
  }
}

namespace {

// One accepted parameter change: the member before and after it.
class ParameterChange final : public QUndoCommand {
 public:
  ParameterChange(frmMain* editor, CheckedMember before, CheckedMember after, int row, int drag)
      : editor_(editor), before_(std::move(before)), after_(std::move(after)), row_(row), drag_(drag) {}
  void undo() override { editor_->Restore(before_); }
  void redo() override {
    // Pushed after the change was made: the first redo has nothing to do.
    if (done_) editor_->Restore(after_);
    done_ = true;
  }
  int id() const override { return drag_ > 0 ? 1 : -1; }
  bool mergeWith(const QUndoCommand* other) override {
    // The steps of one slider drag are one change.
    const auto* o = static_cast<const ParameterChange*>(other);
    if (o->drag_ != drag_ || o->row_ != row_) return false;
    after_ = o->after_;
    return true;
  }

 private:
  frmMain* editor_;
  CheckedMember before_, after_;
  int row_, drag_;
  bool done_ = false;
};

bool IsUndoKey(const QKeyEvent* key) {
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier);
}

}  // namespace

frmMain::frmMain(ModuleContext& ctx, SectionEngine& engine, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      engine_(engine),
      panel_([&engine](const std::string& d) { return engine.Compute(d); }, &engine.catalogue()),
      reportData_(std::make_unique<Report>(ctx, engine.formulas())) {
  setObjectName("frmMain");
  setWindowTitle(tr("Section"));

  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setObjectName("splitMain");
  split->setChildrenCollapsible(false);
  outer->addWidget(split);

  // Parameter panel.
  auto* panelBox = new QGroupBox(tr("Parameters"), split);
  panelBox->setObjectName("fraParameters");
  auto* panelLayout = new QVBoxLayout(panelBox);
  element_ = new QLabel(panelBox);
  element_->setObjectName("lblElement");
  designation_ = new QLabel(panelBox);
  designation_->setObjectName("lblDesignation");
  designation_->setWordWrap(true);
  designation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QFont bold = designation_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() + 1);
  designation_->setFont(bold);
  panelLayout->addWidget(element_);
  panelLayout->addWidget(designation_);
  auto* line = new QFrame(panelBox);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  panelLayout->addWidget(line);
  auto* scroll = new QScrollArea(panelBox);
  scroll->setObjectName("scrParameters");
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* rowsHost = new QWidget(scroll);
  grid_ = new QGridLayout(rowsHost);
  grid_->setContentsMargins(0, 0, 4, 0);
  grid_->setHorizontalSpacing(6);
  grid_->setVerticalSpacing(6);
  grid_->setColumnStretch(3, 1);
  grid_->setRowStretch(99, 1);
  scroll->setWidget(rowsHost);
  panelLayout->addWidget(scroll, 1);
  lighter_ = new QPushButton(tr("Find lighter section"), panelBox);
  lighter_->setObjectName("cmdLighter");
  lighter_->setToolTip(tr("The ten lightest sections of this family that pass for this member; click one to load it"));
  lighterNote_ = new QLabel(panelBox);
  lighterNote_->setObjectName("lblLighter");
  lighterNote_->setWordWrap(true);
  lighterNote_->hide();
  lighterList_ = new QListWidget(panelBox);
  lighterList_->setObjectName("lstLighter");
  lighterList_->setMaximumHeight(180);
  lighterList_->hide();
  panelLayout->addWidget(lighter_);
  panelLayout->addWidget(lighterNote_);
  panelLayout->addWidget(lighterList_);
  connect(lighter_, &QPushButton::clicked, this, &frmMain::cmdLighter_Click);
  connect(lighterList_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { LoadDesignation(item->data(Qt::UserRole).toString().toStdString()); });
  panelBox->setMinimumWidth(300);
  split->addWidget(panelBox);

  // Report pane.
  auto* pane = new QWidget(split);
  pane->setObjectName("fraReport");
  auto* paneLayout = new QVBoxLayout(pane);
  paneLayout->setContentsMargins(0, 0, 0, 0);
  auto* tabRow = new QHBoxLayout;
  tabs_ = new QTabBar(pane);
  tabs_->setObjectName("TabStrip1");
  tabs_->addTab(tr("Properties"));
  tabs_->addTab(tr("Formulas"));
  tabs_->addTab(tr("Summary"));
  tabs_->setExpanding(false);
  save_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogSaveButton), tr("Save"), pane);
  save_->setObjectName("cmd_save");
  save_->setToolTip(tr("Save the report as a rich-text file"));
  tabRow->addWidget(tabs_, 1);
  tabRow->addWidget(save_);
  paneLayout->addLayout(tabRow);
  report_ = new ReportView(pane);
  paneLayout->addWidget(report_, 1);
  pane->setMinimumWidth(340);
  split->addWidget(pane);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({330, 520});

  undo_ = new QUndoStack(this);
  undoAction_ = undo_->createUndoAction(this, tr("Undo"));
  undoAction_->setObjectName("menu_Undo");
  undoAction_->setShortcut(QKeySequence::Undo);
  undoAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  redoAction_ = undo_->createRedoAction(this, tr("Redo"));
  redoAction_->setObjectName("menu_Redo");
  // Ctrl+Y as well as the platform's redo keys, each once (a key bound twice is ambiguous).
  QList<QKeySequence> redoKeys{QKeySequence(Qt::CTRL | Qt::Key_Y)};
  for (const QKeySequence& k : QKeySequence::keyBindings(QKeySequence::Redo))
    if (!redoKeys.contains(k)) redoKeys.push_back(k);
  redoAction_->setShortcuts(redoKeys);
  redoAction_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(undoAction_);
  addAction(redoAction_);

  connect(tabs_, &QTabBar::currentChanged, this, [this](int) { RewriteReport(); });
  connect(save_, &QPushButton::clicked, this, &frmMain::cmd_save_Click);

  askText = [this](const QString& title, const QString& label, const QString& offered) -> std::optional<std::string> {
    const auto dialog = MakePathDialog(this, title, label, offered);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->textValue().toStdString();
  };
}

std::unique_ptr<QInputDialog> MakePathDialog(QWidget* parent, const QString& title, const QString& label,
                                             const QString& offered) {
  auto dialog = std::make_unique<QInputDialog>(parent);
  dialog->setWindowTitle(title);
  dialog->setInputMode(QInputDialog::TextInput);
  dialog->setLabelText(label);
  dialog->setTextValue(offered);
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const int most = screen != nullptr ? screen->availableGeometry().width() * 9 / 10 : 1600;
  const int wanted = dialog->fontMetrics().horizontalAdvance(offered) + 120;
  dialog->resize(std::clamp(wanted, 420, std::max(420, most)), dialog->sizeHint().height());
  return dialog;
}

frmMain::~frmMain() = default;

void frmMain::ShowMember(const CheckedMember& member) {
  undo_->clear();
  lighterList_->clear();  // proposals belong to the member they were made for
  lighterList_->hide();
  lighterNote_->hide();
  member_ = member;
  panel_.SetLengthFactor(ctx_.dataUnitSystem.lengthFactor);
  panel_.BuildParameterPanel(member.section, member.member.Lx);
  if (currentRow_ >= static_cast<int>(panel_.rows().size())) currentRow_ = 0;
  BuildRows();
  RefreshRows();
  RewriteReport();
  emit memberChanged(*member_);
}

void frmMain::BuildRows() {
  const auto& rows = panel_.rows();
  // Rows are made once and reused; the ones a section does not need are hidden.
  while (rows_.size() < rows.size()) {
    const int i = static_cast<int>(rows_.size());
    QWidget* host = grid_->parentWidget();
    RowWidgets w;
    w.label = new QLabel(host);
    w.label->setObjectName(QString("lblParameter_%1").arg(i));
    w.label->setMinimumWidth(34);
    w.box = new QLineEdit(host);
    w.box->setObjectName(QString("txtParameter_%1").arg(i));
    w.box->setMinimumWidth(64);
    w.box->setMaximumWidth(96);
    w.box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    w.box->installEventFilter(this);
    w.step = new StepButton(host);
    w.step->setObjectName(QString("cmdStep_%1").arg(i));
    w.step->setToolTip(tr("Left click: +, right click: -"));
    w.slider = new QSlider(Qt::Horizontal, host);
    w.slider->setObjectName(QString("sldParameter_%1").arg(i));
    w.slider->setMinimumWidth(80);
    w.slider->setFocusPolicy(Qt::StrongFocus);
    w.slider->installEventFilter(this);
    grid_->addWidget(w.label, i, 0);
    grid_->addWidget(w.box, i, 1);
    grid_->addWidget(w.step, i, 2);
    grid_->addWidget(w.slider, i, 3);
    connect(w.box, &QLineEdit::returnPressed, this, [this, i] {
      SetCurrentRow(i);
      QLineEdit* box = rows_[static_cast<size_t>(i)].box;
      const std::string typed = box->text().trimmed().toStdString();
      // Taken: from here the box shows the value in use (limited, rounded or refused), not the text.
      box->setModified(false);
      ApplyCommand("=" + typed, i);
    });
    connect(w.step, &StepButton::stepped, this, [this, i](int direction) {
      SetCurrentRow(i);
      ApplyCommand(direction > 0 ? "+" : "-", i);
    });
    connect(w.slider, &QSlider::valueChanged, this, [this, i](int v) { SliderChanged(i, v); });
    connect(w.slider, &QSlider::sliderPressed, this, [this] { ++drag_; });
    connect(w.slider, &QSlider::sliderReleased, this, [this] { RefreshRows(); });
    rows_.push_back(w);
  }
  QWidget* previous = nullptr;
  for (size_t i = 0; i < rows_.size(); ++i) {
    const bool used = i < rows.size();
    for (QWidget* w : {static_cast<QWidget*>(rows_[i].label), static_cast<QWidget*>(rows_[i].box),
                       static_cast<QWidget*>(rows_[i].step), static_cast<QWidget*>(rows_[i].slider)})
      w->setVisible(used);
    if (!used) continue;
    // Tab moves down the value boxes, as an engineer types a column of values.
    if (previous) setTabOrder(previous, rows_[i].box);
    previous = rows_[i].box;
  }
  for (size_t i = 0; i < rows.size(); ++i) {
    if (previous) setTabOrder(previous, rows_[i].step);
    previous = rows_[i].step;
    setTabOrder(previous, rows_[i].slider);
    previous = rows_[i].slider;
  }
  if (previous) setTabOrder(previous, tabs_);
  setTabOrder(tabs_, save_);
}

void frmMain::RefreshRows() {
  refreshing_ = true;
  const auto& rows = panel_.rows();
  for (size_t i = 0; i < rows.size() && i < rows_.size(); ++i) {
    const ParameterRow& r = rows[i];
    RowWidgets& w = rows_[i];
    const SliderSetup s = panel_.SliderFor(static_cast<int>(i));
    const QString unit = r.unit.empty() ? QString() : QString(" [%1]").arg(Q(r.unit));
    w.label->setText(Q(r.name) + unit);
    w.label->setToolTip(Q(s.tooltip));
    if (!w.box->hasFocus() || !w.box->isModified()) w.box->setText(Q(s.text));
    w.box->setModified(false);
    w.box->setToolTip(Q(s.tooltip));
    // A slider the user is dragging keeps its range until it is let go.
    if (!w.slider->isSliderDown()) {
      w.slider->setEnabled(s.configured);
      if (s.configured) {
        w.slider->setRange(s.minimum, s.maximum);
        w.slider->setSingleStep(s.singleStep);
        w.slider->setPageStep(s.pageStep);
        w.slider->setValue(s.position);
      }
    }
    w.slider->setToolTip(Q(s.tooltip));
  }
  if (member_) {
    const CurrentSection& cs = member_->section.cs;
    const std::string shown = !cs.FullText.empty() ? cs.FullText : panel_.designation();
    designation_->setText(Q(shown));
    designation_->setToolTip(Q(panel_.designation()));
    const QString kind = member_->member.kind == MemberKind::Column ? tr("Column")
                         : member_->member.kind == MemberKind::Beam   ? tr("Beam")
                                                                      : tr("Bracing");
    element_->setText(kind + QString(":   ID = %1").arg(member_->member.id));
  }
  refreshing_ = false;
  if (currentRow_ >= 0 && currentRow_ < static_cast<int>(rows.size()))
    emit sliderRowChanged(Q(rows[static_cast<size_t>(currentRow_)].name), panel_.SliderFor(currentRow_));
}

void frmMain::SetCurrentRow(int row) {
  if (row < 0 || row >= static_cast<int>(panel_.rows().size())) return;
  if (row == currentRow_) return;
  currentRow_ = row;
  emit sliderRowChanged(Q(panel_.rows()[static_cast<size_t>(row)].name), panel_.SliderFor(row));
}

void frmMain::Restore(const CheckedMember& state) {
  member_ = state;
  panel_.BuildParameterPanel(state.section, state.member.Lx);
  if (currentRow_ >= static_cast<int>(panel_.rows().size())) currentRow_ = 0;
  BuildRows();
  Recheck();
  emit memberEdited(Q(panel_.designation()), panel_.memberLength());
}

bool frmMain::ApplyCommand(const std::string& command, int row) {
  if (!member_ || row < 0 || row >= static_cast<int>(panel_.rows().size())) return false;
  const CheckedMember before = *member_;
  const ParameterRow& r = panel_.rows()[static_cast<size_t>(row)];
  if (!command.empty() && command[0] == '=') {
    bool numeric = false;
    QString(Q(command.substr(1))).replace(',', '.').toDouble(&numeric);
    if (!numeric && !r.catalogue) numeric = !UpdateParameter(command, r).invalid;
    if (!numeric) {
      ShowMessage(ctx_, S(tr("Please type a number.")), S(tr("Parameters")));
      RefreshRows();
      return false;
    }
  }
  if (!panel_.ApplyParameterCommand(command, row)) {
    RefreshRows();  // a value pushed against its limit shows the limit again
    return false;
  }
  Recheck();
  const QSlider* slider = rows_.size() > static_cast<size_t>(row) ? rows_[static_cast<size_t>(row)].slider : nullptr;
  undo_->push(new ParameterChange(this, before, *member_, row, slider && slider->isSliderDown() ? drag_ : 0));
  emit memberEdited(Q(panel_.designation()), panel_.memberLength());
  return true;
}

void frmMain::Recheck() {
  if (!member_) return;
  MemberInput m = member_->member;
  if (const double length = panel_.memberLength(); length != m.Lx) {
    // The length is now the panel's: what was said about the line's L= no longer holds.
    std::erase_if(m.diagnostics, [](const Diagnostic& d) { return d.subject.rfind("L=", 0) == 0; });
    m.Lx = length;
    NoteMissingLength(m);
  }
  member_ = engine_.Recheck(panel_.section(), m);  // with the Fy in force
  RefreshRows();
  RewriteReport();
  emit memberChanged(*member_);
}

void frmMain::RewriteReport() {
  if (!member_) {
    report_->clear();
    return;
  }
  reportData_->suppressValueLines = tabs_->currentIndex() == 2;
  SectionReportOptions options;
  if (WebPlatesClashWithFlanges(member_->section.cs)) options.extraLines.push_back(EnlargeDplWarning());
  WriteSectionReport(*reportData_, *member_, options);
  report_->ShowRuns(reportData_->runs(), IsPersian(ctx_));
}

void frmMain::SliderChanged(int row, int value) {
  if (refreshing_) return;
  SetCurrentRow(row);
  ApplyCommand("=" + std::to_string(value), row);
}

int frmMain::RowOf(QObject* widget) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].box == widget || rows_[i].slider == widget || rows_[i].step == widget) return static_cast<int>(i);
  return -1;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+Z and Ctrl+Y in a value box undo parameter changes unless a typed value is pending,
  // which the box undoes itself.
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (box && RowOf(box) >= 0 && !box->isModified() && IsUndoKey(key)) {
      if (event->type() == QEvent::KeyPress) {
        if (key->matches(QKeySequence::Undo))
          undo_->undo();
        else
          undo_->redo();
      }
      return true;
    }
  }
  if (event->type() == QEvent::FocusIn) {
    const int row = RowOf(watched);
    if (row >= 0) {
      SetCurrentRow(row);
      if (watched == rows_[static_cast<size_t>(row)].box) BoxEntered(row);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void frmMain::BoxEntered(int) { emit hint(tr("After editing, press Enter to continue")); }

QLineEdit* frmMain::valueBox(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].box : nullptr;
}
StepButton* frmMain::stepButton(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].step : nullptr;
}
QSlider* frmMain::slider(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(row)].slider : nullptr;
}
int frmMain::visibleRows() const { return static_cast<int>(panel_.rows().size()); }

bool frmMain::SaveReport(const std::string& path) {
  std::string error;
  if (!AtomicWriteFile(SuitePath(path), RenderRtf(*reportData_), &error)) {
    ShowMessage(ctx_, S(tr("The report could not be saved: %1").arg(Q(error))));
    return false;
  }
  return true;
}

void frmMain::cmdLighter_Click() {
  if (!member_) return;
  lighterList_->clear();
  lighterList_->hide();
  const std::string set = DesignSetOf(member_->section);
  const auto say = [this](const QString& text) {
    lighterNote_->setText(text);
    lighterNote_->show();
  };
  if (set.empty()) return say(tr("No candidate set holds sections like this one."));
  const std::string key = set + "|" + ShortestText(ctx_.dataUnitSystem.lengthFactor);
  auto it = sets_.find(key);
  if (it == sets_.end()) {
    std::string error;
    it = sets_.emplace(key, MakeCandidateSet(engine_, set, {}, &error)).first;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::vector<DesignProposal> found = SearchDesign(engine_, it->second, member_->member, DemandsOfMember(*member_), 10, 0);
  QApplication::restoreOverrideCursor();
  if (found.empty()) return say(tr("No section of %1 passes for this member.").arg(Q(set)));
  say(tr("The lightest sections of %1 that pass, with weight (kg/m) and ratio:").arg(Q(set)));
  // Fixed-pitch columns, so weights and ratios stand under each other in either direction.
  qsizetype width = 0;
  for (const DesignProposal& p : found) width = std::max(width, Q(p.designation).size());
  lighterList_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  for (const DesignProposal& p : found) {
    auto* item = new QListWidgetItem(QString("%1  %2  %3")
                                         .arg(Q(p.designation), -static_cast<int>(width))
                                         .arg(p.weight, 8, 'f', 2)
                                         .arg(p.ratio, 6, 'f', 3),
                                     lighterList_);
    item->setData(Qt::UserRole, Q(p.designation));
    item->setData(Qt::UserRole + 1, p.weight);
  }
  lighterList_->show();
}

void frmMain::LoadDesignation(const std::string& designation) {
  if (!member_ || designation.empty()) return;
  const CheckedMember before = *member_;
  panel_.BuildParameterPanel(engine_.Compute(designation), panel_.memberLength());
  if (currentRow_ >= static_cast<int>(panel_.rows().size())) currentRow_ = 0;
  BuildRows();
  Recheck();
  undo_->push(new ParameterChange(this, before, *member_, -1, 0));
  emit memberEdited(Q(panel_.designation()), panel_.memberLength());
}

void frmMain::cmd_save_Click() {
  if (!member_ || !askText) return;
  const std::optional<std::string> name =
      askText(tr("Output File"), tr("Output File Name?"), Q(ctx_.inputBase + ".rtf"));
  if (!name || name->empty()) return;
  if (!SaveReport(*name)) return;
  if (ctx_.messages)
    ctx_.messages->Show(S(tr("File was saved as %1").arg(Q(*name))),
                        S(tr("Output File")), MessageKind::Information, IsPersian(ctx_));
}

}  // namespace tavo::ui
