#pragma once

// True when standard output is a terminal. A live line rewritten in place
// only makes sense there; into a pipe or a file it would be one endless line.
bool StandardOutputIsTerminal();
