#include "core/utf8.h"

namespace tavo {

namespace {
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

Utf8Char DecodeUtf8Char(std::string_view s, std::size_t i) {
  if (i >= s.size()) return {};
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return {c, 1};
  std::size_t length = 0;
  char32_t code = 0, least = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2, code = c & 0x1Fu, least = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3, code = c & 0x0Fu, least = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4, code = c & 0x07u, least = 0x10000;
  } else {
    return {};  // a continuation byte, an overlong lead (C0, C1) or past the last plane (F5..FF)
  }
  if (s.size() - i < length) return {};
  for (std::size_t k = 1; k < length; ++k) {
    const auto d = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(d)) return {};
    code = (code << 6) | (d & 0x3Fu);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
    return;
  }
  const int length = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[5] = {0, 0, 0xC0, 0xE0, 0xF0};
  out.push_back(static_cast<char>(kLead[length] | (c >> (6 * (length - 1)))));
  for (int k = length - 2; k >= 0; --k) out.push_back(static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F)));
}

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const Utf8Char ch = DecodeUtf8Char(s, i);
    out.push_back(ch.length ? ch.code : kReplacementCharacter);
    i += ch.length ? ch.length : 1;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t c : s) AppendUtf8(out, c);
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = DecodeUtf8Char(s, i).length;
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// Counting and cutting go by lead bytes, so a cut never lands inside a sequence, valid or not.
std::size_t Utf8Length(std::string_view s) {
  std::size_t n = 0;
  for (const char c : s) n += !IsContinuation(static_cast<unsigned char>(c));
  return n;
}

std::string Utf8Prefix(std::string_view s, std::size_t maxBytes) {
  if (s.size() <= maxBytes) return std::string(s);
  std::size_t cut = maxBytes;
  while (cut > 0 && IsContinuation(static_cast<unsigned char>(s[cut]))) --cut;
  return std::string(s.substr(0, cut));
}

}  // namespace tavo
