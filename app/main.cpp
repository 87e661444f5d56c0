// Entry point: the words of the command line, then the program's run.
#include "engine/platform/memory_reuse.h"
#include "engine/shell/command_line.h"
#include "engine/shell/game_host.h"
#include "engine/shell/run_system.h"

int main(int argc, char** argv) {
  bv::KeepFreedMemoryForReuse();
  ParseCommandLine(bv::JoinArguments(argc, argv));
  RunSystem(bv::RunGameSession);
  // The exit code is always 0.
  return 0;
}
