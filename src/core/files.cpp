#include "core/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "core/language.h"
#include "core/module_context.h"

namespace tavo {

namespace fs = std::filesystem;

bool FileExistsNonEmpty(const ModuleContext& ctx, const std::string& path, std::string_view messageFlag) {
  if (path.empty() || path.find('*') != std::string::npos) return false;
  std::error_code ec;
  const fs::path p = SuitePath(path);
  if (!fs::is_regular_file(p, ec)) {
    if (!messageFlag.empty())
      ShowMessage(ctx, "File does not exist:\r" + path + "||فایل وجود ندارد:\r" + path, "Error||خطا");
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
  static std::atomic<unsigned> counter{0};
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::random_device rd;
  const std::string tmpName =
      "." + target.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
      std::to_string(rd() % 100000);
  const fs::path tmp = dir / tmpName;
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + target.string() + " (" + std::strerror(errno) + ")";
    std::error_code ec;
    fs::remove(tmp, ec);
    return false;
  };
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return fail("Cannot write");
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (w < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return fail("Cannot write");
    }
    done += static_cast<size_t>(w);
  }
  if (::fsync(fd) != 0 && errno != EINVAL) {
    ::close(fd);
    return fail("Cannot write");
  }
  if (::close(fd) != 0) return fail("Cannot write");
  if (::rename(tmp.c_str(), target.c_str()) != 0) return fail("Cannot replace");
  return true;
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
