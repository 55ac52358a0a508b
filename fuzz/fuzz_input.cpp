// Input files: any bytes go through the working copy, header, constants block, count line
// and element reading without a crash, and every number read is finite.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/messages.h"
#include "scratch_dir.h"
#include "input/input_session.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto dir = tavo::fuzz::ScratchDir();
  {
    std::ofstream(dir / "in.Ardekon", std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  tavo::NullMessages messages;
  tavo::ModuleContext ctx;
  ctx.messages = &messages;
  ctx.installDir = dir.string() + "/";
  ctx.tempDir = dir.string() + "/";
  tavo::SetInputPath(ctx, (dir / "in.Ardekon").string());
  tavo::InputSession session;
  if (tavo::OpenInput(ctx, session)) {
    if (!std::isfinite(ctx.fy) || ctx.fy <= 0 || ctx.N < 0 || ctx.N > 10000000) std::abort();
    for (const int count : ctx.kindCounts)
      if (count < 0) std::abort();
    if (ctx.kindCounts[0] + ctx.kindCounts[1] + ctx.kindCounts[2] != ctx.N) std::abort();
    const int promised = ctx.N;
    const auto elements = tavo::ReadAllElements(ctx, session);
    if (static_cast<int>(elements.size()) > promised) std::abort();
    // A list shorter than the count line promised is always reported.
    if (static_cast<int>(elements.size()) < promised && !tavo::HasError(ctx.inputDiagnostics)) std::abort();
    for (const auto& e : elements) {
      if (e.text.empty() || e.text.back() == ' ') std::abort();
      const tavo::LengthReading length = tavo::ReadMemberLength(e.text, ctx.dataUnitSystem);
      if (!std::isfinite(length.cm) || length.cm < 0) std::abort();
      if (!length.ok && (length.cm != 0 || length.english.empty())) std::abort();
    }
    for (const auto* list : {&ctx.inputDiagnostics, &ctx.fyDiagnostics})
      for (const auto& d : *list)
        if (d.text.find("||") == std::string::npos) std::abort();
  }
  return 0;
}
