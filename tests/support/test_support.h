#pragma once
// Helpers the tests share: scratch folders that clean up after themselves and file I/O.
#include <filesystem>
#include <map>
#include <string>

namespace tavo::test {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string() + "/"; }
  std::filesystem::path Write(const std::string& name, const std::string& content) const;

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& p);
std::string SourcePath(const std::string& relative);

// Compares output with its reviewed file, naming the first line that differs; with
// TAVO_UPDATE_GOLDEN=1 it rewrites the file instead (only on purpose: review the diff).
void ExpectGolden(const std::filesystem::path& path, const std::string& actual);

// Every regular file under dir (relative name -> bytes).
std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir);

// A tmpfs of the given size at dir, for root where mounting works; false otherwise.
bool MountTmpfs(const std::filesystem::path& dir, int kilobytes);
bool RemountReadOnly(const std::filesystem::path& dir);
void Unmount(const std::filesystem::path& dir);

}  // namespace tavo::test
