#pragma once
// Fonts and painting need a QGuiApplication. The command-line program and the tests have
// none, so this makes one (on the offscreen platform unless told otherwise) when needed.
class QGuiApplication;

namespace tavo {

// The running QGuiApplication, or a new one that lives until the program ends. Null only
// when a non-GUI QCoreApplication already exists.
QGuiApplication* EnsureGuiApplication();

}  // namespace tavo
