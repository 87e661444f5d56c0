// Entry point: the words of the command line, then the program's run.
#include "engine/shell/base_session.h"
#include "engine/shell/command_line.h"
#include "engine/shell/run_system.h"

int main(int argc, char** argv) {
  ParseCommandLine(bv::JoinArguments(argc, argv));
  RunSystem(bv::RunBaseSession);
  // The exit code is always 0.
  return 0;
}
