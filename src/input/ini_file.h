#pragma once
// Windows-style settings files: sections and keys found without regard to case; writing a
// key keeps every other line of the file as it was, and goes through a temporary file.
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

class IniFile {
 public:
  // Loads a file; a missing or unreadable file gives an empty document (error() says why).
  static IniFile Load(const std::string& path);
  static IniFile Parse(std::string_view text);

  // The value of key in section, at most 750 characters, or empty.
  std::string Get(std::string_view section, std::string_view key) const;
  // Sets a key (upper-cased) with a trimmed value, adding the section or key when missing; Get
  // gives the trimmed value back as it was given.
  void Set(std::string_view section, std::string_view key, std::string_view value);
  bool HasDuplicateSection(std::string_view section) const;

  std::string Text() const;
  bool Save(const std::string& path, std::string* error = nullptr) const;

  const std::string& error() const { return error_; }

 private:
  std::vector<std::string> lines_;
  std::vector<std::string> endings_;  // "\n", "\r\n" or "" (a last line without one)
  std::string newline_ = "\n";
  std::string error_;
  int FindSection(std::string_view section) const;
  int FindKey(int sectionLine, std::string_view key) const;
  void InsertLine(size_t at, std::string line);
};

struct ModuleContext;

// Reads and writes one key, reporting problems through the context's messages.
std::string ReadSetting(const ModuleContext& ctx, std::string_view section, std::string_view key,
                        const std::string& file);
bool WriteSetting(const ModuleContext& ctx, std::string_view section, std::string_view key, std::string_view value,
                  const std::string& file);

}  // namespace tavo
