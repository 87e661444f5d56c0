#include "support/private_x_server.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace bv {
namespace test {

PrivateXServer::PrivateXServer() {
  int fds[2];
  if (pipe(fds) != 0) return;
  m_Pid = fork();
  if (m_Pid == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-noreset",
           "-nolisten", "tcp", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  if (m_Pid < 0) {
    close(fds[0]);
    return;
  }
  // The server writes its display number once it accepts connections.
  std::string number;
  char c = 0;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (!number.empty()) m_Display = ":" + number;
}

PrivateXServer::~PrivateXServer() {
  if (m_Pid > 0) {
    kill(m_Pid, SIGTERM);
    waitpid(m_Pid, nullptr, 0);
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
