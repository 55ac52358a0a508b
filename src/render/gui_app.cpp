#include "render/gui_app.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace tavo {

QGuiApplication* EnsureGuiApplication() {
  if (QCoreApplication* existing = QCoreApplication::instance()) return qobject_cast<QGuiApplication*>(existing);
  // Rendering to files needs no window system.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tavo";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
  return app.get();
}

}  // namespace tavo
