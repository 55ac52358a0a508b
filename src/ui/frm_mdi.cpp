#include "ui/frm_mdi.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "core/bidi.h"
#include "ui/ui_common.h"

namespace tavo::ui {

namespace {
// Toolbar buttons that wait for a computed element; Enable_Icons and Disable_Icons switch them.
constexpr const char* kElementButtons[] = {"tbToolBar_Back", "tbToolBar_Forward", "tbToolBar_Home",
                                          "tbToolBar_Print", "tbToolBar_Results", "tbToolBar_Autocad"};
// The two shown only once the elements are computed.
constexpr const char* kHiddenWhenDisabled[] = {"tbToolBar_Results", "tbToolBar_Autocad"};

bool IsInputFileName(const QString& path) { return path.endsWith(QStringLiteral(".ardekon"), Qt::CaseInsensitive); }

// A text for a right-to-left line: its left-to-right pieces keep their own order.
QString ForLine(const ModuleContext& ctx, const QString& text) {
  return IsPersian(ctx) ? Q(IsolateLtrRuns(S(text))) : text;
}
}  // namespace

QString DroppedInputFile(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile() && IsInputFileName(url.toLocalFile())) return url.toLocalFile();
  return {};
}

frmMDI::frmMDI(const ModuleContext& ctx, QWidget* parent) : QMainWindow(parent), ctx_(ctx) {
  setObjectName("frmMDI");
  BuildMenus();
  BuildToolBar();

  auto* bar = new QStatusBar(this);
  bar->setObjectName("StatusBar1");
  setStatusBar(bar);
  // The first panel takes 0.6 of the width, the others share the rest.
  const int stretches[3] = {6, 2, 2};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(bar);
    panels_[i]->setObjectName(QString("StatusBar1_Panel%1").arg(i + 1));
    panels_[i]->setMinimumWidth(40);
    bar->addWidget(panels_[i], stretches[i]);
  }

  split_ = new QSplitter(Qt::Horizontal, this);
  split_->setObjectName("splitFrame");
  split_->setChildrenCollapsible(false);
  stack_ = new QStackedWidget(split_);
  stack_->setObjectName("stackChildren");
  split_->addWidget(stack_);
  setCentralWidget(split_);
  setMinimumSize(900, 600);
  setAcceptDrops(true);
}

QAction* frmMDI::AddAction(QMenu* menu, const char* name, const char* caption) {
  auto* a = new QAction(tr(caption), this);
  a->setObjectName(name);
  if (menu) menu->addAction(a);
  actions_[name] = a;
  return a;
}

