#pragma once
// Starts another program without waiting for it. Arguments go as a list, never through a shell.
#include <string>
#include <vector>

namespace tavo {

class ProcessLauncher {
 public:
  virtual ~ProcessLauncher() = default;
  // False when the program could not be started.
  virtual bool Launch(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& workingDir) = 0;
};

// fork/exec, detached.
class PosixLauncher final : public ProcessLauncher {
 public:
  bool Launch(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& workingDir) override;
};

class RecordingLauncher final : public ProcessLauncher {
 public:
  struct Call {
    std::string program;
    std::vector<std::string> arguments;
    std::string workingDir;
  };
  std::vector<Call> calls;
  bool succeed = true;
  bool Launch(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& workingDir) override {
    calls.push_back({program, arguments, workingDir});
    return succeed;
  }
};

}  // namespace tavo
