#include "ui/qt_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "ui/ui_test_support.h"

namespace tavo::ui {
namespace {

// Answers the message box that the next exec() opens, remembering what it showed.
struct BoxAnswer {
  QString text, title;
  Qt::LayoutDirection direction = Qt::LeftToRight;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QString noButton;
  explicit BoxAnswer(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      text = box->text();
      title = box->windowTitle();
      direction = box->layoutDirection();
      icon = box->icon();
      if (box->button(QMessageBox::No)) noButton = box->button(QMessageBox::No)->text();
      box->done(button);
    });
  }
};

TEST(QtMessages, QuestionsAreAnsweredByTheBoxAndPersianReadsRightToLeft) {
  QtMessages messages;
  BoxAnswer yes(QMessageBox::Yes);
  EXPECT_EQ(messages.Ask("Sure?", "Exiting...", Buttons::YesNo, Answer::No, false), Answer::Yes);
  EXPECT_EQ(yes.text, "Sure?");
  EXPECT_EQ(yes.title, "Exiting...");
  EXPECT_EQ(yes.direction, Qt::LeftToRight);
  EXPECT_EQ(yes.noButton, "No");

  // Persian is the application's language: the box follows it, buttons and direction.
  ASSERT_TRUE(ApplyLanguage('F'));
  BoxAnswer no(QMessageBox::No);
  EXPECT_EQ(messages.AskWithIcon("آیا مطمئن هستید؟", "در حال خروج", Buttons::YesNo, Answer::Yes, true,
                                 MessageKind::Warning),
            Answer::No);
  EXPECT_EQ(no.direction, Qt::RightToLeft);
  EXPECT_EQ(no.icon, QMessageBox::Warning);
  EXPECT_EQ(no.noButton, QString::fromUtf8("خیر"));
  ApplyLanguage('E');

  // The suite's carriage returns become line breaks.
  BoxAnswer ok(QMessageBox::Ok);
  messages.Show("File does not exist:\r/x/y", "Error", MessageKind::Error, false);
  EXPECT_EQ(ok.text, "File does not exist:\n/x/y");
  EXPECT_EQ(ok.icon, QMessageBox::Critical);
}

TEST(QtMessages, AskUserFallsBackToThePlainQuestionOfOtherSeams) {
  RecordingMessages recording;
  recording.nextAnswer = Answer::No;
  EXPECT_EQ(AskUser(&recording, "q", "t", Buttons::YesNo, Answer::Yes, false, MessageKind::Critical), Answer::No);
  EXPECT_TRUE(recording.Saw("q"));
  EXPECT_EQ(AskUser(nullptr, "q", "t", Buttons::YesNo, Answer::Yes, false, MessageKind::Critical), Answer::Yes);
}

}  // namespace
}  // namespace tavo::ui
