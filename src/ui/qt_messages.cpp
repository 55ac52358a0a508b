#include "ui/qt_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "core/bidi.h"

namespace tavo::ui {

namespace {

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
    case MessageKind::Critical: return QMessageBox::Critical;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Information: break;
  }
  return QMessageBox::Information;
}

// The buttons in the program's language: Qt's own are English whatever the program shows.
void NameButtons(QMessageBox& box) {
  const auto name = [&](QMessageBox::StandardButton which, const QString& text) {
    if (QAbstractButton* b = box.button(which)) b->setText(text);
  };
  name(QMessageBox::Ok, QtMessages::tr("OK"));
  name(QMessageBox::Yes, QtMessages::tr("Yes"));
  name(QMessageBox::No, QtMessages::tr("No"));
  name(QMessageBox::Cancel, QtMessages::tr("Cancel"));
}

void Prepare(QMessageBox& box, const std::string& text, const std::string& title, bool rightToLeft) {
  const std::string caption = title.empty() ? std::string("Tavolin") : title;
  // Paths, unit pairs and designations keep their own order inside a Persian sentence.
  box.setWindowTitle(QString::fromStdString(rightToLeft ? IsolateLtrRuns(caption) : caption));
  // The suite writes line breaks as a lone carriage return.
  QString body = QString::fromStdString(rightToLeft ? IsolateLtrRuns(text) : text);
  body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box.setText(body);
  box.setTextFormat(Qt::PlainText);
  NameButtons(box);
}

}  // namespace

void QtMessages::Show(const std::string& text, const std::string& title, MessageKind kind, bool rightToLeft) {
  QMessageBox box(IconOf(kind), QString(), QString(), QMessageBox::Ok, parent_);
  Prepare(box, text, title, rightToLeft);
  if (kind == MessageKind::Error || kind == MessageKind::Critical) QApplication::beep();
  box.exec();
}

Answer QtMessages::Ask(const std::string& text, const std::string& title, Buttons buttons, Answer defaultAnswer,
                       bool rightToLeft) {
  return AskWithIcon(text, title, buttons, defaultAnswer, rightToLeft, MessageKind::Information);
}

Answer QtMessages::AskWithIcon(const std::string& text, const std::string& title, Buttons buttons,
                               Answer defaultAnswer, bool rightToLeft, MessageKind icon) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  if (buttons == Buttons::YesNo) shown = QMessageBox::Yes | QMessageBox::No;
  if (buttons == Buttons::YesNoCancel) shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(icon == MessageKind::Information ? QMessageBox::Question : IconOf(icon), QString(), QString(),
                  shown, parent_);
  Prepare(box, text, title, rightToLeft);
  switch (defaultAnswer) {
    case Answer::Yes: box.setDefaultButton(QMessageBox::Yes); break;
    case Answer::No: box.setDefaultButton(QMessageBox::No); break;
    case Answer::Cancel: box.setDefaultButton(QMessageBox::Cancel); break;
    case Answer::Ok: break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::Ok ? Answer::Ok : defaultAnswer;
  }
}

Answer AskUser(Messages* messages, const std::string& text, const std::string& title, Buttons buttons,
               Answer defaultAnswer, bool rightToLeft, MessageKind icon) {
  if (!messages) return defaultAnswer;
  if (auto* qt = dynamic_cast<QtMessages*>(messages))
    return qt->AskWithIcon(text, title, buttons, defaultAnswer, rightToLeft, icon);
  return messages->Ask(text, title, buttons, defaultAnswer, rightToLeft);
}

}  // namespace tavo::ui
