#include "libs/iap/boot_packet.h"

#include "wire/crc32.h"
#include "wire/little_endian.h"

#include <algorithm>

namespace {

constexpr size_t kTypeOffset = 2;
constexpr size_t kLengthOffset = 3;
constexpr size_t kPayloadOffset = 5;
constexpr size_t kCrcSize = 4;

} // namespace

std::vector<uint8_t> EncodeBootPacket(uint8_t type, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> bytes{kBootSync0, kBootSync1, type};
    bytes.reserve(payload.size() + kBootPacketOverhead);
    AppendU16(bytes, static_cast<uint16_t>(payload.size()));
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    AppendU32(bytes, Crc32(bytes.data() + kTypeOffset, bytes.size() - kTypeOffset));
    return bytes;
}

void BootPacketDecoder::Feed(const uint8_t* data, size_t count, std::vector<BootPacket>& packets)
{
    m_pending.insert(m_pending.end(), data, data + count);
    while (TakeOne(packets)) {
    }
}

bool BootPacketDecoder::TakeOne(std::vector<BootPacket>& packets)
{
    const uint8_t sync[] = {kBootSync0, kBootSync1};
    const auto start = std::search(m_pending.begin(), m_pending.end(), std::begin(sync), std::end(sync));
    if (start == m_pending.end()) {
        // Keep a trailing first sync byte: its partner may be on its way.
        const bool half_sync = !m_pending.empty() && m_pending.back() == kBootSync0;
        m_pending.erase(m_pending.begin(), half_sync ? m_pending.end() - 1 : m_pending.end());
        return false;
    }
    m_pending.erase(m_pending.begin(), start);
    if (m_pending.size() < kPayloadOffset)
        return false;
    const size_t length = LoadU16(m_pending.data() + kLengthOffset);
    if (length > kMaxBootPayload) {
        ++m_rejected;
        m_pending.erase(m_pending.begin());
        return true;
    }
    const size_t total = kPayloadOffset + length + kCrcSize;
    if (m_pending.size() < total)
        return false;
    const uint32_t crc = Crc32(m_pending.data() + kTypeOffset, total - kCrcSize - kTypeOffset);
    if (crc != LoadU32(m_pending.data() + total - kCrcSize)) {
        ++m_rejected;
        m_pending.erase(m_pending.begin());
        return true;
    }
    packets.push_back({m_pending[kTypeOffset], std::vector<uint8_t>(m_pending.begin() + kPayloadOffset,
                                                                    m_pending.begin() + total - kCrcSize)});
    m_pending.erase(m_pending.begin(), m_pending.begin() + total);
    return true;
}
