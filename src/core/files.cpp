#include "core/files.h"

#include <fstream>
#include <sstream>

#include "core/atomic_output.h"
#include "core/language.h"
#include "core/module_context.h"
#include "core/core_texts.h"
#include "core/text_helpers.h"

namespace tavo {

namespace fs = std::filesystem;

bool FileExistsNonEmpty(const ModuleContext& ctx, const std::string& path, std::string_view messageFlag) {
  if (path.empty() || path.find('*') != std::string::npos) return false;
  std::error_code ec;
  const fs::path p = SuitePath(path);
  if (!fs::is_regular_file(p, ec)) {
    if (!messageFlag.empty())
      ShowMessage(ctx, Fill(texts::kFileMissingLineBreak, {{"path", path}}), texts::kError);
    return false;
  }
  // An empty file counts as missing, and stays: it is the user's file, not ours to delete.
  if (fs::file_size(p, ec) == 0 && !ec) return false;
  return true;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return ss.str();
}

bool AtomicWriteFile(const fs::path& target, std::string_view bytes, std::string* error) {
  AtomicOutputFile file;
  if (file.Open(target)) {
    file.Write(bytes);
    if (file.Commit()) return true;
  }
  if (error) *error = file.error();
  return false;
}

fs::path SuitePath(std::string_view text) {
  std::string s(text);
  for (auto& c : s)
    if (c == '\\') c = '/';
  return fs::path(s);
}

bool LooksBinary(std::string_view bytes) {
  return bytes.substr(0, 8192).find('\0') != std::string_view::npos;
}

}  // namespace tavo
