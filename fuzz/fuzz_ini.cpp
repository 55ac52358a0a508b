// Settings files: any bytes must parse, every lookup must answer, and a written key must
// read back while the rest of the text survives.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "input/ini_file.h"

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
  return 0;
}
