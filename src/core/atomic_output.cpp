#include "core/atomic_output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tavo {

namespace fs = std::filesystem;

AtomicOutputFile::~AtomicOutputFile() { Discard(); }

void AtomicOutputFile::Fail(const std::string& what, int err) {
  if (error_.empty()) error_ = what + " " + target_.string() + " (" + std::strerror(err) + ")";
}

bool AtomicOutputFile::Open(const fs::path& target) {
  Discard();
  error_.clear();
  target_ = target;
  const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string pattern = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) {
    Fail("Cannot write", errno);
    return false;
  }
  // mkstemp makes the file private; a result file is as readable as any other the user makes.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  temp_ = pattern;
  written_ = queued_ = 0;
  file_ = ::fdopen(fd, "wb");
  if (!file_) {
    const int err = errno;
    ::close(fd);
    Fail("Cannot write", err);
    Discard();
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  return true;
}

void AtomicOutputFile::Write(std::string_view bytes) {
  if (!file_ || !error_.empty() || bytes.empty()) return;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    Fail("Cannot write", errno);
    return;
  }
  written_ += bytes.size();
  // Start the disk writing of what is done while the run goes on, so the sync at the end
  // waits only for the last part of a large file.
  constexpr size_t kWriteBackStep = size_t{8} << 20;
  if (written_ - queued_ >= kWriteBackStep) {
    if (std::fflush(file_) != 0) {
      Fail("Cannot write", errno);
      return;
    }
    ::sync_file_range(::fileno(file_), static_cast<off_t>(queued_), static_cast<off_t>(written_ - queued_),
                      SYNC_FILE_RANGE_WRITE);
    queued_ = written_;
  }
}

bool AtomicOutputFile::Flush() {
  if (!file_ || !error_.empty()) return false;
  if (std::fflush(file_) != 0 || std::ferror(file_)) {
    Fail("Cannot write", errno);
    return false;
  }
  if (::fsync(::fileno(file_)) != 0 && errno != EINVAL) {
    Fail("Cannot write", errno);
    return false;
  }
  return true;
}

bool AtomicOutputFile::Commit() {
  if (!Flush()) {
    Discard();
    return false;
  }
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) {
    Fail("Cannot write", errno);
    Discard();
    return false;
  }
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    Fail("Cannot replace", errno);
    Discard();
    return false;
  }
  temp_.clear();
  return true;
}

void AtomicOutputFile::Discard() {
  if (file_) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    std::error_code ec;
    fs::remove(temp_, ec);
    temp_.clear();
  }
}

}  // namespace tavo
