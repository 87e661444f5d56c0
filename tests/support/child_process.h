#pragma once
// Child processes of a test: waiting for one with a bound, so a hung child
// fails its test instead of stalling the whole run, and running a body as
// an ordinary user, so permission checks hold even when the tests run as
// root.
#include <sys/types.h>

#include <functional>

namespace bv {
namespace test {

// Waits up to timeoutMs for the child to end; its exit code, or -1 when it
// was killed by a signal or did not end in time (it is then killed).
int WaitForExit(pid_t pid, int timeoutMs);

// The account an unprivileged child runs as ("nobody").
struct UnprivilegedUser {
  uid_t uid = 0;
  gid_t gid = 0;
};
// False when the account does not exist.
bool FindUnprivilegedUser(UnprivilegedUser* user);

// Runs body in a forked child as this user; its exit code is body's
// result, or -1 as WaitForExit says.
int RunInChild(const std::function<int()>& body, int timeoutMs);

// Exit code of a child that could not give up root.
constexpr int kPrivilegesKept = 120;

// Runs body in a forked child; when this program runs as root the child
// first becomes the unprivileged user (kPrivilegesKept when it cannot).
// The child's exit code is body's result, or -1 as WaitForExit says.
int RunUnprivileged(const std::function<int()>& body, int timeoutMs);

}  // namespace test
}  // namespace bv
