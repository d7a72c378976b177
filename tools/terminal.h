#pragma once

#include <string>
#include <vector>

// True when standard output is a terminal. A live line rewritten in place
// only makes sense there; into a pipe or a file it would be one endless line.
bool StandardOutputIsTerminal();

// Makes a console show the program's UTF-8 output as UTF-8 (the Windows
// console otherwise decodes it in the system's legacy code page).
void PrepareConsoleOutput();

// The arguments after the program's name, in UTF-8. On Windows they come
// from the wide command line, so names outside the legacy code page survive.
std::vector<std::string> ProgramArguments(int argc, char** argv);
