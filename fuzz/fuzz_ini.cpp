// Settings files: any bytes must parse, every lookup must answer, and a written key must
// read back while the rest of the text survives. Fy read from such a file, in the file's own
// units, is a positive finite number, and anything wrong with it is said in both languages.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/messages.h"
#include "input/design_constants.h"
#include "input/ini_file.h"

namespace {
std::filesystem::path ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavo-fuzz-ini-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::filesystem::create_directories(std::filesystem::path(pattern) / "cte");
    return std::filesystem::path(pattern);
  }();
  return dir;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  tavo::IniFile ini = tavo::IniFile::Parse(text);
  (void)ini.Get("tavo", "fy");
  (void)ini.HasDuplicateSection("tavo");
  ini.Set("tavo", "FY", "2400");
  if (ini.Get("tavo", "fy") != "2400") std::abort();
  const std::string once = ini.Text();
  // Writing the same key again must change nothing.
  tavo::IniFile again = tavo::IniFile::Parse(once);
  again.Set("tavo", "FY", "2400");
  if (again.Text() != once) std::abort();

  const auto dir = ScratchDir();
  std::ofstream(dir / "cte" / "constants.ini", std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  tavo::NullMessages messages;
  tavo::ModuleContext ctx;
  ctx.messages = &messages;
  ctx.installDir = dir.string() + "/";
  tavo::DesignConstants constants;
  tavo::ResolveFy(constants, ctx, std::nullopt);
  if (!std::isfinite(ctx.fy) || ctx.fy <= 0) std::abort();
  for (const auto& d : ctx.fyDiagnostics)
    if (d.text.find("||") == std::string::npos) std::abort();
  return 0;
}
