#pragma once
// The message seam shown as message boxes: in the application's direction, left-to-right
// pieces of a Persian text kept in their order, a beep with errors, the box's parent the
// frame when it exists.
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

#include "core/messages.h"

namespace tavo::ui {

class QtMessages final : public Messages {
  Q_DECLARE_TR_FUNCTIONS(QtMessages)

 public:
  explicit QtMessages(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) override;
  Answer Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
             bool rightToLeft) override;
  // A question with the icon the situation calls for (exclamation, critical).
  Answer AskWithIcon(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
                     bool rightToLeft, MessageKind icon);

 private:
  QPointer<QWidget> parent_;
};

// Asks through the context's seam; message boxes get the given icon, other seams the plain question.
Answer AskUser(Messages* messages, const std::string& text, const std::string& title, Buttons buttons,
               Answer defaultAnswer, bool rightToLeft, MessageKind icon);

}  // namespace tavo::ui
