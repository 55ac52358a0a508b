#include "ui/ui_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSettings>
#include <QStyleFactory>
#include <filesystem>
#include <gtest/gtest.h>

#include "ui/frm_constant.h"
#include "ui/frm_mdi.h"

namespace tavo::test {

namespace fs = std::filesystem;

namespace {
// One QApplication for the whole test program, made before the first test runs.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    // What the desktop remembers (recent files, geometry) goes to a scratch folder, never
    // to the user's own settings.
    settings_ = std::make_unique<ScratchDir>();
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
      for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
        QSettings::setPath(format, scope, QString::fromStdString(settings_->str()));
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
    settings_.reset();
  }

 private:
  QApplication* app_ = nullptr;
  std::unique_ptr<ScratchDir> settings_;
};
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace

ScratchInstall::ScratchInstall() {
  const fs::path to = dir.path() / "install";
  fs::create_directories(to / "temp");
  fs::create_directories(to / "cte");
  // The catalogue and settings as committed, so the tests do not depend on the install step.
  for (const auto& entry : fs::directory_iterator(SourcePath("data/cte")))
    fs::copy_file(entry.path(), to / "cte" / entry.path().filename());
  fs::copy_file(SourcePath("data/install/constants.ini"), to / "cte" / "constants.ini");
  // The resource stores and icons when the build made them (the windows fall back without
  // them); the help document only where a test puts one.
  std::error_code ec;
  const fs::path bin = fs::path(TAVO_INSTALL_TREE) / "bin";
  for (const char* sub : {"dat", "jpg"})
    if (fs::is_directory(bin / sub, ec)) fs::copy(bin / sub, to / "bin" / sub, fs::copy_options::recursive, ec);
  dir.Write("install/ardekon", "#!/bin/sh\n");
}

ProgramRun::~ProgramRun() {
  program.reset();
  ui::ApplyLanguage('E');
}

std::string ScratchInstall::Example(const std::string& name) const {
  fs::copy_file(SourcePath("examples/" + name + ".Ardekon"), dir.path() / (name + ".Ardekon"),
                fs::copy_options::overwrite_existing);
  return dir.str() + name;
}

std::string ScratchInstall::Input(const std::string& name, const std::string& content) const {
  dir.Write(name + ".Ardekon", content);
  return dir.str() + name;
}

void ClearDesktopSettings() { QSettings(ui::kSettingsOrganisation, ui::kSettingsApplication).clear(); }

bool ProgramRun::Start(const std::string& inputBase, char language, char mode) {
  // Each run starts as on a fresh account: no recent files, no kept window place.
  ClearDesktopSettings();
  ui::TavolinProgram::Options o;
  o.executable = tree.install() + "tavolin";
  o.messages = &messages;
  o.launcher = &launcher;
  o.quit = [this](int code) { quitCode = code; };
  o.screenWidth = 1600;
  o.screenHeight = 1000;
  program = std::make_unique<ui::TavolinProgram>(o);
  std::string packed;
  packed += language;
  packed += mode;
  packed += '-';
  packed += tree.install() + "|" + inputBase;
  return program->Main({packed});
}

bool ProgramRun::StartFrameAndContinue() {
  if (!Start(tree.Example("frame"))) return false;
  return program->constantsWindow()->CmdGo_Click();
}

QImage Grab(QWidget* widget) { return widget->grab().toImage(); }

void ShowActive(QWidget* window) {
  window->show();
  window->activateWindow();
  for (int i = 0; i < 3 && QApplication::activeWindow() != window; ++i) QApplication::processEvents();
}

void TypeKeys(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

void PressEnter(QLineEdit* box) {
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(box, &enter);
}

}  // namespace tavo::test
