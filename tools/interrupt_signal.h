#pragma once

// Ctrl-C (SIGINT) and SIGTERM end a long-running command cleanly: the
// handler only raises a flag that the command's loop polls, so files are
// flushed and the port is closed as on a normal end.
void InstallInterruptHandler();
bool InterruptRequested();
