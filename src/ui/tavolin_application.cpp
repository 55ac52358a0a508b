#include "ui/tavolin_application.h"

#include <iostream>
#include <new>
#include <stdexcept>
#include <system_error>

namespace tavo::ui {

std::string TrapMessage(const TrappedError& e) {
  return e.description + " In <" + e.source + "> (Error Code=" + std::to_string(e.number) + ")";
}

TrappedError DescribeException(std::exception_ptr error, const std::string& source) {
  TrappedError out;
  out.source = source.empty() ? std::string("Tavolin") : source;
  try {
    if (error) std::rethrow_exception(error);
    out.description = "Unknown error";
    out.number = 1;
  } catch (const std::bad_alloc&) {
    out.description = "Out of memory";
    out.number = 7;
  } catch (const std::ios_base::failure& e) {
    out.description = e.what();
    out.number = 57;
  } catch (const std::system_error& e) {
    out.description = e.what();
    out.number = e.code().value();
  } catch (const std::out_of_range& e) {
    out.description = std::string("Subscript out of range: ") + e.what();
    out.number = 9;
  } catch (const std::overflow_error& e) {
    out.description = std::string("Overflow: ") + e.what();
    out.number = 6;
  } catch (const std::range_error& e) {
    out.description = std::string("Overflow: ") + e.what();
    out.number = 6;
  } catch (const std::invalid_argument& e) {
    out.description = std::string("Invalid procedure call or argument: ") + e.what();
    out.number = 5;
  } catch (const std::domain_error& e) {
    out.description = std::string("Invalid procedure call or argument: ") + e.what();
    out.number = 5;
  } catch (const std::exception& e) {
    out.description = e.what();
    out.number = 1;
  } catch (...) {
    out.description = "Unknown error";
    out.number = 1;
  }
  return out;
}

TavolinApplication::TavolinApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavolinApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    std::string source = "Tavolin";
    if (receiver) {
      source = receiver->metaObject()->className();
      if (!receiver->objectName().isEmpty()) source += "." + receiver->objectName().toStdString();
    }
    const TrappedError error = DescribeException(std::current_exception(), source);
    // An error while the trap itself runs is only reported on the terminal.
    if (onError && !handling_) {
      handling_ = true;
      onError(error);
      handling_ = false;
    } else {
      std::cerr << TrapMessage(error) << '\n';
    }
  }
  return false;
}

}  // namespace tavo::ui
