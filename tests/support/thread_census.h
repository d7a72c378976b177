#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// How many threads of this process carry a name starting with `prefix`.
// Counting by name leaves out the helper threads a sanitizer or a library
// may start at any moment.
inline size_t CountThreadsNamed(std::string_view prefix)
{
    size_t count = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name.starts_with(prefix))
            ++count;
    }
    return count;
}

// The link's own threads: the sender and the serial reader.
inline size_t CountLinkThreads()
{
    return CountThreadsNamed("orvane-");
}
