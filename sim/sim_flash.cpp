#include "sim/sim_flash.h"

#include <algorithm>

namespace {

constexpr uint8_t kErased = 0xFF;
// The factory image: a pattern in the first pages stands for the old firmware.
constexpr uint32_t kFactoryImageSize = 4096;

} // namespace

SimFlash::SimFlash(uint32_t size, uint32_t page_size, uint8_t version)
    : m_bytes(size, kErased), m_page_size(page_size)
{
    const uint32_t image_size = std::min(kFactoryImageSize, size);
    for (uint32_t i = 0; i < image_size; ++i)
        m_bytes[i] = static_cast<uint8_t>(i * 13 + version);
    m_mark = {true, version, image_size, HashOf(image_size)};
}

void SimFlash::ErasePage(uint32_t page)
{
    const uint32_t start = page * m_page_size;
    std::fill(m_bytes.begin() + start,
              m_bytes.begin() + std::min<size_t>(start + m_page_size, m_bytes.size()), kErased);
    ++m_page_erasures;
}

void SimFlash::Write(uint32_t offset, const std::vector<uint8_t>& data)
{
    const uint32_t last_page = (offset + static_cast<uint32_t>(data.size()) - 1) / m_page_size;
    while (m_session.erased_pages <= last_page)
        ErasePage(m_session.erased_pages++);
    std::copy(data.begin(), data.end(), m_bytes.begin() + offset);
    m_session.written = offset + static_cast<uint32_t>(data.size());
}

Sha256Digest SimFlash::HashOf(uint32_t size) const
{
    return ComputeSha256(m_bytes.data(), std::min<size_t>(size, m_bytes.size()));
}
