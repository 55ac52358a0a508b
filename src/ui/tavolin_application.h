#pragma once
// The application object with the program's one error trap: an exception escaping an event
// handler is described to the user and the module goes back to the suite, instead of the
// process dying halfway through a window event.
#include <QApplication>
#include <exception>
#include <functional>
#include <string>

namespace tavo::ui {

struct TrappedError {
  std::string description;
  std::string source;
  long number = 0;
};

// description & " In <" & source & "> (Error Code=" & number & ")"
std::string TrapMessage(const TrappedError& error);

// What an exception says, with the numbers the suite's users know from its error boxes:
// 7 out of memory, 9 subscript out of range, 5 invalid argument, 6 overflow, 57 device I/O,
// the system error code for system errors, 1 for anything else.
TrappedError DescribeException(std::exception_ptr error, const std::string& source);

class TavolinApplication : public QApplication {
 public:
  TavolinApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Runs once per trapped error; without it the error is written to standard error.
  std::function<void(const TrappedError&)> onError;

 private:
  bool handling_ = false;
};

}  // namespace tavo::ui
