// Input files through the whole batch run: any bytes are read, every element is checked on two
// worker threads and formatted by the result writer; each element is accounted for once, in
// order, and no number cell of the result table is NaN, infinite or anything but a number.
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/messages.h"
#include "scratch_dir.h"
#include "engine/batch_run.h"
#include "input/input_session.h"
#include "output/results_writer.h"

namespace {

// A number cell: digits with an optional sign and decimals, nothing else.
bool IsNumberCell(std::string_view cell) {
  double v = 0;
  const auto r = std::from_chars(cell.data(), cell.data() + cell.size(), v);
  return !cell.empty() && r.ec == std::errc() && r.ptr == cell.data() + cell.size() &&
         cell.find_first_of("eEnNiI") == std::string_view::npos;
}

class Checker final : public tavo::BatchFormatter {
 public:
  explicit Checker(const tavo::ResultsWriter& writer) : writer_(writer) {}
  void Format(tavo::BatchChunk& chunk, int, const tavo::Element& element, const tavo::CheckedMember& m) const override {
    tavo::ResultTexts texts;
    writer_.FormatElement(texts, m, element, m.member.kind);
    if (texts.rows != 1) std::abort();
    // The element's row: 13 cells, numbers unless the element has an error (then empty after the ID).
    std::string_view row(texts.csv);
    row = row.substr(0, row.find("\r\n"));
    const bool error = m.Status() == tavo::ElementStatus::Error;
    for (int cell = 0; cell < 13; ++cell) {
      const size_t comma = row.find(',');
      if (comma == std::string_view::npos) std::abort();
      const std::string_view text = row.substr(0, comma);
      if (cell == 0 || !error) {
        if (!IsNumberCell(text)) std::abort();
      } else if (!text.empty()) {
        std::abort();
      }
      row.remove_prefix(comma + 1);
    }
    chunk.text += 'x';
  }
  bool Write(tavo::BatchChunk& chunk) override {
    // Chunks arrive in order, each element once.
    if (chunk.first != written + 1 || chunk.text.size() != chunk.elements.size() ||
        chunk.statuses.size() != chunk.elements.size())
      std::abort();
    written += static_cast<int>(chunk.elements.size());
    return true;
  }
  int written = 0;

 private:
  const tavo::ResultsWriter& writer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto dir = tavo::fuzz::ScratchDir();
  {
    std::ofstream(dir / "in.Ardekon", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  tavo::NullMessages messages;
  tavo::ModuleContext ctx;
  ctx.messages = &messages;
  ctx.installDir = TAVO_DATA_DIR;
  ctx.tempDir = dir.string() + "/";
  tavo::SetInputPath(ctx, (dir / "in.Ardekon").string());
  tavo::InputSession session;
  if (!tavo::OpenInput(ctx, session)) return 0;
  // A count line may promise millions of elements; the file holds what it holds.
  tavo::SectionEngine engine(ctx);
  tavo::ResultsWriter writer(ctx);
  tavo::ResultsOptions options;
  options.outDir = dir;
  options.listingDir = dir;
  options.date = "2026-01-01";
  options.time = "00:00:00";
  if (!writer.Start(options)) std::abort();
  Checker checker(writer);
  tavo::BatchRunOptions run;
  run.jobs = 2;
  run.chunkSize = 3;
  const tavo::BatchRunResult result = tavo::RunBatch(engine, session, checker, run);
  writer.Abort();
  if (result.N != checker.written || result.N != ctx.N || result.N < 0) std::abort();
  return 0;
}
