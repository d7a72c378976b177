#pragma once

#include <string>
#include <string_view>

// Every file the programs write (settings, parameter files, backups,
// recordings, firmware files) goes through the same rule, decided by what is
// at the path, symbolic links followed to their target:
// - nothing yet: a new regular file, with the permissions the umask leaves;
// - a regular file: written beside it and renamed over it, so a reader sees
//   the old or the new file, never a part; only this replaces anything;
// - a character device or a FIFO: written in place, as a shell redirection
//   does, and never replaced (a whole file goes only into a FIFO that a
//   process already reads);
// - a socket, a folder or anything else: refused, with the reason.
// On Windows the devices (NUL, CON, COM ports) and pipes are the ones written
// in place; folders are refused.

enum class OutputKind {
    kNew,
    kRegular,
    kStream,
    kRefused,
};

struct OutputTarget {
    OutputKind kind = OutputKind::kNew;
    std::string path;  // where the bytes go: the final target of a symbolic link
    std::string error; // why not, for kRefused: "'x' is a folder, not a file"
};

OutputTarget InspectOutput(const std::string& path);

// Writes all of `contents` to `path` by the rule above. Empty on success,
// otherwise what went wrong; a regular file is then left as it was.
std::string WriteOutputFile(const std::string& path, std::string_view contents);

#ifndef _WIN32
// Creates a new empty regular file beside `target` for a write-then-rename,
// with the permissions the umask leaves (0644 under 022), and opens it for
// writing. Returns its descriptor and sets `created` to its name; -1 (errno
// set) on failure.
int CreateFileBeside(const std::string& target, std::string& created);
#endif
