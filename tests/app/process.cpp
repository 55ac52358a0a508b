#include "app/process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace tavo::test {

pid_t StartTavo(const std::vector<std::string>& args, const std::filesystem::path& out,
                const std::filesystem::path& err) {
  const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = StartTavoOn(args, out, e);
  if (e >= 0) ::close(e);
  return pid;
}

pid_t StartTavoOn(const std::vector<std::string>& args, const std::filesystem::path& out, int errFd) {
  std::vector<std::string> all{TAVO_EXECUTABLE};
  all.insert(all.end(), args.begin(), args.end());
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (o < 0 || errFd < 0) ::_exit(126);
    ::dup2(o, STDOUT_FILENO);
    ::dup2(errFd, STDERR_FILENO);
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

int WaitTavo(pid_t pid) {
  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(wstatus)) return WEXITSTATUS(wstatus);
  if (WIFSIGNALED(wstatus)) return 128 + WTERMSIG(wstatus);
  return -1;
}

RunResult RunTavo(const std::vector<std::string>& args, const std::filesystem::path& scratch) {
  const auto out = scratch / "stdout.txt", err = scratch / "stderr.txt";
  RunResult r;
  r.status = WaitTavo(StartTavo(args, out, err));
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  return r;
}

std::string GeneratedInput(int n) {
  static const char* const kMix[] = {"IPE30  L=400", "2IPE20  (d=20)  L=320", "IPB20  L=320", "BOX 300*10*300*15  L=320",
                                     "PG 600*8*250*15  L=900", "2L60<>  L=480", "2UNP20  (d=12)  L=520",
                                     "IPE30+2PL200*10  L=600"};
  const int third = n / 3;
  std::ostringstream s;
  s << "Software=Ardekon  Version=7.12  Module=tavo  Title=Generated\n";
  s << "NO=" << third << ',' << third << ',' << (n - 2 * third) << "  Units=[kg]-[cm]  FILE=ETABS\n";
  for (int i = 1; i <= n; ++i) s << i << "   " << kMix[i % 8] << '\n';
  return s.str();
}

}  // namespace tavo::test
