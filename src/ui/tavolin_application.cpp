#include "ui/tavolin_application.h"

#include <iostream>
#include <new>
#include <stdexcept>
#include <system_error>

namespace tavo::ui {

std::string TrapMessage(const TrappedError& e) {
  return e.description + " In <" + e.source + "> (Error Code=" + std::to_string(e.number) + ")";
}

namespace {
// The descriptions are shown in the error box, so they speak the program's language.
std::string Described(const char* text, const char* what = nullptr) {
  const QString shown = QCoreApplication::translate("TavolinApplication", text);
  return (what ? shown.arg(QString::fromLocal8Bit(what)) : shown).toStdString();
}
}  // namespace

TrappedError DescribeException(std::exception_ptr error, const std::string& source) {
  TrappedError out;
  out.source = source.empty() ? std::string("Tavolin") : source;
  try {
    if (error) std::rethrow_exception(error);
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Unknown error"));
    out.number = 1;
  } catch (const std::bad_alloc&) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Out of memory"));
    out.number = 7;
  } catch (const std::ios_base::failure& e) {
    out.description = e.what();
    out.number = 57;
  } catch (const std::system_error& e) {
    out.description = e.what();
    out.number = e.code().value();
  } catch (const std::out_of_range& e) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Subscript out of range: %1"), e.what());
    out.number = 9;
  } catch (const std::overflow_error& e) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Overflow: %1"), e.what());
    out.number = 6;
  } catch (const std::range_error& e) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Overflow: %1"), e.what());
    out.number = 6;
  } catch (const std::invalid_argument& e) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Invalid procedure call or argument: %1"), e.what());
    out.number = 5;
  } catch (const std::domain_error& e) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Invalid procedure call or argument: %1"), e.what());
    out.number = 5;
  } catch (const std::exception& e) {
    out.description = e.what();
    out.number = 1;
  } catch (...) {
    out.description = Described(QT_TRANSLATE_NOOP("TavolinApplication", "Unknown error"));
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
