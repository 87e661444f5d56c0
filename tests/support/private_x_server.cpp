#include "support/private_x_server.h"

#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/child_process.h"

namespace bv {
namespace test {
namespace {

// Longest wait for a new server to accept connections (milliseconds).
constexpr int kStartTimeoutMs = 10000;
// Longest wait for it to end once asked to (then it is killed).
constexpr int kStopTimeoutMs = 5000;

}  // namespace

PrivateXServer::PrivateXServer(int depth) {
  int fds[2];
  if (pipe(fds) != 0) return;
  m_Pid = fork();
  if (m_Pid == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    const std::string screen = "1024x768x" + std::to_string(depth);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (m_Pid < 0) {
    close(fds[0]);
    return;
  }
  // The server writes its display number once it accepts connections; a
  // server that says nothing in time counts as not started.
  std::string number;
  char c = 0;
  bool complete = false;
  pollfd readable{fds[0], POLLIN, 0};
  while (poll(&readable, 1, kStartTimeoutMs) == 1 && read(fds[0], &c, 1) == 1) {
    if (c == '\n') {
      complete = true;
      break;
    }
    number += c;
  }
  close(fds[0]);
  if (complete && !number.empty()) m_Display = ":" + number;
}

PrivateXServer::~PrivateXServer() {
  if (m_Pid > 0) {
    kill(m_Pid, SIGTERM);
    WaitForExit(m_Pid, kStopTimeoutMs);
  }
}

std::string RunOn(const std::string& display, const std::string& command, int* status) {
  std::string full = "export DISPLAY=" + display + "; " + command;
  std::FILE* pipe = popen(full.c_str(), "r");
  std::string out;
  if (pipe == nullptr) return out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
  int result = pclose(pipe);
  if (status != nullptr) *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
  while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
  return out;
}

void FocusWindowOn(const std::string& display, unsigned long window) {
  ::Display* d = XOpenDisplay(display.c_str());
  if (d == nullptr) return;
  XSetInputFocus(d, window != 0 ? window : None, RevertToNone, CurrentTime);
  XSync(d, False);
  XCloseDisplay(d);
}

}  // namespace test
}  // namespace bv
