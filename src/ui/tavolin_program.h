#pragma once
// The desktop program's run: start-up from the command line, the constants window, the
// batch pass with its progress and element list, stepping between elements, the editor, the
// frame's commands, and the way back to the suite. Owns the run state and every window.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checks/check_results.h"
#include "core/messages.h"
#include "core/module_context.h"
#include "core/process_launcher.h"
#include "engine/batch_run.h"
#include "input/batch_pass.h"
#include "input/design_constants.h"
#include "input/element_table.h"
#include "input/input_session.h"

class QAction;
class QPrinter;

namespace tavo {
class SectionEngine;
}

namespace tavo::ui {

class ElementList;
class frmConstant;
class frmDraw;
class frmMDI;
class frmEnter;
class frmMain;
class frmOutput;
class frmResults;
class ProgressWindow;
class QtMessages;
struct TrappedError;

// The window the user works in: where Continue in the constants window leads, and whether
// the constants command reopens it over the editor.
enum class ActiveView { None, Constants, ConstantsOverEditor, Editor, TableEntry, Exit };

class TavolinProgram : public QObject {
  Q_OBJECT
 public:
  struct Options {
    std::string executable;             // argv[0], to find the install tree
    Messages* messages = nullptr;       // null: message boxes
    ProcessLauncher* launcher = nullptr;  // null: real processes
    std::function<void(int)> quit;      // ends the event loop; null: QCoreApplication::exit
    // The screen size for the display metrics; empty: the primary screen's.
    int screenWidth = 0, screenHeight = 0;
  };
  explicit TavolinProgram(Options options);
  ~TavolinProgram() override;

  // Main: the start-up sequence. False when the program must end at once (usage error,
  // empty command line, unreadable input in help-less modes is not one of them).
  bool Main(const std::vector<std::string>& args);

  // Runs another input file in this window as the command line would (input mode): its
  // constants, then its elements. False, with a message, for a missing or foreign file.
  bool OpenFile(const std::string& path);

  void ContinueAfterConstants();
  void ShowElement(int index);
  void NextID();
  void PreviousID();
  void Home();
  void menu_Exit_Click();
  void menu_Calculation_Click();
  // The calculation help opened at the page of an anchor of its list ("checks"); empty: page 1.
  // False when the document is missing (the user was told).
  bool OpenHelp(const std::string& anchor);
  // The page (0-based) the help window shows; -1 when it is not open.
  int helpPage() const;
  void ConstantsHelp();
  void Calculator();
  void Units();
  // The Results command: every element computed again into the result files and the grid.
  void Results();
  // Reads a forces file into the engine (its problems told as the input's are) and checks the
  // elements against it when they are computed already. False when the file is missing.
  bool OpenForces(const std::string& path);
  // Elements of the list that have forces in the file read.
  int elementsWithForces() const;
  // Save input: the element lines changed in the editor written back into the input file, the
  // previous file kept as "<name>.Ardekon.bak". False (the user told, the file untouched) on failure.
  bool SaveInput();
  // Elements changed in the editor and not yet saved.
  bool hasUnsavedEdits() const;
  QAction* saveInputAction() const { return saveInput_; }
  void PrintWithDialog();
  // The printout of the current element: header, report and drawing.
  bool PrintTo(QPrinter& printer);
  // The error trap of Main: tells the user and goes back to the suite.
  void TrapError(const TrappedError& error);

  // Chooses units for the Units button (tests replace it); nullopt: cancelled.
  std::function<std::optional<std::string>()> chooseUnits;

  ModuleContext& context() { return ctx_; }
  // The design constants the constants window shows, and the engine the elements are checked by.
  DesignConstants& constants() { return session_.constants; }
  SectionEngine& engine() { return *engine_; }
  ActiveView activeView() const { return activeView_; }
  frmMDI* frame() const { return frame_; }
  frmConstant* constantsWindow() const { return constants_; }
  frmMain* editor() const { return editor_; }
  frmDraw* drawing() const { return drawing_; }
  ElementList* elementList() const { return list_; }
  ProgressWindow* progress() const { return progress_; }
  // The batch pass: how it ended, and the elements it read with their verdicts.
  const BatchRunResult& pass() const { return pass_; }
  const ElementTable& elements() const { return table_; }
  frmEnter* tableEntry() const;
  frmOutput* outputViewer() const;
  frmResults* resultGrid() const;
  QWidget* helpWindow() const { return help_; }
  bool ended() const { return ended_; }
  bool tooManyShown() const { return tooMany_; }

 private:
  void BuildWindows();
  void ConnectCommands();
  bool OpenInputFile();
  // From the input file's header to the constants window (the end of Main, and OpenFile).
  void StartOnInput();
  void RunBatchPass();
  void OpenTableEntry();
  void TableEntryFinished();
  void EndProgram(const std::string& request);
  void UpdatePictures();
  void ShowUnitsStatus();
  void ApplyUnits(const std::string& unitText);
  // The forces file beside the input, when there is one: read as the input opens.
  void LoadForcesBeside();
  void ShowForcesDiagnostics(const std::string& file, const Diagnostics& diagnostics);
  // The list's verdicts were found with another Fy, code, Fu or forces: every element checked again.
  void CheckListAgain();
  void ShowListStatus();
  void MemberChanged(const CheckedMember& member);
  // The editor changed the current element: its line and verdict in the table follow.
  void ElementEdited(const QString& designation, double length);
  void UpdateSaveAction();
  // Asks whether unsaved edits are saved before leaving; false when the user stays (Cancel, or
  // the save failed).
  bool ConfirmUnsavedEdits();
  bool eventFilter(QObject* watched, QEvent* event) override;
  std::string FrameCaption() const;

  Options options_;
  ModuleContext ctx_;
  ActiveView activeView_ = ActiveView::None;
  std::unique_ptr<QtMessages> qtMessages_;
  std::unique_ptr<PosixLauncher> posixLauncher_;
  InputSession session_;
  std::unique_ptr<SectionEngine> engine_;
  BatchRunResult pass_;
  ElementTable table_;
  std::map<int, CheckedMember> edited_;  // elements changed in the editor, by index
  std::map<int, std::string> onDisk_;    // elements changed and not saved: their text in the file
  bool standalone_ = false;  // started by hand: there is no suite to go back to
  bool ended_ = false;
  bool tooMany_ = false;
  bool inputOk_ = false;
  bool batchDone_ = false;  // the pass runs once per start-up
  double listFy_ = 0;       // the Fy the list's verdicts were found with
  bool listFyExplicit_ = false;
  DesignCode listCode_ = DesignCode::Asd89;  // the code and Fu the list's verdicts were found with
  double listFu_ = 0;

  frmMDI* frame_ = nullptr;  // owned; deleted with the program
  frmConstant* constants_ = nullptr;
  frmMain* editor_ = nullptr;
  frmDraw* drawing_ = nullptr;
  ElementList* list_ = nullptr;
  ProgressWindow* progress_ = nullptr;
  QAction* saveInput_ = nullptr;
  QPointer<QWidget> help_;
  std::string helpPath_;
  QPointer<frmOutput> output_;
  QPointer<frmEnter> enter_;
  QPointer<frmResults> results_;
};

}  // namespace tavo::ui
