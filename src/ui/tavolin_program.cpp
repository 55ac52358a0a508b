#include "ui/tavolin_program.h"

#include <algorithm>
#include <limits>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QDir>
#include <QGuiApplication>
#include <QAbstractTextDocumentLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStandardPaths>
#include <QTextDocument>
#include <QVBoxLayout>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "checks/element_check.h"
#include "core/files.h"
#include "core/language.h"
#include "core/startup.h"
#include "core/text_util.h"
#include "core/units.h"
#include "input/edited_input.h"
#include "input/forces_file.h"
#include "output/results_writer.h"
#include "output/section_records.h"
#include "output/section_report.h"
#include "ui/desktop_args.h"
#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_enter.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/frm_units.h"
#include "ui/help_view.h"
#include "ui/progress_window.h"
#include "ui/result_windows.h"
#include "ui/qt_messages.h"
#include "ui/report_view.h"
#include "engine/batch_run.h"
#include "engine/section_engine.h"
#include "ui/tavolin_application.h"
#include "ui/translation.h"
#include "ui/ui_common.h"

namespace tavo::ui {

namespace fs = std::filesystem;

TavolinProgram::TavolinProgram(Options options)
    : options_(std::move(options)),
      qtMessages_(std::make_unique<QtMessages>()),
      posixLauncher_(std::make_unique<PosixLauncher>()) {
  ctx_.messages = options_.messages ? options_.messages : qtMessages_.get();
  ctx_.launcher = options_.launcher ? options_.launcher : posixLauncher_.get();
}

TavolinProgram::~TavolinProgram() {
  session_.copy.Close();
  delete help_.data();
  delete output_.data();
  delete enter_.data();
  delete results_.data();
  if (frame_) {
    frame_->SetEnding(true);
    delete frame_;
  }
}

bool TavolinProgram::Main(const std::vector<std::string>& args) {
  // Display metrics from the real screen.
  int width = options_.screenWidth, height = options_.screenHeight;
  if (width <= 0 || height <= 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    width = screen ? screen->size().width() : 1280;
    height = screen ? screen->size().height() : 1024;
  }
  InitDisplayMetrics(ctx_, width, height);

  const DesktopArgs a = ParseDesktopArguments(args);
  if (a.help) {
    std::cout << DesktopUsage();
    return false;
  }
  if (!a.ok) {
    std::cerr << "tavolin: " << a.error << '\n' << DesktopUsage();
    ctx_.messages->Show("tavolin: " + a.error + "\n\n" + DesktopUsage(), "Tavolin", MessageKind::Error, false);
    return false;
  }
  std::string packed = a.packedArgument;
  if (!a.packed) {
    // Started by hand: build the suite's argument from the options.
    standalone_ = true;
    const std::string install = FindInstallDir(options_.executable, a.installDir);
    std::string base;
    if (!a.inputFile.empty()) {
      std::error_code ec;
      base = fs::absolute(SuitePath(a.inputFile), ec).lexically_normal().string();
      if (base.size() >= 8 && ToLower(base.substr(base.size() - 8)) == ".ardekon") base.resize(base.size() - 8);
    }
    packed = PackArgument(a.language, a.mode, install, base);
  }
  if (!ParseCommandLine(ctx_, packed, QDir::currentPath().toStdString())) return false;
  SetModuleIdentity(ctx_);
  ctx_.installDir = WithTrailingSeparator(ctx_.installDir);
  ctx_.tempDir = ScratchDirFor(ctx_.installDir);
  if (!ApplyLanguage(ctx_.language))
    std::cerr << "tavolin: the translation \"" << LanguageCode(ctx_.language).toStdString()
              << "\" is missing; the windows are shown in English.\n";

  engine_ = std::make_unique<SectionEngine>(ctx_);
  engine_->OpenFormulas();
  BuildWindows();
  ConnectCommands();
  frame_->SetCaption(Q(FrameCaption()));

  if (ctx_.runMode == 'H') {
    frame_->DisableAllCommands();
    frame_->show();
    menu_Calculation_Click();
    return true;
  }

  StartOnInput();
  return true;
}

void TavolinProgram::StartOnInput() {
  frame_->Disable_Icons();
  frame_->show();
  drawing_->ShowEmpty();
  inputOk_ = OpenInputFile();
  if (!inputOk_) {
    frame_->ShowStatus(0, tr("The input file could not be read; use Exit to return."));
    frame_->ShowPage(frmMDI::Page::Constants);
    constants_->SetContinueVisible(false);
    return;
  }
  if (std::error_code ec; fs::is_regular_file(SuitePath(ctx_.InputFile()), ec)) frame_->AddRecentFile(Q(ctx_.InputFile()));
  activeView_ = ActiveView::Constants;
  frame_->SetCaption(Q(FrameCaption()));
  engine_->Refresh();
  LoadForcesBeside();
  constants_->Form_initialize();
  constants_->chngcte_inc();
  frame_->ShowPage(frmMDI::Page::Constants);
  drawing_->ShowSketch();
  ShowUnitsStatus();
  if (QLineEdit* first = constants_->valueBox(1)) {
    first->setFocus();
  } else {
    constants_->CmdGo_Click();  // nothing to confirm: go straight on
  }
}

bool TavolinProgram::OpenFile(const std::string& path) {
  if (ended_ || !frame_ || ctx_.runMode == 'H') return false;
  // Not while a pass runs (its progress lets events through) or a new table is being typed.
  if ((progress_ && progress_->isVisible()) || (enter_ && enter_->isVisible())) return false;
  const fs::path file = SuitePath(path);
  if (ToLower(file.extension().string()) != ".ardekon") {
    ShowMessage(ctx_, S(tr("Only input files (.Ardekon) can be opened: %1").arg(Q(path))));
    return false;
  }
  if (std::error_code ec; !fs::is_regular_file(file, ec)) {
    ShowMessage(ctx_, S(tr("The file does not exist: %1").arg(Q(path))));
    frame_->RemoveRecentFile(Q(path));
    return false;
  }
  // Edits to the file open now are not dropped without asking.
  if (!ConfirmUnsavedEdits()) return false;
  // A run on the new file as the command line starts one (input mode): only who we are, the
  // language and the install tree carry over.
  session_.copy.Close();
  std::error_code ec;
  std::string base = fs::absolute(file, ec).lexically_normal().string();
  base.resize(base.size() - file.extension().string().size());
  ModuleContext fresh;
  fresh.moduleKey = ctx_.moduleKey;
  fresh.moduleTitle = ctx_.moduleTitle;
  fresh.language = ctx_.language;
  fresh.runMode = 'I';
  fresh.installDir = ctx_.installDir;
  fresh.tempDir = ctx_.tempDir;
  fresh.suiteVersion = ctx_.suiteVersion;
  fresh.metrics = ctx_.metrics;
  fresh.messages = ctx_.messages;
  fresh.launcher = ctx_.launcher;
  fresh.inputBase = base;
  fresh.inputDir = WithTrailingSeparator(fs::path(base).parent_path().string());
  ctx_ = fresh;
  table_.Clear();
  pass_ = BatchRunResult{};
  edited_.clear();
  onDisk_.clear();
  UpdateSaveAction();
  batchDone_ = false;
  tooMany_ = false;
  activeView_ = ActiveView::None;
  list_->SetElements(table_, 0);
  constants_->SetContinueVisible(true);
  StartOnInput();
  return inputOk_;
}

std::string TavolinProgram::FrameCaption() const {
  return " Ardekon " + ctx_.suiteVersion + " - " + PickLanguage(ctx_.moduleTitle, ctx_) + " (" + ctx_.inputBase + ")";
}

void TavolinProgram::BuildWindows() {
  frame_ = new frmMDI(ctx_);
  qtMessages_->SetParent(frame_);
  constants_ = new frmConstant(ctx_, session_.constants, frame_);
  editor_ = new frmMain(ctx_, *engine_, frame_);
  drawing_ = new frmDraw(ctx_, frame_);
  list_ = new ElementList(ctx_, *engine_, frame_);
  progress_ = new ProgressWindow(frame_);
  frame_->SetWindows(constants_, editor_, list_, drawing_);
  saveInput_ = frame_->action("menu_SaveInput");
  // The editor's undo and redo head the Edit menu.
  if (QMenu* edit = frame_->findChild<QMenu*>("menu_Edit")) {
    QAction* first = edit->actions().isEmpty() ? nullptr : edit->actions().first();
    edit->insertActions(first, {editor_->undoAction(), editor_->redoAction()});
    edit->insertSeparator(first);
  }
  frame_->installEventFilter(this);
  // Where the user left it last time, else most of the screen.
  if (frame_->RestoreGeometry()) return;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect avail = screen->availableGeometry();
    frame_->resize(std::min(1560, avail.width() * 95 / 100), std::min(980, avail.height() * 95 / 100));
  } else {
    frame_->resize(1400, 900);
  }
}

