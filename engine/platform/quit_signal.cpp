#include "engine/platform/quit_signal.h"

#include <csignal>

namespace bv {
namespace {

volatile std::sig_atomic_t g_quitSignal = 0;
QuitPoll g_quitPoll = nullptr;

void OnQuitSignal(int) { g_quitSignal = 1; }

}  // namespace

void InstallQuitSignalHandlers() {
  struct sigaction action = {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool QuitSignalReceived() { return g_quitSignal != 0; }

void ClearQuitSignal() { g_quitSignal = 0; }

void SetQuitPoll(QuitPoll poll) { g_quitPoll = poll; }

bool QuitPending() { return QuitSignalReceived() || (g_quitPoll != nullptr && g_quitPoll()); }

}  // namespace bv
