// The section editor's change-to-repaint path: one accepted change computes the section,
// checks the member, writes the report into the pane and redraws the drawing. Measured
// headless (image and text document, no windows) and through the real windows on Qt's
// offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <QImage>
#include <QTextDocument>
#include <memory>
#include <string>

#include "input_mix.h"
#include "checks/check_member.h"
#include "families/family_table.h"
#include "core/messages.h"
#include "core/process_launcher.h"
#include "drawing/section_drawing.h"
#include "output/report.h"
#include "output/section_report.h"
#include "sections/section_parser.h"
#include "ui/element_list.h"
#include "ui/frm_constant.h"
#include "ui/frm_draw.h"
#include "ui/frm_main.h"
#include "ui/frm_mdi.h"
#include "ui/parameter_panel.h"
#include "ui/report_view.h"
#include "ui/section_painter.h"
#include "ui/tavolin_program.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_ui";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// The editor without windows: panel, check, report runs into a document, drawing on an image.
void BM_EditorChangeHeadless(benchmark::State& state) {
  App();
  tavo::ModuleContext ctx;
  ctx.metrics.fontSize = 10;
  tavo::ProfileCatalogue catalogue(std::string(TAVO_SOURCE_DIR) + "/data/cte");
  tavo::SectionInput input;
  input.catalogue = &catalogue;
  input.families = tavo::StandardFamilies();
  tavo::ui::ParameterPanel panel([&](const std::string& d) { return tavo::ComputeSection(d, input); }, &catalogue);
  panel.BuildParameterPanel(tavo::ComputeSection("IPE30+2PL200*10", input), 600);
  const int bpl = panel.RowIndex("bpl");
  tavo::MemberInput member;
  member.kind = tavo::MemberKind::Beam;
  member.Lx = 600;
  tavo::Report report(ctx);
  QTextDocument document;
  QImage canvas(640, 820, QImage::Format_RGB32);
  bool up = true;
  for (auto _ : state) {
    panel.ApplyParameterCommand(up ? "+" : "-", bpl);
    up = !up;
    const tavo::CheckedMember checked = tavo::CheckMember(panel.section(), member);
    tavo::WriteSectionReport(report, checked);
    tavo::ui::FillReportDocument(document, report.runs(), false);
    tavo::ui::PaintSection(canvas, ctx, checked.section, {});
    benchmark::DoNotOptimize(document.characterCount());
  }
}
BENCHMARK(BM_EditorChangeHeadless)->Unit(benchmark::kMillisecond);

// The real windows: the "+" / "-" of a row through frmMain, then the canvas painted at once.
void BM_EditorChangeWindows(benchmark::State& state) {
  App();
  tavo::RecordingMessages messages;
  tavo::RecordingLauncher launcher;
  tavo::ui::TavolinProgram::Options o;
  o.messages = &messages;
  o.launcher = &launcher;
  o.quit = [](int) {};
  o.screenWidth = 1600;
  o.screenHeight = 1000;
  auto program = std::make_unique<tavo::ui::TavolinProgram>(o);
  const std::string packed =
      std::string("EI-") + TAVO_INSTALL_TREE + "/|" + std::string(TAVO_SOURCE_DIR) + "/examples/frame";
  if (!program->Main({packed}) || !program->constantsWindow()->CmdGo_Click()) {
    state.SkipWithError("the example could not be opened");
    return;
  }
  program->frame()->show();
  program->ShowElement(5);  // IPE30+2PL200*10, a beam
  QApplication::processEvents();
  tavo::ui::frmMain* editor = program->editor();
  QWidget* canvas = program->drawing()->findChild<QWidget*>("Picture2");
  const int bpl = editor->panel().RowIndex("bpl");
  bool up = true;
  for (auto _ : state) {
    editor->ApplyCommand(up ? "+" : "-", bpl);
    up = !up;
    canvas->repaint();
    editor->reportView()->viewport()->repaint();
  }
  program.reset();
}
BENCHMARK(BM_EditorChangeWindows)->Unit(benchmark::kMillisecond);

// The desktop program on an input file (base path without ".Ardekon"), its frame shown, at
// the constants window; null when the input cannot be opened.
std::unique_ptr<tavo::ui::TavolinProgram> OpenProgram(const std::filesystem::path& base, tavo::RecordingMessages& messages,
                                                      tavo::RecordingLauncher& launcher) {
  tavo::ui::TavolinProgram::Options o;
  o.messages = &messages;
  o.launcher = &launcher;
  o.quit = [](int) {};
  o.screenWidth = 1600;
  o.screenHeight = 1000;
  auto program = std::make_unique<tavo::ui::TavolinProgram>(o);
  if (!program->Main({std::string("EI-") + TAVO_INSTALL_TREE + "/|" + base.string()})) return nullptr;
  program->frame()->show();
  return program;
}

