#pragma once
// File access every writer shares: the existence test, whole-file reads, and writes that
// go through a temporary file and a rename so a target is never left half-written.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

struct ModuleContext;

// True for an existing, non-empty file. An empty file counts as missing but is left as it is.
// A non-empty message flag reports a missing file.
bool FileExistsNonEmpty(const ModuleContext& ctx, const std::string& path, std::string_view messageFlag = {});

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes bytes through an AtomicOutputFile (a temporary file next to the target, synced and
// renamed over it). On failure the target is untouched and error (when given) says why.
bool AtomicWriteFile(const std::filesystem::path& target, std::string_view bytes, std::string* error = nullptr);

// "a\b/c" style paths from the suite's texts, with either separator.
std::filesystem::path SuitePath(std::string_view text);

// True when the bytes look like a binary file rather than text (a NUL in the first block).
bool LooksBinary(std::string_view bytes);

}  // namespace tavo
