// tavolin: the desktop program of the module (the suite starts it with one packed argument).
#include <QStyleFactory>
#include <iostream>
#include <string>
#include <vector>

#include "ui/desktop_args.h"
#include "ui/tavolin_application.h"
#include "ui/tavolin_program.h"

int main(int argc, char** argv) {
  // The usage needs no window (and no display).
  if (tavo::ui::ParseDesktopArguments(std::vector<std::string>(argv + 1, argv + argc)).help) {
    std::cout << tavo::ui::DesktopUsage();
    return 0;
  }
  tavo::ui::TavolinApplication app(argc, argv);
  // What is left once Qt has taken its own options (-platform, -style, ...).
  const std::vector<std::string> args(argv + 1, argv + argc);
  QApplication::setApplicationName("Tavolin");
  QApplication::setOrganizationName("Tavolin");  // where recent files and the window's place are kept
  if (QStyleFactory::keys().contains("Fusion")) QApplication::setStyle(QStyleFactory::create("Fusion"));

  tavo::ui::TavolinProgram::Options options;
  options.executable = argc > 0 ? argv[0] : "tavolin";
  tavo::ui::TavolinProgram program(options);
  app.onError = [&program](const tavo::ui::TrappedError& error) { program.TrapError(error); };

  try {
    if (!program.Main(args)) return program.ended() ? 0 : 1;
  } catch (...) {
    program.TrapError(tavo::ui::DescribeException(std::current_exception(), "Main"));
    return 1;
  }
  if (program.ended()) return 0;
  return QApplication::exec();
}
