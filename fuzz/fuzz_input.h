#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

// Takes a fuzz input apart: numbers and strings in turn, never reading past
// its end (what is missing reads as zero or empty).
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }

    int32_t Int32()
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = value << 8 | Byte();
        return static_cast<int32_t>(value);
    }

    // A string of up to 255 bytes, its length first.
    std::string Text()
    {
        const size_t length = std::min<size_t>(Byte(), m_size - m_pos);
        std::string text(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length;
        return text;
    }

    std::string_view Rest() const { return {reinterpret_cast<const char*>(m_data + m_pos), m_size - m_pos}; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Stops the run with a message when a property does not hold; libFuzzer
// keeps the input that did it.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);           \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// A file path of this process's own under the temporary folder.
inline std::string ScratchPath(std::string_view name)
{
    return "/tmp/orvane-fuzz-" + std::to_string(getpid()) + "-" + std::string(name);
}

inline std::string ReadWholeFile(const std::string& path)
{
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            text.append(chunk, got);
        std::fclose(file);
    }
    return text;
}

inline void WriteWholeFile(const std::string& path, std::string_view text)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
}