// The batch pass of 10 000 elements with its progress window, then the element list filled
// and scrolled from top to bottom (thumbnails drawn as they come into view).
void BM_BatchPassTenThousand(benchmark::State& state) {
  App();
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / "tavolin_bench_big";
  fs::create_directories(dir);
  {
    const char* designations[] = {"IPE20  L=400", "2UNP20  (d=12)  L=500", "PG 600*8*250*15  L=900",
                                  "BOX 300*10*300*15  L=320", "IPE30+2PL200*10  L=600", "2L60<>  L=480",
                                  "TUBE 273*10  L=400", "HPE300-400  L=600"};
    std::ofstream out(dir / "big.Ardekon");
    out << "Software=Ardekon  Version=7.12  Module=tavo  Title=Ten thousand\nNO=4000,4000,2000  Units=[kg]-[cm]\n";
    for (int i = 1; i <= 10000; ++i) out << i << "   " << designations[i % 8] << "\n";
  }
  tavo::RecordingMessages messages;
  tavo::RecordingLauncher launcher;
  for (auto _ : state) {
    auto program = OpenProgram(dir / "big", messages, launcher);
    if (!program) {
      state.SkipWithError("the generated input could not be opened");
      return;
    }
    program->constantsWindow()->CmdGo_Click();
    tavo::ui::ElementList* list = program->elementList();
    // The list lays its items out in batches between events; let it finish.
    for (int settled = 0, last = -1, guard = 0; settled < 3 && guard < 10000; ++guard) {
      QApplication::processEvents();
      const int max = list->verticalScrollBar()->maximum();
      settled = (max > 0 && max == last) ? settled + 1 : 0;
      last = max;
    }
    QScrollBar* bar = list->verticalScrollBar();
    for (int v = 0; v <= bar->maximum(); v += std::max(1, bar->pageStep())) {
      bar->setValue(v);
      QApplication::processEvents();
      list->viewport()->repaint();
    }
    state.counters["elements"] = program->context().N;
    state.counters["thumbnails_drawn"] = list->delegate()->rendered();
    program.reset();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_BatchPassTenThousand)->Unit(benchmark::kMillisecond)->Iterations(1);

// From Continue to the list on screen for a large input (bench/make_input's mix, N elements),
// and the longest the event loop waited meanwhile: a 5 ms timer runs through the pass and
// its longest gap is what a user clicking Cancel would feel.
void BM_BatchPassToList(benchmark::State& state) {
  App();
  namespace fs = std::filesystem;
  const long n = state.range(0);
  const fs::path dir = fs::temp_directory_path() / "tavolin_bench_list";
  fs::create_directories(dir);
  {
    std::ofstream out(dir / "big.Ardekon");
    tavo::bench::WriteMixInput(out, n);
  }
  tavo::RecordingMessages messages;
  tavo::RecordingLauncher launcher;
  for (auto _ : state) {
    auto program = OpenProgram(dir / "big", messages, launcher);
    if (!program) {
      state.SkipWithError("the generated input could not be opened");
      return;
    }
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longest = std::max(longest, clock.elapsed() - last);
      last = clock.elapsed();
    });
    clock.start();
    tick.start(5);
    program->constantsWindow()->CmdGo_Click();
    // Shown: the first screen of thumbnails painted.
    tavo::ui::ElementList* list = program->elementList();
    for (int guard = 0; list->delegate()->rendered() == 0 && guard < 1000; ++guard) {
      QApplication::processEvents();
      list->viewport()->repaint();
    }
    tick.stop();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    state.counters["elements"] = program->context().N;
    state.counters["shown"] = program->elementList()->shown();
    state.counters["longest_wait_ms"] = static_cast<double>(longest);
    state.counters["thumbnails_drawn"] = program->elementList()->delegate()->rendered();
    int noted = 0;
    for (size_t i = 0; i < program->elements().size(); ++i) noted += program->elements().diagnostics(i).empty() ? 0 : 1;
    state.counters["with_diagnostics"] = noted;
    if (noted > 0) {
      const tavo::Diagnostics& d = program->elements().diagnostics(0);
      if (!d.empty()) state.SetLabel(d.front().text.substr(0, 60));
    }
    program.reset();
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
}
BENCHMARK(BM_BatchPassToList)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