void TavolinProgram::ConnectCommands() {
  connect(frame_, &frmMDI::nextId, this, &TavolinProgram::NextID);
  connect(frame_, &frmMDI::previousId, this, &TavolinProgram::PreviousID);
  connect(frame_, &frmMDI::home, this, &TavolinProgram::Home);
  connect(frame_, &frmMDI::information, this, &TavolinProgram::ConstantsHelp);
  connect(frame_, &frmMDI::print, this, &TavolinProgram::PrintWithDialog);
  connect(frame_, &frmMDI::calculator, this, &TavolinProgram::Calculator);
  connect(frame_, &frmMDI::calculation, this, &TavolinProgram::menu_Calculation_Click);
  connect(frame_, &frmMDI::exitRequested, this, &TavolinProgram::menu_Exit_Click);
  connect(frame_, &frmMDI::units, this, &TavolinProgram::Units);
  connect(frame_, &frmMDI::results, this, &TavolinProgram::Results);
  connect(frame_, &frmMDI::showGridToggled, drawing_, &frmDraw::SetGrid);
  connect(frame_, &frmMDI::exportDrawing, drawing_, &frmDraw::ExportWithDialog);
  connect(frame_, &frmMDI::frameClosing, this, [this] { EndProgram("/noframe/steel"); });
  connect(frame_, &frmMDI::openFile, this, [this](const QString& path) { OpenFile(S(path)); });
  connect(frame_, &frmMDI::openForces, this, [this](const QString& path) { OpenForces(S(path)); });
  constants_->onContinue = [this] { ContinueAfterConstants(); };
  constants_->onUnits = [this] { Units(); };
  constants_->onDesignCodeHelp = [this] { OpenHelp("checks"); };
  constants_->reopenedOverEditor = [this] { return activeView_ == ActiveView::ConstantsOverEditor; };
  connect(editor_, &frmMain::memberChanged, this, &TavolinProgram::MemberChanged);
  connect(editor_, &frmMain::hint, this, [this](const QString& text) { frame_->ShowStatus(0, text); });
  connect(editor_, &frmMain::sliderRowChanged, drawing_, &frmDraw::ConfigureSlider);
  connect(editor_, &frmMain::memberEdited, this, &TavolinProgram::ElementEdited);
  connect(frame_, &frmMDI::saveInput, this, [this] { SaveInput(); });
  UpdateSaveAction();  // offered once there is something to save
  connect(drawing_, &frmDraw::sliderMoved, this,
          [this](int v) { editor_->ApplyCommand("=" + std::to_string(v), editor_->currentRow()); });
  connect(list_, &ElementList::elementActivated, this, &TavolinProgram::ShowElement);
}

