#include "render/gui_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <memory>

namespace tavo {

namespace {

QtMessageHandler previousHandler = nullptr;

// A program that only paints into files has no session: Qt's note that it picked a runtime
// folder of its own says nothing to the user. Every other message goes on as before.
void QuietAboutRuntimeDir(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (previousHandler)
    previousHandler(type, context, message);
  else
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

QGuiApplication* EnsureGuiApplication() {
  if (QCoreApplication* existing = QCoreApplication::instance()) return qobject_cast<QGuiApplication*>(existing);
  // Rendering to files needs no window system.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static const bool filtered = [] {
    previousHandler = qInstallMessageHandler(QuietAboutRuntimeDir);
    return true;
  }();
  (void)filtered;
  static int argc = 1;
  static char name[] = "tavo";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
  return app.get();
}

}  // namespace tavo
