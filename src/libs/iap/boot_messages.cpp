#include "libs/iap/boot_messages.h"

#include "wire/little_endian.h"

#include <algorithm>

namespace {

constexpr size_t kInfoSize = 52;
constexpr size_t kBeginSize = 40;
constexpr size_t kWriteHeaderSize = 4;
constexpr size_t kAnswerSize = 8;
constexpr size_t kVerifyAnswerSize = 36;
constexpr uint8_t kLastStatus = static_cast<uint8_t>(BootStatus::kNoValidImage);

void AppendDigest(std::vector<uint8_t>& bytes, const Sha256Digest& digest)
{
    bytes.insert(bytes.end(), digest.begin(), digest.end());
}

Sha256Digest ReadDigest(const uint8_t* bytes)
{
    Sha256Digest digest;
    std::copy(bytes, bytes + digest.size(), digest.begin());
    return digest;
}

// A status byte followed by three reserved bytes.
void AppendStatus(std::vector<uint8_t>& bytes, BootStatus status)
{
    bytes.insert(bytes.end(), {static_cast<uint8_t>(status), 0, 0, 0});
}

std::optional<BootStatus> ReadStatus(uint8_t byte)
{
    if (byte > kLastStatus)
        return std::nullopt;
    return static_cast<BootStatus>(byte);
}

} // namespace

const char* BootStatusText(BootStatus status)
{
    static const char* const kTexts[] = {
        "accepted",
        "out of order",
        "no upgrade begun",
        "malformed request",
        "image larger than the flash",
        "the flash does not match the image's SHA-256",
        "image incomplete",
        "no valid image to start",
    };
    return kTexts[static_cast<size_t>(status)];
}

std::vector<uint8_t> EncodeInfo(const BootInfo& info)
{
    std::vector<uint8_t> bytes{info.m_protocol_version, static_cast<uint8_t>(info.m_app_valid ? 1 : 0),
                               info.m_app_version, 0};
    AppendU16(bytes, info.m_window);
    AppendU16(bytes, info.m_max_write);
    AppendU32(bytes, info.m_board_id);
    AppendU32(bytes, info.m_flash_size);
    AppendU32(bytes, info.m_page_size);
    AppendDigest(bytes, info.m_app_hash);
    return bytes;
}

std::optional<BootInfo> DecodeInfo(const std::vector<uint8_t>& payload)
{
    if (payload.size() != kInfoSize)
        return std::nullopt;
    const uint8_t* p = payload.data();
    BootInfo info;
    info.m_protocol_version = p[0];
    info.m_app_valid = p[1] != 0;
    info.m_app_version = p[2];
    info.m_window = LoadU16(p + 4);
    info.m_max_write = LoadU16(p + 6);
    info.m_board_id = LoadU32(p + 8);
    info.m_flash_size = LoadU32(p + 12);
    info.m_page_size = LoadU32(p + 16);
    info.m_app_hash = ReadDigest(p + 20);
    return info;
}

std::vector<uint8_t> EncodeBegin(const BeginRequest& request)
{
    std::vector<uint8_t> bytes;
    AppendU32(bytes, request.m_image_size);
    bytes.insert(bytes.end(), {request.m_version, 0, 0, 0});
    AppendDigest(bytes, request.m_image_hash);
    return bytes;
}

std::optional<BeginRequest> DecodeBegin(const std::vector<uint8_t>& payload)
{
    if (payload.size() != kBeginSize)
        return std::nullopt;
    return BeginRequest{LoadU32(payload.data()), payload[4], ReadDigest(payload.data() + 8)};
}

std::vector<uint8_t> EncodeWritePacket(uint32_t offset, const uint8_t* data, size_t count)
{
    std::vector<uint8_t> payload;
    payload.reserve(kWriteHeaderSize + count);
    AppendU32(payload, offset);
    payload.insert(payload.end(), data, data + count);
    return BootPacketBytes(BootType::kWrite, payload);
}

std::optional<WriteRequest> DecodeWrite(const std::vector<uint8_t>& payload)
{
    if (payload.size() <= kWriteHeaderSize)
        return std::nullopt;
    return WriteRequest{LoadU32(payload.data()),
                        std::vector<uint8_t>(payload.begin() + kWriteHeaderSize, payload.end())};
}

std::vector<uint8_t> EncodeAnswer(const BootAnswer& answer)
{
    std::vector<uint8_t> bytes;
    AppendStatus(bytes, answer.m_status);
    AppendU32(bytes, answer.m_offset);
    return bytes;
}

std::optional<BootAnswer> DecodeAnswer(const std::vector<uint8_t>& payload)
{
    if (payload.size() != kAnswerSize)
        return std::nullopt;
    const std::optional<BootStatus> status = ReadStatus(payload[0]);
    if (!status)
        return std::nullopt;
    return BootAnswer{*status, LoadU32(payload.data() + 4)};
}

std::vector<uint8_t> EncodeVerifyAnswer(const VerifyAnswer& answer)
{
    std::vector<uint8_t> bytes;
    AppendStatus(bytes, answer.m_status);
    AppendDigest(bytes, answer.m_computed_hash);
    return bytes;
}

std::optional<VerifyAnswer> DecodeVerifyAnswer(const std::vector<uint8_t>& payload)
{
    if (payload.size() != kVerifyAnswerSize)
        return std::nullopt;
    const std::optional<BootStatus> status = ReadStatus(payload[0]);
    if (!status)
        return std::nullopt;
    return VerifyAnswer{*status, ReadDigest(payload.data() + 4)};
}
