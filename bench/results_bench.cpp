// The results run over a generated input of 100 000 elements: reading, section computation,
// member check and the three result files (_Out.csv, _Out.rtf, book.tmp) written in full.
// Wall time is what the user waits for, so every figure is real time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "checks/element_check.h"
#include "families/family_table.h"
#include "core/messages.h"
#include "core/module_context.h"
#include "input/input_session.h"
#include "input_mix.h"
#include "output/results_writer.h"
#include "resources/resource_store.h"
#include "sections/profile_catalogue.h"

namespace {

namespace fs = std::filesystem;
constexpr long kElements = 100000;

struct Workspace {
  fs::path dir;
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "tavo-results-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    dir = pattern;
    fs::create_directories(dir / "cte");
    fs::create_directories(dir / "temp");
    fs::copy_file(fs::path(TAVO_SOURCE_DIR) / "data/install/constants.ini", dir / "cte/constants.ini");
    std::ofstream in(dir / "bench.Ardekon", std::ios::binary);
    tavo::bench::WriteMixInput(in, kElements);
  }
  ~Workspace() {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
};

Workspace& Space() {
  static Workspace w;
  return w;
}

struct Prepared {
  tavo::ModuleContext ctx;
  tavo::NullMessages messages;
  tavo::InputSession session;
  std::vector<tavo::Element> elements;
};

void Open(Prepared& p) {
  p.ctx.messages = &p.messages;
  p.ctx.installDir = Space().dir.string() + "/";
  p.ctx.tempDir = Space().dir.string() + "/temp/";
  tavo::SetInputPath(p.ctx, (Space().dir / "bench.Ardekon").string());
  if (!tavo::OpenInput(p.ctx, p.session)) std::abort();
  p.elements = tavo::ReadAllElements(p.ctx, p.session);
}

// Everything the Results command does, from the input file to the three renamed files.
void BM_ResultsRunEndToEnd(benchmark::State& state) {
  const tavo::DirectoryResourceStore templates(fs::path(TAVO_SOURCE_DIR) / "data/resources");
  for (auto _ : state) {
    Prepared p;
    Open(p);
    const tavo::ProfileCatalogue catalogue((fs::path(TAVO_SOURCE_DIR) / "data/cte/").string());
    tavo::SectionInput in;
    in.catalogue = &catalogue;
    in.families = tavo::StandardFamilies();
    in.dataUnits = p.ctx.dataUnitSystem;
    tavo::ResultsOptions options;
    options.tableStore = &templates;
    const auto outcome = tavo::RunResults(
        p.ctx, p.elements,
        [&](const tavo::Element& e, tavo::MemberKind, int index) { return tavo::CheckElement(p.ctx, in, e, index); },
        options);
    if (!outcome.ok) state.SkipWithError("results run failed");
    benchmark::DoNotOptimize(outcome.elements);
  }
  state.SetItemsProcessed(state.iterations() * kElements);
  state.counters["csv_MB"] = static_cast<double>(fs::file_size(Space().dir / "bench_Out.csv")) / 1e6;
  state.counters["rtf_MB"] = static_cast<double>(fs::file_size(Space().dir / "bench_Out.rtf")) / 1e6;
}
BENCHMARK(BM_ResultsRunEndToEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The writing alone: members checked beforehand, then rows, records and listing blocks.
void BM_ResultsWriterOnly(benchmark::State& state) {
  Prepared p;
  Open(p);
  const tavo::ProfileCatalogue catalogue((fs::path(TAVO_SOURCE_DIR) / "data/cte/").string());
  tavo::SectionInput in;
  in.catalogue = &catalogue;
  in.families = tavo::StandardFamilies();
  in.dataUnits = p.ctx.dataUnitSystem;
  std::vector<tavo::CheckedMember> members;
  members.reserve(p.elements.size());
  for (size_t i = 0; i < p.elements.size(); ++i)
    members.push_back(tavo::CheckElement(p.ctx, in, p.elements[i], static_cast<int>(i) + 1));
  const tavo::DirectoryResourceStore templates(fs::path(TAVO_SOURCE_DIR) / "data/resources");
  for (auto _ : state) {
    tavo::ResultsOptions options;
    options.tableStore = &templates;
    tavo::ResultsWriter writer(p.ctx);
    if (!writer.Start(options)) state.SkipWithError("start failed");
    for (size_t i = 0; i < members.size(); ++i)
      writer.Add(members[i], p.elements[i], tavo::KindOfIndex(p.ctx, static_cast<int>(i) + 1));
    if (!writer.Finish()) state.SkipWithError("finish failed");
  }
  state.SetItemsProcessed(state.iterations() * static_cast<long>(members.size()));
}
BENCHMARK(BM_ResultsWriterOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
