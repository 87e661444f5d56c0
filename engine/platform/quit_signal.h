#pragma once
// SIGINT and SIGTERM ask the program to end in order, like closing the window.
// A quit asked for while a screen loads cuts the loading short: the loaders
// ask QuitPending between pictures and load no more art once it is true.
namespace bv {

void InstallQuitSignalHandlers();
// True once either signal arrived.
bool QuitSignalReceived();
void ClearQuitSignal();

// A check the loaders cannot make themselves (the window's close button,
// seen without running the message pump); true once the window was closed.
using QuitPoll = bool (*)();
void SetQuitPoll(QuitPoll poll);
// A quit signal arrived or the poll reports a close.
bool QuitPending();

}  // namespace bv
