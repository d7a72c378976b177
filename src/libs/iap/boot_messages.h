#pragma once

#include "libs/iap/boot_packet.h"
#include "wire/sha256.h"

#include <cstdint>
#include <optional>
#include <vector>

// The requests and answers of the bootloader protocol, shared by the upgrade
// engine and the simulated controller. Layouts in README.md.

inline constexpr uint8_t kBootProtocolVersion = 1;

enum class BootType : uint8_t {
    kGetInfo = 0x01,
    kBegin = 0x02,
    kWrite = 0x03,
    kVerify = 0x04,
    kBoot = 0x05,
    // An answer has the type of its request with the high bit set.
    kInfo = 0x81,
    kBeginAnswer = 0x82,
    kWriteAnswer = 0x83,
    kVerifyAnswer = 0x84,
    kBootAnswer = 0x85,
};

enum class BootStatus : uint8_t {
    kOk = 0,
    kOutOfOrder = 1,   // a write not at the next expected offset; ignored
    kNoSession = 2,    // write or verify without a begun image
    kBadRequest = 3,   // malformed request, or a write outside the image
    kTooLarge = 4,     // the image does not fit the flash
    kHashMismatch = 5, // verify: the flash does not hold the announced image
    kIncomplete = 6,   // verify before every byte was written
    kNoValidImage = 7, // boot: nothing valid to start
};

const char* BootStatusText(BootStatus status);

struct BootInfo {
    uint8_t m_protocol_version = kBootProtocolVersion;
    bool m_app_valid = false;
    uint8_t m_app_version = 0;
    uint16_t m_window = 0;    // write packets the controller accepts in flight
    uint16_t m_max_write = 0; // data bytes per write packet
    uint32_t m_board_id = 0;
    uint32_t m_flash_size = 0;
    uint32_t m_page_size = 0;
    Sha256Digest m_app_hash{};
};

struct BeginRequest {
    uint32_t m_image_size = 0;
    uint8_t m_version = 0;
    Sha256Digest m_image_hash{};
};

struct WriteRequest {
    uint32_t m_offset = 0;
    std::vector<uint8_t> m_data;
};

// The answer to begin, write and boot: a status and an offset (begin: where
// to resume; write: the next offset expected; boot: 0).
struct BootAnswer {
    BootStatus m_status = BootStatus::kOk;
    uint32_t m_offset = 0;
};

struct VerifyAnswer {
    BootStatus m_status = BootStatus::kOk;
    Sha256Digest m_computed_hash{};
};

std::vector<uint8_t> EncodeInfo(const BootInfo& info);
std::optional<BootInfo> DecodeInfo(const std::vector<uint8_t>& payload);

std::vector<uint8_t> EncodeBegin(const BeginRequest& request);
std::optional<BeginRequest> DecodeBegin(const std::vector<uint8_t>& payload);

// Write packets are built straight from the image, without a copy.
std::vector<uint8_t> EncodeWritePacket(uint32_t offset, const uint8_t* data, size_t count);
std::optional<WriteRequest> DecodeWrite(const std::vector<uint8_t>& payload);

std::vector<uint8_t> EncodeAnswer(const BootAnswer& answer);
std::optional<BootAnswer> DecodeAnswer(const std::vector<uint8_t>& payload);

std::vector<uint8_t> EncodeVerifyAnswer(const VerifyAnswer& answer);
std::optional<VerifyAnswer> DecodeVerifyAnswer(const std::vector<uint8_t>& payload);

// A whole packet of `type` carrying `payload`.
inline std::vector<uint8_t> BootPacketBytes(BootType type, const std::vector<uint8_t>& payload = {})
{
    return EncodeBootPacket(static_cast<uint8_t>(type), payload);
}
