#include "core/messages.h"

#include <iostream>

namespace tavo {

void StderrMessages::Show(const std::string& text, const std::string& title, MessageKind, bool) {
  if (title.empty())
    std::cerr << text << '\n';
  else
    std::cerr << title << ": " << text << '\n';
}

Answer StderrMessages::Ask(const std::string& text, const std::string& title, Buttons, Answer defaultAnswer, bool) {
  Show(text, title, MessageKind::Information, false);
  return defaultAnswer;
}

}  // namespace tavo
