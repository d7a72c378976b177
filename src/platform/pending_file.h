#pragma once

#include <fstream>
#include <string>

// A file written under a temporary name beside its final one that takes the
// final name later, while its stream goes on writing (a recording takes its
// name with its first row).

enum class PublishResult {
    kPublished,
    kNameTaken, // something appeared at the final name and may not be replaced
    kFailed,
};

// Creates an empty file with a new name beside `path` and opens `stream` on
// it. The file's name, or an empty string with the cause in `error`.
std::string CreatePendingFile(const std::string& path, std::ofstream& stream, std::string& error);

// Gives the pending file `temporary` the name `path`, replacing a file there
// only when `replace` is set. `stream` writes on into the renamed file.
PublishResult PublishPendingFile(std::ofstream& stream, const std::string& temporary, const std::string& path,
                                 bool replace, std::string& error);

// Removes a pending file that never took its name.
void RemovePendingFile(const std::string& temporary);
