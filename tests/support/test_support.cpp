#include "support/test_support.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>

#include <fstream>
#include <sstream>

namespace tavo::test {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tavo-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  // Tests may leave read-only folders behind; make them writable so they can go.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::filesystem::path ScratchDir::Write(const std::string& name, const std::string& content) const {
  const auto p = path_ / name;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
  return p;
}

std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string SourcePath(const std::string& relative) { return std::string(TAVO_SOURCE_DIR) + "/" + relative; }

void ExpectGolden(const std::filesystem::path& path, const std::string& actual) {
  if (const char* v = std::getenv("TAVO_UPDATE_GOLDEN"); v && std::string(v) == "1") {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(path)) << "missing golden " << path << " (TAVO_UPDATE_GOLDEN=1 writes it)";
  const std::string expected = ReadFile(path);
  if (expected == actual) return;
  size_t line = 1, i = 0;
  while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) line += expected[i++] == '\n';
  ADD_FAILURE() << path.filename() << " differs from line " << line << "\n--- expected\n"
                << expected.substr(expected.rfind('\n', i) + 1, 200) << "\n--- actual\n"
                << actual.substr(actual.rfind('\n', i) + 1, 200);
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir))
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), dir).string()] = ReadFile(entry.path());
  return files;
}

bool MountTmpfs(const std::filesystem::path& dir, int kilobytes) {
  if (::geteuid() != 0) return false;
  const std::string options = "size=" + std::to_string(kilobytes) + "k,mode=0755";
  return ::mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

bool RemountReadOnly(const std::filesystem::path& dir) {
  return ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

void Unmount(const std::filesystem::path& dir) { ::umount2(dir.c_str(), MNT_DETACH); }

}  // namespace tavo::test
