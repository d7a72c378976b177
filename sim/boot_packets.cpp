#include "sim/boot_packets.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "wire/crc32.h"
#include "wire/little_endian.h"

namespace {

constexpr uint8_t kSync[] = {0xA7, 0x3C};
constexpr size_t kTypeAt = 2;
constexpr size_t kLengthAt = 3;
constexpr size_t kPayloadAt = 5;
constexpr size_t kCrcSize = 4;
constexpr size_t kLargestPayload = 2048;
constexpr uint8_t kAnswerBit = 0x80;
constexpr uint8_t kProtocolVersion = 1;

constexpr size_t kBeginSize = 40;
constexpr size_t kWriteOffsetSize = 4;
constexpr size_t kHashAt = 8; // in begin, after size, version and three zeros

void AppendHash(std::vector<uint8_t>& bytes, const Sha256Digest& hash)
{
    bytes.insert(bytes.end(), hash.begin(), hash.end());
}

// A status byte and its three zeros.
std::vector<uint8_t> StatusWord(BootReply status)
{
    return {static_cast<uint8_t>(status), 0, 0, 0};
}

ProtocolFrame EnterBootloaderRequest()
{
    constexpr uint8_t kCommand = 0x5C;
    constexpr uint8_t kPage = 0xB1;
    constexpr char kKey[] = "ENTER-BOOTLOADER";
    constexpr size_t kKeySize = sizeof kKey - 1;
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = kCommand;
    frame[kFramePageOffset] = kPage;
    std::memcpy(frame.data() + kFramePayloadOffset, kKey, kKeySize);
    StoreU32(frame.data() + kFramePayloadOffset + kKeySize,
             Crc32(frame.data() + kFramePayloadOffset, kKeySize));
    SealFrame(frame);
    return frame;
}

} // namespace

void BootPacketReader::Feed(const uint8_t* data, size_t count, std::vector<ReceivedPacket>& packets)
{
    m_pending.insert(m_pending.end(), data, data + count);
    while (TakeOne(packets)) {
    }
}

bool BootPacketReader::TakeOne(std::vector<ReceivedPacket>& packets)
{
    const auto sync = std::search(m_pending.begin(), m_pending.end(), std::begin(kSync), std::end(kSync));
    // Bytes before a sync are noise; a last A7 may be the start of one.
    const bool keep_last = sync == m_pending.end() && !m_pending.empty() && m_pending.back() == kSync[0];
    m_pending.erase(m_pending.begin(), keep_last ? m_pending.end() - 1 : sync);
    if (m_pending.size() < kPayloadAt)
        return false;
    const size_t length = LoadU16(m_pending.data() + kLengthAt);
    const size_t end = kPayloadAt + length + kCrcSize;
    if (length <= kLargestPayload && m_pending.size() < end)
        return false;
    if (length > kLargestPayload || Crc32(m_pending.data() + kTypeAt, end - kCrcSize - kTypeAt) !=
                                        LoadU32(m_pending.data() + end - kCrcSize)) {
        m_pending.erase(m_pending.begin()); // hunt again one byte after this sync
        return true;
    }
    packets.push_back(
        {m_pending[kTypeAt], {m_pending.begin() + kPayloadAt, m_pending.begin() + end - kCrcSize}});
    m_pending.erase(m_pending.begin(), m_pending.begin() + end);
    return true;
}

std::vector<uint8_t> AnswerPacket(BootRequest request, const std::vector<uint8_t>& payload)
{
    std::vector<uint8_t> packet(std::begin(kSync), std::end(kSync));
    packet.push_back(static_cast<uint8_t>(static_cast<uint8_t>(request) | kAnswerBit));
    AppendU16(packet, static_cast<uint16_t>(payload.size()));
    packet.insert(packet.end(), payload.begin(), payload.end());
    AppendU32(packet, Crc32(packet.data() + kTypeAt, packet.size() - kTypeAt));
    return packet;
}

std::vector<uint8_t> InfoPayload(const DeviceInfo& info)
{
    std::vector<uint8_t> payload{kProtocolVersion, static_cast<uint8_t>(info.image_valid ? 1 : 0),
                                 info.image_version, 0};
    AppendU16(payload, info.window);
    AppendU16(payload, info.max_write);
    AppendU32(payload, info.board_id);
    AppendU32(payload, info.flash_size);
    AppendU32(payload, info.page_size);
    AppendHash(payload, info.image_hash);
    return payload;
}

std::vector<uint8_t> StatusPayload(BootReply status, uint32_t offset)
{
    std::vector<uint8_t> payload = StatusWord(status);
    AppendU32(payload, offset);
    return payload;
}

std::vector<uint8_t> VerifyPayload(BootReply status, const Sha256Digest& computed)
{
    std::vector<uint8_t> payload = StatusWord(status);
    AppendHash(payload, computed);
    return payload;
}

std::optional<BeginFields> ParseBegin(const std::vector<uint8_t>& payload)
{
    if (payload.size() != kBeginSize)
        return std::nullopt;
    BeginFields begin{LoadU32(payload.data()), payload[4], {}};
    std::copy_n(payload.begin() + kHashAt, begin.image_hash.size(), begin.image_hash.begin());
    return begin;
}

std::optional<WriteFields> ParseWrite(const std::vector<uint8_t>& payload)
{
    if (payload.size() <= kWriteOffsetSize)
        return std::nullopt; // an offset needs at least one byte of data
    return WriteFields{LoadU32(payload.data()), {payload.begin() + kWriteOffsetSize, payload.end()}};
}

bool IsEnterBootloaderRequest(const ProtocolFrame& frame)
{
    static const ProtocolFrame kRequest = EnterBootloaderRequest();
    return frame == kRequest;
}
