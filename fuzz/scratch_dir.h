#pragma once
// A private folder for the files a fuzz target writes, made once per process.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tavo::fuzz {

inline std::filesystem::path ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavo-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    return std::filesystem::path(pattern);
  }();
  return dir;
}

}  // namespace tavo::fuzz
