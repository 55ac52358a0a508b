#pragma once
// The progress of a long pass: a caption, the percentage and a cancel button. Application
// modal while open, so nothing else can be started halfway through.
#include <QDialog>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tavo::ui {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  // 0 opens (caption; option "nocancel" hides the cancel button), 1..100 shows the
  // percentage, -1 closes and restores the pointer.
  void ShowProgress(int percent, const QString& caption = {}, const std::string& option = {});

  bool cancelled() const { return cancelled_; }
  int percent() const { return percent_; }
  QPushButton* cancelButton() const { return cancel_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QLabel* caption_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QPushButton* cancel_ = nullptr;
  bool cancelled_ = false;
  bool busyCursor_ = false;
  int percent_ = 0;
};

}  // namespace tavo::ui
