#include "support/child_process.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace bv {
namespace test {
namespace {

// Interval between looks at the child (milliseconds).
constexpr int kPollMs = 20;
constexpr const char* kUnprivilegedName = "nobody";

// Gives up root for good (groups, group, then user); false when any step
// fails or root could be regained.
bool DropRoot(const UnprivilegedUser& user) {
  if (setgroups(0, nullptr) != 0 || setgid(user.gid) != 0 || setuid(user.uid) != 0) return false;
  return getuid() != 0 && geteuid() != 0 && setuid(0) != 0;
}

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

bool FindUnprivilegedUser(UnprivilegedUser* user) {
  const passwd* entry = getpwnam(kUnprivilegedName);
  if (entry == nullptr) return false;
  user->uid = entry->pw_uid;
  user->gid = entry->pw_gid;
  return true;
}

int RunInChild(const std::function<int()>& body, int timeoutMs) {
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  return WaitForExit(pid, timeoutMs);
}

int RunUnprivileged(const std::function<int()>& body, int timeoutMs) {
  const bool root = geteuid() == 0;
  UnprivilegedUser user;
  if (root && !FindUnprivilegedUser(&user)) return kPrivilegesKept;
  pid_t pid = fork();
  if (pid == 0) {
    if (root && !DropRoot(user)) _exit(kPrivilegesKept);
    _exit(body());
  }
  return WaitForExit(pid, timeoutMs);
}

}  // namespace test
}  // namespace bv
