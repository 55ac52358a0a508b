#pragma once
// What the window tests share: one QApplication for the test program, and an install tree of
// their own (catalogue, settings, resource stores, a stand-in for the suite's program) so
// tests never share a temp folder.
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <string>

#include "core/messages.h"
#include "core/process_launcher.h"
#include "support/test_support.h"
#include "ui/tavolin_program.h"
#include "ui/translation.h"

namespace tavo::test {

// A scratch install tree: cte/ and bin/ copied from the build's install tree, an empty temp/,
// an "ardekon" file so the way back to the suite has something to start, and the examples.
struct ScratchInstall {
  ScratchDir dir;
  ScratchInstall();
  std::string install() const { return dir.str() + "install/"; }
  // Copies examples/<name>.Ardekon into the scratch folder; returns the input base.
  std::string Example(const std::string& name) const;
  // Writes an input file; returns the input base.
  std::string Input(const std::string& name, const std::string& content) const;
};

// A program started on an input base with the suite's packed argument, recording its
// messages and launches; ended() says whether it went back to the suite.
struct ProgramRun {
  ScratchInstall tree;
  RecordingMessages messages;
  RecordingLauncher launcher;
  int quitCode = -1;
  std::unique_ptr<ui::TavolinProgram> program;

  // A Persian run turns the whole application Persian and right to left; the next test
  // starts afresh in English.
  ~ProgramRun();

  // language 'E' or 'F'; mode 'I'.
  bool Start(const std::string& inputBase, char language = 'E', char mode = 'I');
  // Start on examples/frame.Ardekon and press Continue.
  bool StartFrameAndContinue();
};

// Forgets what the desktop remembered (the test program keeps it in a scratch folder).
void ClearDesktopSettings();

// The widget as an image (offscreen platform).
QImage Grab(QWidget* widget);

// Shows a window and makes it the active one, so its widgets take the keyboard focus.
void ShowActive(QWidget* window);

// Types into a box key by key, as a user does (the box is marked modified), replacing what
// it held; PressEnter then sends Return.
void TypeKeys(QLineEdit* box, const QString& text);
void PressEnter(QLineEdit* box);

}  // namespace tavo::test
