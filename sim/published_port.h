#pragma once

#include <optional>
#include <string>

// The convention by which a simulator's pseudo-terminal is found: a symbolic
// link named after the simulator in a private folder (PublishedPortDirectory()),
// pointing at the /dev/pts/N slave.

// Removes links in `folder` that no longer lead to a live port: those whose
// target is gone, and those named "orvane-sim-<pid>" whose process has ended.
void RemoveStaleLinks(const std::string& folder);

// Owns one published link and removes it on destruction (only while the link
// still points at this port, so a successor's link is never taken away).
class PublishedPort {
public:
    // Creates `folder` (and its parent) with mode 0700 if needed, removes
    // stale links and links `folder`/`name` to `target`. Fails with a message
    // when the name is taken by a live port or the folder cannot be used.
    static std::optional<PublishedPort> Publish(const std::string& folder, const std::string& name,
                                                const std::string& target, std::string& error);

    PublishedPort(PublishedPort&& other) noexcept;
    PublishedPort& operator=(PublishedPort&&) = delete;
    ~PublishedPort();

    const std::string& Path() const { return m_path; }
    void Remove();

private:
    PublishedPort(std::string path, std::string target);

    std::string m_path;
    std::string m_target;
};
