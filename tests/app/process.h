#pragma once
// Runs the tavo program as a child process and takes its exit status and both output streams.
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace tavo::test {

struct RunResult {
  int status = -1;  // exit status; 128 + signal when killed
  std::string out, err;
};

// args without the program name; output streams go through files in scratch.
RunResult RunTavo(const std::vector<std::string>& args, const std::filesystem::path& scratch);

// Starts tavo without waiting; stdout and stderr go to the given files.
pid_t StartTavo(const std::vector<std::string>& args, const std::filesystem::path& out,
                const std::filesystem::path& err);
// The same with standard error on a descriptor of the caller's (a terminal, for instance).
pid_t StartTavoOn(const std::vector<std::string>& args, const std::filesystem::path& out, int errFd);
int WaitTavo(pid_t pid);

// An input of n elements cycling through a mix of families.
std::string GeneratedInput(int n);

}  // namespace tavo::test