bool TavolinProgram::OpenInputFile() { return OpenInput(ctx_, session_); }

void TavolinProgram::ShowUnitsStatus() {
  frame_->ShowStatus(1, tr("System Units: %1").arg(Q(ctx_.displayUnits.Text())));
}

void TavolinProgram::ContinueAfterConstants() {
  ctx_.fyDiagnostics = constants_->FyDiagnostics();
  if (batchDone_ && (ctx_.fy != listFy_ || ctx_.fyExplicit != listFyExplicit_ || ctx_.code != listCode_ ||
                     ctx_.fu != listFu_))
    CheckListAgain();
  if (activeView_ == ActiveView::ConstantsOverEditor) {
    // Reopened from the editor: back to the section, checked with the confirmed constants.
    activeView_ = ActiveView::Editor;
    constants_->SetContinueVisible(false);
    frame_->ShowPage(frmMDI::Page::Editor);
    frame_->ShowStatus(0, {});
    if (editor_->hasMember()) editor_->Recheck();
    editor_->setFocus();
    ShowUnitsStatus();
    return;
  }
  constants_->SetContinueVisible(false);
  if (batchDone_) {
    // The elements are computed already (the constants were opened from the list): go back.
    activeView_ = ActiveView::None;
    frame_->ShowPage(frmMDI::Page::List);
    ShowUnitsStatus();
    return;
  }
  if (ctx_.runMode == 'E') {
    OpenTableEntry();
    return;
  }
  RunBatchPass();
  activeView_ = ctx_.N == 1 ? ActiveView::Editor : ActiveView::None;
  ShowUnitsStatus();
}

void TavolinProgram::OpenTableEntry() {
  session_.copy.Close();
  activeView_ = ActiveView::TableEntry;
  drawing_->ShowEmpty();
  if (!enter_) {
    enter_ = new frmEnter(ctx_, engine_.get(), frame_);
    enter_->setWindowModality(Qt::WindowModal);
    enter_->onFinished = [this] { TableEntryFinished(); };
  }
  const QRect f = frame_->geometry();
  enter_->move(f.center() - QPoint(enter_->width() / 2, enter_->height() / 2));
  enter_->show();
  enter_->raise();
}

void TavolinProgram::TableEntryFinished() {
  // The constants the user confirmed stand; the new file is read for its elements.
  const DesignConstants confirmed = session_.constants;
  const std::string units = ctx_.constantsUnits;  // the units the confirmed values are in
  const double fy = ctx_.fy;
  ctx_.runMode = 'I';
  if (enter_) enter_->close();
  inputOk_ = OpenInputFile();
  if (!inputOk_) return;
  session_.constants = confirmed;
  ctx_.constantsUnits = units;
  ctx_.fy = fy;
  // Fy's problems and whether it was given go with the confirmed values, not the re-read file's.
  CheckConstants(session_.constants, ctx_);
  frame_->SetCaption(Q(FrameCaption()));
  RunBatchPass();
  activeView_ = ctx_.N == 1 ? ActiveView::Editor : ActiveView::None;
  frame_->Enable_Icons();
  ShowUnitsStatus();
}

