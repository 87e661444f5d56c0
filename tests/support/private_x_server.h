#pragma once
// A virtual X server of the test's own (Xvfb, 1024x768 at 24 bits unless
// told another depth), so a test that looks for windows by name never sees
// another test's windows.
#include <string>

namespace bv {
namespace test {

class PrivateXServer {
 public:
  // Starts the server with a screen of depth bits; Ok() tells whether it runs.
  explicit PrivateXServer(int depth = 24);
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  bool Ok() const { return !m_Display.empty(); }
  // The display name, such as ":12".
  const std::string& Display() const { return m_Display; }

 private:
  int m_Pid = -1;
  std::string m_Display;
};

// Runs a shell command with DISPLAY set to the given display; its standard
// output, trailing newline removed, and its exit status.
std::string RunOn(const std::string& display, const std::string& command, int* status = nullptr);

// Gives the input focus to the window (0: to nobody) on the display.
void FocusWindowOn(const std::string& display, unsigned long window);

}  // namespace test
}  // namespace bv
