// RTF reading: any bytes give a text whose font list matches it character for character,
// font names of a sane length, and a formula template that answers every question asked.
#include <cstdint>
#include <string_view>

#include "rtf_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tavo::fuzz::CheckRtfReading(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