namespace {
// Elements 1..n of the table in chunks of `size`, for the engine's checks.
ChunkSource TableChunks(const ElementTable& table, int n, int size) {
  auto next = std::make_shared<int>(0);
  return [&table, n, size, next](BatchChunk& chunk) {
    if (*next >= n) return false;
    chunk.first = *next + 1;
    for (int i = *next; i < std::min(n, *next + size); ++i) chunk.elements.push_back(table.element(static_cast<size_t>(i)));
    *next += static_cast<int>(chunk.elements.size());
    return true;
  };
}
}  // namespace

void TavolinProgram::RunBatchPass() {
  engine_->Refresh();
  const int n = ctx_.N;
  if (n > 1) {
    frame_->ShowPage(frmMDI::Page::List);
    progress_->ShowProgress(0, tr("Designing the elements..."));
  }
  const ProgressFn progress = [this](int percent) {
    // The window stays alive between chunks, and Cancel can be pressed.
    QCoreApplication::processEvents();
    progress_->ShowProgress(percent);
    return !progress_->cancelled();
  };
  // The list keeps each element's line and summary; the workers check them on every core.
  class Keeper final : public BatchFormatter {
   public:
    explicit Keeper(ElementTable& table) : table_(table) {}
    void Format(BatchChunk&, int, const Element&, const CheckedMember&) const override {}
    bool Write(BatchChunk& chunk) override {
      for (size_t i = 0; i < chunk.elements.size() && i < chunk.summaries.size(); ++i)
        table_.Append(chunk.elements[i], chunk.summaries[i]);
      return true;
    }

   private:
    ElementTable& table_;
  };
  table_.Clear();
  // The count line may promise more than the file holds: room for a modest start, grown as read.
  table_.Reserve(static_cast<size_t>(std::clamp(n, 0, 1 << 16)));
  Keeper keeper(table_);
  BatchRunOptions options;
  options.keepSummaries = true;
  options.fyInForce = true;
  // About a hundred steps of progress, and a cancel that keeps what was shown.
  options.chunkSize = static_cast<size_t>(std::clamp(n / 100, 1, 256));
  pass_ = RunBatch(*engine_, session_, keeper, options, progress);
  table_.Truncate(static_cast<size_t>(std::max(0, pass_.N)));
  batchDone_ = true;
  listFy_ = ctx_.fy;
  listFyExplicit_ = ctx_.fyExplicit;
  listCode_ = ctx_.code;
  listFu_ = ctx_.fu;
  edited_.clear();
  onDisk_.clear();
  UpdateSaveAction();
  if (n > 1) progress_->ShowProgress(-1);
  tooMany_ = !list_->SetElements(table_, pass_.N);
  if (n == 1 && ctx_.N >= 1) {
    // A single element goes straight to its own view.
    ShowElement(1);
    frame_->action("tbToolBar_Print")->setEnabled(true);
    frame_->action("tbToolBar_Units")->setEnabled(true);
    return;
  }
  if (tooMany_) {
    ctx_.messages->Show(S(tr("Too many elements to display! Only the first %1 are shown.").arg(list_->shown())),
                        "Tavolin", MessageKind::Warning, IsPersian(ctx_));
  }
  ctx_.currentIndex = 0;  // nothing shown yet: Next ID starts at the first element
  frame_->Enable_Icons();
  frame_->tbToolBarUpdate(0, ctx_.N);
  frame_->ShowPage(frmMDI::Page::List);
  ShowListStatus();
  list_->setFocus();
}

void TavolinProgram::ShowListStatus() {
  int notOk = 0, errors = 0;
  for (int i = 0; i < ctx_.N && i < static_cast<int>(table_.size()); ++i) {
    if (table_.error(static_cast<size_t>(i)))
      ++errors;
    else if (!table_.ok(static_cast<size_t>(i)))
      ++notOk;
  }
  QString text = errors ? tr("%1 elements, %2 not OK, %3 with errors").arg(ctx_.N).arg(notOk).arg(errors)
                        : tr("%1 elements, %2 not OK").arg(ctx_.N).arg(notOk);
  if (engine_->forces().found) text += ", " + tr("%1 with forces").arg(elementsWithForces());
  frame_->ShowStatus(2, text);
}

int TavolinProgram::elementsWithForces() const {
  const auto& byId = engine_->forces().byId;
  int n = 0;
  for (size_t i = 0; i < table_.size() && static_cast<int>(i) < ctx_.N; ++i)
    if (const auto it = byId.find(table_.id(i)); it != byId.end() && !it->second.empty()) ++n;
  return n;
}

void TavolinProgram::LoadForcesBeside() {
  // Every input starts with its own forces or none: those of another input never carry over.
  if (engine_->LoadForcesBeside(ctx_.InputFile()))
    ShowForcesDiagnostics(ForcesFileFor(SuitePath(ctx_.InputFile())).string(), engine_->forces().diagnostics);
}

