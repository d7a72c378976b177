#include "platform/pending_file.h"

#include "platform/output_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

std::string CreatePendingFile(const std::string& path, std::ofstream& stream, std::string& error)
{
    std::string temporary;
    const int fd = CreateFileBeside(path, temporary);
    if (fd < 0) {
        error = std::strerror(errno);
        return {};
    }
    ::close(fd);
    stream.open(temporary, std::ios::out | std::ios::trunc);
    return temporary;
}

// The open stream keeps writing to the same file under its new name.
PublishResult PublishPendingFile(std::ofstream& /*stream*/, const std::string& temporary,
                                 const std::string& path, bool replace, std::string& error)
{
    if (replace) {
        if (std::rename(temporary.c_str(), path.c_str()) != 0) {
            error = std::strerror(errno);
            return PublishResult::kFailed;
        }
        return PublishResult::kPublished;
    }
    // link() never replaces: a file that appeared meanwhile is kept.
    if (::link(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        return errno == EEXIST ? PublishResult::kNameTaken : PublishResult::kFailed;
    }
    ::unlink(temporary.c_str());
    return PublishResult::kPublished;
}

void RemovePendingFile(const std::string& temporary)
{
    ::unlink(temporary.c_str());
}
