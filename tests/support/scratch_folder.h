#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

// A fresh folder under the system's temporary folder for one test, removed with everything in it when
// the object goes. Named after `tag` so a leftover shows whose it was.
class ScratchFolder {
public:
    explicit ScratchFolder(std::string_view tag)
    {
        // create_directory reports false for a name already taken: a new
        // name is tried, as mkdtemp would.
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = base / ("orvane-" + std::string(tag) + "-" + std::to_string(random()));
            if (std::filesystem::create_directory(m_path))
                return;
        }
        throw std::runtime_error("cannot create a scratch folder");
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    // The path of `name` inside the folder.
    std::string File(std::string_view name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteWholeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
