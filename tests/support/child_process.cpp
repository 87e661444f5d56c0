#include "support/child_process.h"

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

namespace bv {
namespace test {
namespace {

// Interval between looks at the child (milliseconds).
constexpr int kPollMs = 20;

}  // namespace

int WaitForExit(pid_t pid, int timeoutMs) {
  if (pid <= 0) return -1;
  for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (done < 0) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return -1;
}

}  // namespace test
}  // namespace bv