void frmMDI::BuildMenus() {
  QMenuBar* bar = menuBar();
  const auto menu = [&](const char* name, const char* caption) {
    QMenu* m = bar->addMenu(tr(caption));
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    actions_[name] = m->menuAction();
    return m;
  };
  QMenu* file = menu("menu_File", QT_TR_NOOP("File"));
  AddAction(file, "menu_New", QT_TR_NOOP("New"));
  AddAction(file, "menu_Open", QT_TR_NOOP("Open"))->setShortcut(QKeySequence::Open);
  AddAction(file, "menu_OpenForces", QT_TR_NOOP("Open forces..."));
  recent_ = file->addMenu(tr("Recent files"));
  recent_->setObjectName("menu_Recent");
  recent_->menuAction()->setObjectName("menu_Recent");
  actions_["menu_Recent"] = recent_->menuAction();
  FillRecentMenu();
  QAction* save = AddAction(file, "menu_SaveInput", QT_TR_NOOP("Save input"));
  save->setShortcut(QKeySequence::Save);
  save->setEnabled(false);  // until the program offers saving
  file->addSeparator();
  AddAction(file, "menu_NextID", QT_TR_NOOP("Next ID"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  AddAction(file, "menu_PreviousID", QT_TR_NOOP("Previous ID"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  file->addSeparator();
  AddAction(file, "menu_Print", QT_TR_NOOP("Print"))->setShortcut(QKeySequence::Print);
  AddAction(file, "menu_ExportDrawing", QT_TR_NOOP("Export drawing..."));
  file->addSeparator();
  AddAction(file, "menu_Exit", QT_TR_NOOP("Exit"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* edit = menu("menu_Edit", QT_TR_NOOP("Edit"));
  AddAction(edit, "menu_Cut", QT_TR_NOOP("Cut"));
  AddAction(edit, "menu_Copy", QT_TR_NOOP("Copy"));
  AddAction(edit, "menu_Paste", QT_TR_NOOP("Paste"));
  AddAction(edit, "menu_Delete", QT_TR_NOOP("Delete"));

  QMenu* view = menu("menu_View", QT_TR_NOOP("View"));
  QAction* grid = AddAction(view, "menu_ShowGrid", QT_TR_NOOP("Show Grid"));
  grid->setCheckable(true);

  QMenu* tools = menu("menu_Tools", QT_TR_NOOP("Tools"));
  AddAction(tools, "menu_Calculator", QT_TR_NOOP("Calculator"));
  AddAction(tools, "menu_Constants", QT_TR_NOOP("Constants"));
  AddAction(tools, "menu_DXF", QT_TR_NOOP("Make DXF (Autocad)"));
  AddAction(tools, "menu_Options", QT_TR_NOOP("Options"));

  QMenu* font = menu("menu_Font", QT_TR_NOOP("Font"));
  AddAction(font, "menu_Font_Farsi_Unicode", QT_TR_NOOP("Farsi (Unicode)"));
  AddAction(font, "menu_Font_Farsi_Font", QT_TR_NOOP("Farsi (Font)"));
  AddAction(font, "menu_Font_English", QT_TR_NOOP("English"));

  menu("menu_Color", QT_TR_NOOP("Color"));

  QMenu* help = menu("menu_Help", QT_TR_NOOP("Help"));
  AddAction(help, "menu_Help1", QT_TR_NOOP("Help"))->setShortcut(QKeySequence::HelpContents);
  AddAction(help, "menu_Calculation", QT_TR_NOOP("Calculation"));
  help->addSeparator();
  AddAction(help, "menu_About", QT_TR_NOOP("About"));

  connect(action("menu_Open"), &QAction::triggered, this, &frmMDI::menu_Open_Click);
  connect(save, &QAction::triggered, this, &frmMDI::saveInput);
  connect(action("menu_OpenForces"), &QAction::triggered, this, &frmMDI::menu_OpenForces_Click);
  connect(action("menu_NextID"), &QAction::triggered, this, &frmMDI::nextId);
  connect(action("menu_PreviousID"), &QAction::triggered, this, &frmMDI::previousId);
  connect(action("menu_Print"), &QAction::triggered, this, &frmMDI::print);
  connect(action("menu_Exit"), &QAction::triggered, this, &frmMDI::exitRequested);
  connect(grid, &QAction::toggled, this, &frmMDI::showGridToggled);
  connect(action("menu_Calculator"), &QAction::triggered, this, &frmMDI::calculator);
  connect(action("menu_Help1"), &QAction::triggered, this, &frmMDI::information);
  connect(action("menu_Calculation"), &QAction::triggered, this, &frmMDI::calculation);
}

void frmMDI::BuildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("tbToolBar"));
  toolBar_->setObjectName("tbToolBar");
  toolBar_->setMovable(false);
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  toolBar_->setIconSize(QSize(22, 22));
  struct Button {
    const char* name;
    const char* caption;
    const char* tip;
    const char* theme;
    QStyle::StandardPixmap fallback;
  };
  const Button buttons[] = {
      {"tbToolBar_Back", QT_TR_NOOP("Back"), nullptr, "go-previous", QStyle::SP_ArrowBack},
      {"tbToolBar_Forward", QT_TR_NOOP("Forward"), nullptr, "go-next", QStyle::SP_ArrowForward},
      {"tbToolBar_Home", QT_TR_NOOP("Home"), nullptr, "go-home", QStyle::SP_DirHomeIcon},
      {"tbToolBar_Information", QT_TR_NOOP("Information"), nullptr, "dialog-information", QStyle::SP_MessageBoxInformation},
      {"tbToolBar_Print", QT_TR_NOOP("Print"), nullptr, "document-print", QStyle::SP_FileDialogDetailedView},
      {"tbToolBar_Calculator", QT_TR_NOOP("Calculator"), nullptr, "accessories-calculator", QStyle::SP_ComputerIcon},
      {"tbToolBar_Help", QT_TR_NOOP("Help"), nullptr, "help-contents", QStyle::SP_DialogHelpButton},
      {"tbToolBar_Stop", QT_TR_NOOP("Stop"), QT_TR_NOOP("Stop and return to main menu"), "process-stop", QStyle::SP_BrowserStop},
      {"tbToolBar_Results", QT_TR_NOOP("Results"), QT_TR_NOOP("Show Result Tables"), "x-office-spreadsheet",
       QStyle::SP_FileDialogListView},
      {"tbToolBar_Units", QT_TR_NOOP("Units"), QT_TR_NOOP("Change Units"), "preferences-system", QStyle::SP_FileDialogInfoView},
      {"tbToolBar_Autocad", QT_TR_NOOP("Autocad"), QT_TR_NOOP("Generates DXF File for AutoCAD"), "document-save-as", QStyle::SP_DriveFDIcon},
  };
  for (const Button& b : buttons) {
    QAction* a = AddAction(nullptr, b.name, b.caption);
    a->setIcon(QIcon::fromTheme(b.theme, style()->standardIcon(b.fallback)));
    a->setToolTip(tr(b.tip ? b.tip : b.caption));
    toolBar_->addAction(a);
    if (std::string(b.name) == "tbToolBar_Home" || std::string(b.name) == "tbToolBar_Help" ||
        std::string(b.name) == "tbToolBar_Stop")
      toolBar_->addSeparator();
  }
  connect(action("tbToolBar_Back"), &QAction::triggered, this, &frmMDI::previousId);
  connect(action("tbToolBar_Forward"), &QAction::triggered, this, &frmMDI::nextId);
  connect(action("tbToolBar_Home"), &QAction::triggered, this, &frmMDI::home);
  connect(action("tbToolBar_Information"), &QAction::triggered, this, &frmMDI::information);
  connect(action("tbToolBar_Print"), &QAction::triggered, this, &frmMDI::print);
  connect(action("tbToolBar_Calculator"), &QAction::triggered, this, &frmMDI::calculator);
  connect(action("tbToolBar_Help"), &QAction::triggered, this, &frmMDI::calculation);
  connect(action("tbToolBar_Stop"), &QAction::triggered, this, &frmMDI::exitRequested);
  connect(action("tbToolBar_Results"), &QAction::triggered, this, &frmMDI::results);
  connect(action("tbToolBar_Units"), &QAction::triggered, this, &frmMDI::units);
  connect(action("tbToolBar_Autocad"), &QAction::triggered, this, &frmMDI::exportDrawing);
  connect(action("menu_ExportDrawing"), &QAction::triggered, this, &frmMDI::exportDrawing);
}

QAction* frmMDI::action(const std::string& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

void frmMDI::SetWindows(QWidget* constants, QWidget* editor, QWidget* list, QWidget* drawing) {
  constants_ = constants;
  editor_ = editor;
  list_ = list;
  drawing_ = drawing;
  for (QWidget* w : {constants, editor, list})
    if (w) stack_->addWidget(w);
  if (drawing) split_->addWidget(drawing);
  split_->setStretchFactor(0, 3);
  split_->setStretchFactor(1, 2);
}

void frmMDI::ShowPage(Page page) {
  page_ = page;
  QWidget* shown = page == Page::Constants ? constants_ : page == Page::Editor ? editor_ : list_;
  if (shown) stack_->setCurrentWidget(shown);
  if (drawing_) drawing_->setVisible(page != Page::List);
  const int total = std::max(split_->width(), 900);
  if (page == Page::Editor)
    split_->setSizes({total * 57 / 100, total * 43 / 100});
  else if (page == Page::Constants)
    split_->setSizes({total * 45 / 100, total * 55 / 100});
}

void frmMDI::Enable_Icons() {
  for (const char* name : kElementButtons)
    if (QAction* a = action(name)) a->setEnabled(true);
  for (const char* name : kHiddenWhenDisabled)
    if (QAction* a = action(name)) a->setVisible(true);
  action("menu_NextID")->setEnabled(true);
  action("menu_PreviousID")->setEnabled(true);
  action("menu_Print")->setEnabled(true);
}

void frmMDI::Disable_Icons() {
  for (const char* name : kElementButtons)
    if (QAction* a = action(name)) a->setEnabled(false);
  for (const char* name : kHiddenWhenDisabled)
    if (QAction* a = action(name)) a->setVisible(false);
  action("menu_NextID")->setEnabled(false);
  action("menu_PreviousID")->setEnabled(false);
  action("menu_Print")->setEnabled(false);
}

void frmMDI::DisableAllCommands() {
  Disable_Icons();
  // Leaving stays possible: the Stop button, Exit and closing the frame.
  for (auto& [name, a] : actions_) {
    const bool keep = name == "tbToolBar_Stop" || name == "menu_Exit" || name == "menu_File" || name == "menu_Help" ||
                      name == "menu_Calculation" || name == "tbToolBar_Help";
    if (!keep) a->setEnabled(false);
  }
}

void frmMDI::tbToolBarUpdate(int index, int n) {
  const bool shown = index >= 1 && index <= n;
  action("tbToolBar_Back")->setEnabled(shown && index > 1);
  action("tbToolBar_Forward")->setEnabled(index < n);
  action("menu_PreviousID")->setEnabled(shown && index > 1);
  action("menu_NextID")->setEnabled(index < n);
  action("tbToolBar_Print")->setEnabled(shown);
  action("menu_Print")->setEnabled(shown);
  action("tbToolBar_Home")->setEnabled(n > 1);
}

void frmMDI::SetCaption(const QString& caption) { setWindowTitle(ForLine(ctx_, caption)); }

void frmMDI::ShowStatus(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[panel]->setText(ForLine(ctx_, text));
}

QString frmMDI::statusText(int panel) const { return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString(); }

void frmMDI::closeEvent(QCloseEvent* event) {
  SaveGeometry();
  // Closing the frame goes back to the suite without asking.
  if (!ending_) emit frameClosing();
  event->accept();
}

void frmMDI::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedInputFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmMDI::dropEvent(QDropEvent* event) {
  const QString path = DroppedInputFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  emit openFile(path);
}

void frmMDI::connectNotify(const QMetaMethod& signal) {
  if (signal == QMetaMethod::fromSignal(&frmMDI::saveInput))
    if (QAction* save = action("menu_SaveInput")) save->setEnabled(true);
  QMainWindow::connectNotify(signal);
}

void frmMDI::menu_Open_Click() {
  QString path;
  if (chooseFile) {
    path = chooseFile();
  } else {
    path = QFileDialog::getOpenFileName(this, tr("Open input file"), LastFolder(), tr("Input files (*.Ardekon *.ardekon)"));
  }
  if (!path.isEmpty()) emit openFile(path);
}

void frmMDI::menu_OpenForces_Click() {
  const QString path = chooseForcesFile ? chooseForcesFile()
                                        : QFileDialog::getOpenFileName(this, tr("Open forces file"), LastFolder(),
                                                                       tr("Forces files (*.csv)"));
  if (!path.isEmpty()) emit openForces(path);
}

QStringList frmMDI::RecentFiles() const {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  QStringList files = settings.value("recentFiles").toStringList();
  files.removeAll(QString());
  if (files.size() > kRecentFiles) files = files.mid(0, kRecentFiles);
  return files;
}

void frmMDI::AddRecentFile(const QString& path) {
  if (path.isEmpty()) return;
  const QString full = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(full);
  files.prepend(full);
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.setValue("recentFiles", files.mid(0, kRecentFiles));
  settings.setValue("lastFolder", QFileInfo(full).absolutePath());
  FillRecentMenu();
}

void frmMDI::RemoveRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  if (files.removeAll(QFileInfo(path).absoluteFilePath()) == 0 && files.removeAll(path) == 0) return;
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.setValue("recentFiles", files);
  FillRecentMenu();
}

QString frmMDI::LastFolder() const {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  const QString folder = settings.value("lastFolder").toString();
  // A folder that went away since: start where the user's files usually are.
  return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

void frmMDI::FillRecentMenu() {
  if (!recent_) return;
  for (auto it = actions_.begin(); it != actions_.end();)
    it = it->first.rfind("menu_Recent_", 0) == 0 ? actions_.erase(it) : std::next(it);
  recent_->clear();
  const QStringList files = RecentFiles();
  int n = 0;
  for (const QString& file : files) {
    ++n;
    // "&1 frame.Ardekon" with the folder in the tooltip; the number is the keyboard accelerator.
    QAction* a = recent_->addAction(QString("&%1 %2").arg(n).arg(ForLine(ctx_, QFileInfo(file).fileName())));
    a->setObjectName(QString("menu_Recent_%1").arg(n));
    a->setToolTip(ForLine(ctx_, file));
    a->setStatusTip(ForLine(ctx_, file));
    a->setData(file);
    actions_[S(a->objectName())] = a;
    connect(a, &QAction::triggered, this, [this, file] { emit openFile(file); });
  }
  if (files.isEmpty()) recent_->addAction(tr("(none)"))->setEnabled(false);
}

bool frmMDI::RestoreGeometry() {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  const QByteArray geometry = settings.value("frameGeometry").toByteArray();
  return !geometry.isEmpty() && restoreGeometry(geometry);
}

void frmMDI::SaveGeometry() const {
  QSettings settings(kSettingsOrganisation, kSettingsApplication);
  settings.setValue("frameGeometry", saveGeometry());
}

}  // namespace tavo::ui
