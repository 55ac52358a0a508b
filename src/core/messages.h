#pragma once
// The seam through which the core talks to the person at the screen. Texts reach an
// implementation already resolved to one language.
#include <string>
#include <vector>

namespace tavo {

enum class MessageKind { Error, Warning, Information, Critical };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) = 0;
  virtual Answer Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
                     bool rightToLeft) = 0;
};

// Writes to standard error and answers every question with its default (the CLI).
class StderrMessages final : public Messages {
 public:
  void Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) override;
  Answer Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
             bool rightToLeft) override;
};

// Keeps every call, answering with a scripted answer (tests).
class RecordingMessages final : public Messages {
 public:
  struct Call {
    std::string text, title;
    MessageKind kind;
    bool rightToLeft;
    bool question;
  };
  std::vector<Call> calls;
  Answer nextAnswer = Answer::Yes;

  void Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) override {
    calls.push_back({text, title, kind, rightToLeft, false});
  }
  Answer Ask(const std::string& text, const std::string& title, Buttons, Answer, bool rightToLeft) override {
    calls.push_back({text, title, MessageKind::Information, rightToLeft, true});
    return nextAnswer;
  }
  bool Saw(const std::string& fragment) const {
    for (const auto& c : calls)
      if (c.text.find(fragment) != std::string::npos) return true;
    return false;
  }
};

// Silent sink for callers that have nobody to tell.
class NullMessages final : public Messages {
 public:
  void Show(const std::string&, const std::string&, MessageKind, bool) override {}
  Answer Ask(const std::string&, const std::string&, Buttons, Answer d, bool) override { return d; }
};

}  // namespace tavo
