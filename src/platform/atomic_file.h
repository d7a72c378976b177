#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class FileReadResult {
    Read,    // `contents` holds the whole file
    Missing, // no file at the path
    Failed,  // the file exists but is not a readable regular file, or is larger than allowed
};

// Reads a whole regular file of at most `max_size` bytes. Never blocks on a
// FIFO or device at the path.
FileReadResult ReadWholeFile(const std::string& path, size_t max_size, std::string& contents);

// Replaces the file at `path` with `contents` so that a reader sees either the
// old or the new file, never a part: the bytes go to a temporary file in the
// same folder, are flushed to disk, and the temporary file is renamed over the
// target. An existing file keeps its permission bits (and its owner where the
// process may set it); a symbolic link is followed, so the link stays and its
// target is replaced. On failure the old file is left untouched.
bool ReplaceFileAtomically(const std::string& path, std::string_view contents);
