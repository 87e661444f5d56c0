#pragma once
// SIGINT and SIGTERM ask the program to end in order, like closing the window.
namespace bv {

void InstallQuitSignalHandlers();
// True once either signal arrived.
bool QuitSignalReceived();
void ClearQuitSignal();

}  // namespace bv
