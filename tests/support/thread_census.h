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

// The program's own threads, all named "orvane-...": the link's sender and
// serial reader, and the firmware upgrade's thread while one runs.
inline size_t CountLinkThreads()
{
    return CountThreadsNamed("orvane-");
}
