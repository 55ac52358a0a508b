#include "ui/progress_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>


namespace tavo::ui {

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmProgress");
  setWindowModality(Qt::ApplicationModal);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  auto* layout = new QVBoxLayout(this);
  caption_ = new QLabel(this);
  caption_->setObjectName("lblCaption");
  bar_ = new QProgressBar(this);
  bar_->setObjectName("ProgressBar1");
  bar_->setRange(0, 100);
  bar_->setFormat("%p%");
  bar_->setMinimumWidth(360);
  cancel_ = new QPushButton(tr("Cancel"), this);
  cancel_->setObjectName("cmdCancel");
  connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
  layout->addWidget(caption_);
  layout->addWidget(bar_);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
}

void ProgressWindow::ShowProgress(int percent, const QString& caption, const std::string& option) {
  if (percent == 0) {
    cancelled_ = false;
    percent_ = 0;
    const QString text = caption.isEmpty() ? tr("Designing the elements...") : caption;
    caption_->setText(text);
    setWindowTitle(text);
    cancel_->setVisible(option != "nocancel");
    bar_->setValue(0);
    if (!busyCursor_) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      busyCursor_ = true;
    }
    show();
    return;
  }
  if (percent < 0) {
    hide();
    if (busyCursor_) {
      QApplication::restoreOverrideCursor();
      busyCursor_ = false;
    }
    return;
  }
  percent_ = std::min(percent, 100);
  bar_->setValue(percent_);
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Closing the window while the pass runs means cancel, not a hidden pass.
  cancelled_ = true;
  event->ignore();
}

void ProgressWindow::reject() { cancelled_ = true; }

}  // namespace tavo::ui
