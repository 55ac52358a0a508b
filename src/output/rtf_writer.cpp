#include "output/rtf_writer.h"

#include "core/utf8.h"

namespace tavo {

namespace {
void AppendUnit(std::string& out, unsigned unit) {
  const int signedUnit = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
  out += "\\u" + std::to_string(signedUnit) + "?";
}
}  // namespace

std::string RtfEscape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 8);
  for (char32_t c : DecodeUtf8(utf8)) {
    if (c == '\\' || c == '{' || c == '}') {
      out.push_back('\\');
      out.push_back(static_cast<char>(c));
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c == '\n') {
      out += "\\line ";
    } else if (c == '\r') {
      continue;
    } else if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x10000) {
      AppendUnit(out, static_cast<unsigned>(c));
    } else {
      const char32_t v = c - 0x10000;
      AppendUnit(out, 0xD800 + static_cast<unsigned>(v >> 10));
      AppendUnit(out, 0xDC00 + static_cast<unsigned>(v & 0x3FF));
    }
  }
  return out;
}

bool HasRtlText(std::string_view utf8) {
  for (char32_t c : DecodeUtf8(utf8))
    if ((c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF)) return true;
  return false;
}

}  // namespace tavo
