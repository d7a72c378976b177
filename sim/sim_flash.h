#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wire/sha256.h"

inline constexpr uint32_t kSimFlashPageSize = 2048;

// The controller's program flash as its bootloader sees it: bytes erased a
// page at a time, the validity mark of the installed image, and the record
// of an unfinished upgrade. All of it survives a power cut.
class SimFlash {
public:
    struct ImageMark {
        bool valid = false;
        uint8_t version = 0;
        uint32_t size = 0;
        Sha256Digest hash{};
    };

    // An upgrade begun and not yet verified.
    struct Session {
        bool active = false;
        uint32_t size = 0;
        uint8_t version = 0;
        Sha256Digest hash{};
        uint32_t written = 0;      // bytes written from offset 0 on
        uint32_t erased_pages = 0; // pages erased from page 0 on
    };

    // A flash holding a valid image of `version`.
    SimFlash(uint32_t size, uint32_t page_size, uint8_t version);

    uint32_t Size() const { return static_cast<uint32_t>(m_bytes.size()); }
    uint32_t PageSize() const { return m_page_size; }

    // Writes `data` at `offset`, erasing every page it reaches that was not
    // erased in this session yet. The session's written count advances.
    void Write(uint32_t offset, const std::vector<uint8_t>& data);

    Sha256Digest HashOf(uint32_t size) const;

    ImageMark& Mark() { return m_mark; }
    Session& CurrentSession() { return m_session; }
    size_t PageErasures() const { return m_page_erasures; }

private:
    void ErasePage(uint32_t page);

    std::vector<uint8_t> m_bytes;
    uint32_t m_page_size;
    ImageMark m_mark;
    Session m_session;
    size_t m_page_erasures = 0;
};