bool TavolinProgram::OpenForces(const std::string& path) {
  if (!inputOk_ || ended_) return false;
  const fs::path file = SuitePath(path);
  if (std::error_code ec; !fs::is_regular_file(file, ec)) {
    ShowMessage(ctx_, S(tr("The file does not exist: %1").arg(Q(path))));
    return false;
  }
  engine_->LoadForces(file);
  ShowForcesDiagnostics(file.string(), engine_->forces().diagnostics);
  frame_->ShowStatus(0, tr("Forces read from %1").arg(Q(file.string())));
  if (!batchDone_) return true;
  // The verdicts follow the new forces: the list, and the element in the editor.
  CheckListAgain();
  if (activeView_ == ActiveView::Editor && editor_->hasMember()) editor_->Recheck();
  ShowListStatus();
  return true;
}

void TavolinProgram::ShowForcesDiagnostics(const std::string& file, const Diagnostics& diagnostics) {
  if (diagnostics.empty() || !ctx_.messages) return;
  // One message, the first few lines; the rest counted, as a long file can say much.
  constexpr size_t kShown = 12;
  QStringList lines;
  for (size_t i = 0; i < diagnostics.size() && i < kShown; ++i) lines << Q(LabelledLine(diagnostics[i], ctx_.language));
  if (diagnostics.size() > kShown) lines << tr("... and %1 more").arg(diagnostics.size() - kShown);
  ctx_.messages->Show(S(tr("The forces file %1:\n%2").arg(Q(file), lines.join('\n'))), S(tr("Forces")),
                      HasError(diagnostics) ? MessageKind::Error : MessageKind::Warning, IsPersian(ctx_));
}

void TavolinProgram::CheckListAgain() {
  const int n = static_cast<int>(table_.size());
  if (n > 1) progress_->ShowProgress(0, tr("Designing the elements..."), "nocancel");
  // Every element checked again on every core; each chunk's verdicts replace the old ones.
  class Verdicts final : public BatchFormatter {
   public:
    explicit Verdicts(ElementTable& table) : table_(table) {}
    void Format(BatchChunk&, int, const Element&, const CheckedMember&) const override {}
    bool Write(BatchChunk& chunk) override {
      for (size_t i = 0; i < chunk.summaries.size(); ++i)
        table_.SetSummary(static_cast<size_t>(chunk.first - 1) + i, chunk.summaries[i]);
      return true;
    }

   private:
    ElementTable& table_;
  };
  Verdicts verdicts(table_);
  BatchRunOptions options;
  options.keepSummaries = true;
  options.fyInForce = true;
  RunChecks(*engine_, TableChunks(table_, n, std::clamp(n / 100, 1, 256)), verdicts, options, n, [this](int percent) {
    progress_->ShowProgress(std::max(1, percent));
    QCoreApplication::processEvents();
    return true;
  });
  for (auto& [index, member] : edited_) member = engine_->Recheck(member.section, member.member);
  if (n > 1) progress_->ShowProgress(-1);
  list_->SetElements(table_, pass_.N);
  for (const auto& [index, member] : edited_) list_->UpdatePictures(index, member);
  listFy_ = ctx_.fy;
  listFyExplicit_ = ctx_.fyExplicit;
  listCode_ = ctx_.code;
  listFu_ = ctx_.fu;
  if (ctx_.N > 1) ShowListStatus();
}

void TavolinProgram::ShowElement(int index) {
  if (index < 1 || index > ctx_.N || index > static_cast<int>(table_.size())) return;
  ctx_.currentIndex = index;
  const Element element = table_.element(static_cast<size_t>(index) - 1);
  ctx_.currentId = element.id;
  activeView_ = ActiveView::Editor;
  CheckedMember member;
  if (const auto it = edited_.find(index); it != edited_.end()) {
    // Checked again, so a changed Fy applies to edited elements too.
    member = engine_->Recheck(it->second.section, it->second.member);
  } else {
    member = engine_->RecheckElement(element, index);
  }
  frame_->ShowPage(frmMDI::Page::Editor);
  editor_->ShowMember(member);
  frame_->tbToolBarUpdate(index, ctx_.N);
  frame_->ShowStatus(2, tr("Element %1 of %2").arg(index).arg(ctx_.N));
}

void TavolinProgram::MemberChanged(const CheckedMember& member) {
  // The report's verdict puts the section on the canvas, whichever window is in front.
  drawing_->ShowSection(member);
}

void TavolinProgram::ElementEdited(const QString& designation, double length) {
  const int index = ctx_.currentIndex;
  if (index < 1 || static_cast<size_t>(index) > table_.size() || !editor_->hasMember()) return;
  const size_t i = static_cast<size_t>(index) - 1;
  // Kept as the element's own text, so coming back to it shows the edited section, and the
  // table's line changes too, so Results and Save input take the edited element.
  edited_[index] = editor_->member();
  onDisk_.try_emplace(index, std::string(table_.text(i)));
  const double factor = ctx_.dataUnitSystem.lengthFactor > 0 ? ctx_.dataUnitSystem.lengthFactor : 1.0;
  const std::string lengthText = length > 0 ? ShortestText(RoundTo(length / factor, 4)) : std::string();
  table_.SetText(i, ReadElementText(ComposeElementLine(table_.text(i), S(designation), lengthText)));
  table_.SetSummary(i, Summarise(editor_->member()));
  list_->UpdatePictures(index, editor_->member());
  UpdateSaveAction();
}

