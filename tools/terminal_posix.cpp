#include "terminal.h"

#include <unistd.h>

bool StandardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

// A POSIX terminal takes the bytes as they are.
void PrepareConsoleOutput() {}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}
