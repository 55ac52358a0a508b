// Input files: any bytes go through the working copy, header, constants block, count line
// and element reading without a crash, and every number read is finite. Elements edited and
// written back change only their own lines, and read back as edited.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"
#include "scratch_dir.h"
#include "input/edited_input.h"
#include "input/input_file.h"
#include "input/input_session.h"

namespace {

// An input file written from bytes into the scratch folder and opened as the programs open it.
struct OpenedInput {
  tavo::NullMessages messages;
  tavo::ModuleContext ctx;
  tavo::InputSession session;
  bool ok = false;
  OpenedInput(const std::filesystem::path& dir, const char* name, std::string_view bytes) {
    {
      std::ofstream(dir / name, std::ios::binary | std::ios::trunc)
          .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ctx.messages = &messages;
    ctx.installDir = dir.string() + "/";
    ctx.tempDir = dir.string() + "/";
    tavo::SetInputPath(ctx, (dir / name).string());
    ok = tavo::OpenInput(ctx, session);
  }
};

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  lines.push_back(text.substr(start));
  return lines;
}

// Every third element given another section and length, as the desktop's editor does: the
// file keeps its line count and every other line, and its elements read back as edited.
void CheckEditsWrittenBack(std::string_view fileText, const std::vector<tavo::Element>& elements,
                           const std::filesystem::path& dir) {
  std::vector<tavo::ElementEdit> edits;
  for (size_t i = 0; i < elements.size() && edits.size() < 40; i += 3)
    edits.push_back({i + 1, elements[i].text,
                     tavo::ReadElementText(tavo::ComposeElementLine(elements[i].text, "IPE20", "300"))});
  if (edits.empty()) return;
  std::string problem;
  const auto edited = tavo::ReplaceElementLines(fileText, edits, &problem);
  if (!edited) {
    if (problem.empty()) std::abort();  // a refusal always says why
    return;
  }
  const auto before = Lines(fileText), after = Lines(*edited);
  if (before.size() != after.size()) std::abort();
  const std::vector<size_t> at = tavo::ElementLineNumbers(fileText, elements.size());
  std::vector<bool> changed(before.size(), false);
  for (const auto& e : edits)
    if (e.index <= at.size()) changed[at[e.index - 1]] = true;
  for (size_t i = 0; i < before.size(); ++i)
    if (!changed[i] && before[i] != after[i]) std::abort();

  OpenedInput reread(dir, "edited.Ardekon", *edited);
  if (!reread.ok) std::abort();
  const auto again = tavo::ReadAllElements(reread.ctx, reread.session);
  if (again.size() != elements.size()) std::abort();
  size_t next = 0;
  for (size_t i = 0; i < again.size(); ++i) {
    const bool wasEdited = next < edits.size() && edits[next].index == i + 1;
    const std::string& expected = wasEdited ? edits[next].newText : elements[i].text;
    if (again[i].text != expected) {
      std::fprintf(stderr, "element %zu reads back as \"%s\", not \"%s\"\n", i + 1, again[i].text.c_str(),
                   expected.c_str());
      std::abort();
    }
    if (wasEdited) ++next;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto dir = tavo::fuzz::ScratchDir();
  OpenedInput opened(dir, "in.Ardekon", std::string_view(reinterpret_cast<const char*>(data), size));
  tavo::ModuleContext& ctx = opened.ctx;
  tavo::InputSession& session = opened.session;
  if (opened.ok) {
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
    CheckEditsWrittenBack(std::string_view(reinterpret_cast<const char*>(data), size), elements, dir);
  }
  return 0;
}