bool TavolinProgram::hasUnsavedEdits() const {
  for (const auto& [index, text] : onDisk_)
    if (static_cast<size_t>(index) <= table_.size() && table_.text(static_cast<size_t>(index) - 1) != text) return true;
  return false;
}

void TavolinProgram::UpdateSaveAction() {
  if (saveInput_) saveInput_->setEnabled(hasUnsavedEdits());
}

bool TavolinProgram::SaveInput() {
  if (!inputOk_) return false;
  std::vector<ElementEdit> edits;
  for (const auto& [index, text] : onDisk_) {
    if (static_cast<size_t>(index) > table_.size()) continue;
    const std::string_view now = table_.text(static_cast<size_t>(index) - 1);
    if (now != text) edits.push_back({static_cast<size_t>(index), text, std::string(now)});
  }
  if (edits.empty()) return true;
  const fs::path path = SuitePath(ctx_.InputFile());
  std::string error;
  if (!SaveElementEdits(path, edits, &error)) {
    ShowMessage(ctx_, S(tr("The input file was not saved; it is as it was.\n%1").arg(Q(error))));
    return false;
  }
  onDisk_.clear();
  UpdateSaveAction();
  frame_->ShowStatus(0, tr("Saved %1").arg(Q(path.string())));
  return true;
}

bool TavolinProgram::ConfirmUnsavedEdits() {
  if (!hasUnsavedEdits()) return true;
  const Answer a = AskUser(ctx_.messages,
                           S(tr("Elements were changed and not saved. Save them in the input file?")),
                           S(tr("Exiting...")), Buttons::YesNoCancel, Answer::Cancel,
                           IsPersian(ctx_), MessageKind::Warning);
  if (a == Answer::Cancel) return false;
  return a == Answer::No || SaveInput();
}

