#pragma once
// The command line: words separated by blanks only, options exact and
// case-sensitive, the last occurrence winning. Fills the g_Cmd* values.
#include <string>

// Resets the option values, then reads the words of the command line.
void ParseCommandLine(const std::string& commandLine);

namespace bv {

// argv[1..] joined with single blanks (argv[0], the program, is left out).
std::string JoinArguments(int argc, const char* const* argv);

}  // namespace bv
