#pragma once
// A user file written as a stream: the bytes go to a unique temporary file in the target's
// folder and replace the target only when Commit() succeeds, so a crash, a full disk or a
// read-only folder never leaves half a file and never destroys the previous one.
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace tavo {

class AtomicOutputFile {
 public:
  AtomicOutputFile() = default;
  ~AtomicOutputFile();  // an uncommitted file is discarded
  AtomicOutputFile(const AtomicOutputFile&) = delete;
  AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

  // False (with the reason in error()) when no temporary file can be made next to target.
  bool Open(const std::filesystem::path& target);
  void Write(std::string_view bytes);
  // Flushes, syncs and renames the temporary file over the target.
  bool Flush();   // everything written so far reached the disk (no rename yet)
  bool Commit();  // Flush, then rename over the target
  void Discard();

  bool ok() const { return file_ != nullptr && error_.empty(); }
  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }
  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& temporary() const { return temp_; }

 private:
  void Fail(const std::string& what, int err);
  std::filesystem::path target_, temp_;
  std::FILE* file_ = nullptr;
  std::string error_;
  size_t written_ = 0, queued_ = 0;  // bytes written, bytes handed to the disk early
};

}  // namespace tavo
