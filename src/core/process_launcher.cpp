#include "core/process_launcher.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

extern char** environ;

namespace tavo {

bool PosixLauncher::Launch(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingDir) {
  std::error_code ec;
  if (!std::filesystem::exists(program, ec) && program.find('/') != std::string::npos) return false;
  // Double fork so the started program is not left as our zombie.
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    ::setsid();
    if (::fork() != 0) ::_exit(0);
    if (!workingDir.empty() && ::chdir(workingDir.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execvp(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return true;
}

}  // namespace tavo
