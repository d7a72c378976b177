#include "cli_run.h"
#include "terminal.h"

#include <iostream>

int main(int argc, char** argv)
{
    PrepareConsoleOutput();
    return RunCli(ProgramArguments(argc, argv), std::cout, std::cerr);
}