bool TavolinProgram::eventFilter(QObject* watched, QEvent* event) {
  // Closing the frame with unsaved edits asks first; Cancel (or a failed save) keeps it open.
  if (watched == frame_ && event->type() == QEvent::Close && !ended_ && !ConfirmUnsavedEdits()) {
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void TavolinProgram::UpdatePictures() {
  if (ctx_.currentIndex >= 1 && editor_->hasMember()) list_->UpdatePictures(ctx_.currentIndex, editor_->member());
}

void TavolinProgram::NextID() {
  if (ctx_.currentIndex == ctx_.N || ctx_.N < 1) return;
  UpdatePictures();
  ShowElement(ctx_.currentIndex + 1);
}

void TavolinProgram::PreviousID() {
  if (ctx_.currentIndex <= 1) return;
  UpdatePictures();
  ShowElement(ctx_.currentIndex - 1);
}

void TavolinProgram::Home() {
  if (table_.empty()) return;
  activeView_ = ActiveView::None;
  frame_->ShowPage(frmMDI::Page::List);
  QCoreApplication::processEvents();
  UpdatePictures();
  if (ctx_.currentIndex >= 1) list_->setCurrentIndex(list_->listModel()->index(ctx_.currentIndex - 1));
  list_->setFocus();
}

void TavolinProgram::menu_Exit_Click() {
  // Unsaved edits: one question, whether to save them, stands for the exit question.
  if (hasUnsavedEdits()) {
    if (ConfirmUnsavedEdits()) EndProgram("/noframe/steel");
    return;
  }
  const Answer a = AskUser(ctx_.messages, S(tr("You are about to stop this module and return to the main menu. Are You Sure?")), S(tr("Exiting...")),
                           Buttons::YesNo, Answer::No, IsPersian(ctx_), MessageKind::Warning);
  if (a == Answer::Yes) EndProgram("/noframe/steel");
}

void TavolinProgram::EndProgram(const std::string& request) {
  if (ended_) return;
  // Started by hand there is no suite to go back to, so its absence is not worth a message.
  Messages* saved = ctx_.messages;
  if (standalone_) ctx_.messages = nullptr;
  const ReturnOutcome outcome = ReturnToSuite(ctx_, request, [this] { session_.copy.Close(); });
  ctx_.messages = saved;
  if (outcome == ReturnOutcome::KeepRunning) return;
  ended_ = true;
  activeView_ = ActiveView::Exit;
  if (help_) help_->close();
  if (output_) output_->close();
  if (results_) results_->close();
  if (frame_) {
    frame_->SetEnding(true);
    frame_->close();
  }
  if (options_.quit)
    options_.quit(0);
  else
    QCoreApplication::exit(0);
}

void TavolinProgram::TrapError(const TrappedError& error) {
  if (ctx_.messages)
    ctx_.messages->Show(TrapMessage(error), S(tr("Error")), MessageKind::Critical,
                        IsPersian(ctx_));
  EndProgram("/noframe/steel");
}

void TavolinProgram::menu_Calculation_Click() { OpenHelp({}); }

bool TavolinProgram::OpenHelp(const std::string& anchor) {
  std::string path = ctx_.installDir + "bin/help/" + ctx_.moduleKey + ".pdf";
  // The Persian edition, when it is installed, for a Persian user.
  const std::string persian = ctx_.installDir + "bin/help/" + ctx_.moduleKey + "_fa.pdf";
  if (IsPersian(ctx_) && FileExistsNonEmpty(ctx_, persian)) path = persian;
  if (!FileExistsNonEmpty(ctx_, path)) {
    if (ctx_.messages)
      ctx_.messages->Show(S(tr("Help file does not exist for this module!")), S(tr("Help")),
                          MessageKind::Information, IsPersian(ctx_));
    return false;
  }
  if (help_ && helpPath_ != path) delete help_.data();
  if (!help_) {
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setObjectName("frmHelp");
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(tr("Calculation"));
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    // Its own view: the chapter links and the contents entries lead to their pages.
    auto* view = new HelpView(window);
    layout->addWidget(view);
    window->resize(900, 800);
    view->Load(Q(SuitePath(path).string()));
    help_ = window;
    helpPath_ = path;
  }
  help_->show();
  help_->raise();
  if (auto* view = help_->findChild<HelpView*>("pdfHelp"); view && !anchor.empty()) view->JumpToAnchor(Q(anchor));
  return true;
}

int TavolinProgram::helpPage() const {
  if (!help_) return -1;
  auto* view = help_->findChild<HelpView*>("pdfHelp");
  return view ? view->currentPage() : -1;
}

void TavolinProgram::ConstantsHelp() {
  if (!inputOk_) return;
  if (activeView_ == ActiveView::Editor) {
    activeView_ = ActiveView::ConstantsOverEditor;
    constants_->SetContinueVisible(true);
  }
  // Opened again: the constants in force, in today's display units, not a value typed and
  // never confirmed; opened while it is in front, what is being typed stays.
  if (frame_->page() != frmMDI::Page::Constants) constants_->ShowInForce();
  frame_->ShowPage(frmMDI::Page::Constants);
  drawing_->ShowSketch();
  constants_->ShowHint(tr("Move your mouse over the constants on the left to see the definition for each constant."));
}

void TavolinProgram::Calculator() {
  for (const char* name : {"gnome-calculator", "kcalc", "galculator", "qalculate-gtk", "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty()) continue;
    if (ctx_.launcher && ctx_.launcher->Launch(path.toStdString(), {}, {})) return;
  }
  if (ctx_.messages)
    ctx_.messages->Show(S(tr("No calculator program was found. Install one of gnome-calculator, kcalc, galculator, qalculate-gtk or xcalc.")), S(tr("Calculator")),
                        MessageKind::Information, IsPersian(ctx_));
}

void TavolinProgram::Units() {
  std::optional<std::string> chosen;
  if (chooseUnits) {
    chosen = chooseUnits();
  } else {
    frmUnits dialog(ctx_.displayUnits, frame_);
    if (dialog.exec() == QDialog::Accepted) chosen = dialog.UnitText();
  }
  if (chosen) ApplyUnits(*chosen);
}

void TavolinProgram::ApplyUnits(const std::string& unitText) {
  if (enter_ && enter_->isVisible()) {
    enter_->ApplyDataUnits(unitText);
    return;
  }
  if (frame_->page() == frmMDI::Page::Constants && inputOk_) {
    constants_->ChangeDisplayUnits(unitText);
  } else {
    ctx_.displayUnits = UnitFactors("units=" + unitText, ctx_.messages);
    if (frame_->page() == frmMDI::Page::Editor && editor_->hasMember()) {
      editor_->RewriteReport();
      drawing_->Redraw();
    }
  }
  ShowUnitsStatus();
}

frmEnter* TavolinProgram::tableEntry() const { return enter_; }
frmOutput* TavolinProgram::outputViewer() const { return output_; }
frmResults* TavolinProgram::resultGrid() const { return results_; }

void TavolinProgram::Results() {
  if (!inputOk_ || !batchDone_) return;
  // The element table the batch pass read: elements 1..N of the input file, checked again on
  // every core and written in order.
  const int n = static_cast<int>(std::min(table_.size(), static_cast<size_t>(std::max(0, ctx_.N))));
  progress_->ShowProgress(0, tr("Writing the result tables..."), "nocancel");
  ResultsRunOutcome outcome;
  ResultsWriter writer(ctx_);
  std::vector<ResultRowValues> rows;
  ResultsOptions resultsOptions;
  resultsOptions.listingDir = ListingDir(ctx_);  // kept beside the input, as the command line does
  if (writer.Start(resultsOptions)) {
    class Rows final : public BatchFormatter {
     public:
      Rows(const ResultsWriter& writer, const ModuleContext& ctx, ResultsWriter& out, std::vector<ResultRowValues>& rows)
          : writer_(writer), ctx_(ctx), out_(out), rows_(rows) {}
      void Format(BatchChunk& chunk, int, const Element& element, const CheckedMember& member) const override {
        writer_.FormatElement(chunk.files, member, element, member.member.kind);
        // Unrounded: the grid shows significant digits, whatever the size of the unit.
        chunk.rows.push_back(ResultGridRow(member, element.id, ctx_));
      }
      bool Write(BatchChunk& chunk) override {
        out_.Append(chunk.files);
        rows_.insert(rows_.end(), chunk.rows.begin(), chunk.rows.end());
        return true;
      }

     private:
      const ResultsWriter& writer_;
      const ModuleContext& ctx_;
      ResultsWriter& out_;
      std::vector<ResultRowValues>& rows_;
    };
    rows.reserve(static_cast<size_t>(n));
    Rows formatter(writer, ctx_, writer, rows);
    const ChunkSource source = TableChunks(table_, n, 256);
    BatchRunOptions options;
    options.fyInForce = true;
    RunChecks(*engine_, source, formatter, options, n, [this](int percent) {
      progress_->ShowProgress(std::max(1, percent));
      QCoreApplication::processEvents();
      return true;
    });
    outcome.elements = n;
    outcome.ok = writer.Finish(&outcome.files);
  }
  progress_->ShowProgress(-1);
  if (!outcome.ok) return;
  // The writer only writes; whether to look at what it wrote is asked here.
  const std::string question = S(tr("Do you want to view the output file?\r\n\r\nOutput filenames:\r\n%1\r\n%2")
                                     .arg(Q(outcome.files.csv.string()), Q(outcome.files.rtf.string())));
  const Answer view = ctx_.messages ? ctx_.messages->Ask(question, PickLanguage(ctx_.moduleTitle, ctx_),
                                                         Buttons::YesNoCancel, Answer::No, IsPersian(ctx_))
                                    : Answer::No;
  if (view == Answer::Yes) {
    if (!output_) {
      output_ = new frmOutput;
      output_->setAttribute(Qt::WA_DeleteOnClose);
    }
    output_->Load(outcome.files.rtf);
    output_->show();
    output_->raise();
  }
  if (outcome.elements > 0) {
    if (!results_) {
      results_ = new frmResults(ctx_);
      results_->setAttribute(Qt::WA_DeleteOnClose);
    }
    results_->SetTable(ResultGridTable(ctx_), rows);
    results_->show();
    results_->raise();
  }
}

void TavolinProgram::PrintWithDialog() {
  if (!editor_->hasMember()) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Q(ctx_.moduleTitle + " " + std::to_string(ctx_.currentId)));
  QPrintDialog dialog(&printer, frame_);
  dialog.setWindowTitle(tr("Print"));
  if (dialog.exec() != QDialog::Accepted) return;
  PrintTo(printer);
}

bool TavolinProgram::PrintTo(QPrinter& printer) {
  if (!editor_->hasMember()) return false;
  QPainter painter;
  if (!painter.begin(&printer)) {
    ShowMessage(ctx_, S(tr("The printer could not be started.")));
    return false;
  }
  const QRect page(0, 0, printer.width(), printer.height());
  const double dpi = printer.resolution();
  const auto px = [dpi](double mm) { return static_cast<int>(mm * dpi / 25.4); };

  // Header lines, then a rule.
  QFont headerFont("DejaVu Sans");
  headerFont.setPointSizeF(8.5);
  painter.setFont(headerFont);
  painter.setPen(Qt::black);
  const int lineHeight = QFontMetrics(headerFont, &printer).height();
  int y = 0;
  for (const std::string& line : PrintHeaderLines(ctx_, DateText(), TimeText())) {
    painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter, Q(line));
    y += lineHeight;
  }
  y += px(2);
  painter.drawLine(0, y, page.width(), y);
  y += px(4);

  // The drawing on the right, the report on the left, continued on further pages as needed.
  const int gap = px(6);
  const int reportWidth = page.width() * 55 / 100;
  const QRect drawingBox(reportWidth + gap, y, page.width() - reportWidth - gap,
                         (page.width() - reportWidth - gap) * 4 / 5);
  drawing_->PaintForPrint(painter, drawingBox);
  painter.setPen(QPen(Qt::gray, 0));
  painter.drawRect(drawingBox.adjusted(0, 0, -1, -1));

  QTextDocument document;
  document.documentLayout()->setPaintDevice(&printer);
  FillReportDocument(document, editor_->report().runs(), IsPersian(ctx_), "DejaVu Sans");
  document.setPageSize(QSizeF(reportWidth, 1e9));
  const double total = document.size().height();
  double offset = 0;
  int top = y;
  while (offset < total) {
    const double room = page.height() - top;
    painter.save();
    painter.translate(0, top - offset);
    document.drawContents(&painter, QRectF(0, offset, reportWidth, room));
    painter.restore();
    offset += room;
    if (offset < total) {
      printer.newPage();
      top = 0;
    }
  }
  painter.end();
  return true;
}

}  // namespace tavo::ui
