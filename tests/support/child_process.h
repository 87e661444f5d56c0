#pragma once
// Waiting for a child process of a test with a bound, so a hung child fails
// its test instead of stalling the whole run.
#include <sys/types.h>

namespace bv {
namespace test {

// Waits up to timeoutMs for the child to end; its exit code, or -1 when it
// was killed by a signal or did not end in time (it is then killed).
int WaitForExit(pid_t pid, int timeoutMs);

}  // namespace test
}  // namespace bv
