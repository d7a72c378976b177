#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "protocol/protocol_frame.h"
#include "wire/sha256.h"

// The controller's side of the upgrade protocol, written from its
// documentation (src/libs/iap/README.md) and not from the PC's code: the
// simulator checks the PC's packets instead of mirroring them.
//
//     A7 3C | type (1) | length (2) | payload (at most 2048) | CRC-32 (4)
//
// The CRC-32 covers type, length and payload; every field is little-endian.

enum class BootRequest : uint8_t {
    kGetInfo = 0x01,
    kBegin = 0x02,
    kWrite = 0x03,
    kVerify = 0x04,
    kBoot = 0x05,
};

// The status byte that opens every answer but the information.
enum class BootReply : uint8_t {
    kOk = 0,
    kOutOfOrder = 1,
    kNoUpgradeBegun = 2,
    kMalformed = 3, // a malformed request, or a write outside the image
    kTooLarge = 4,
    kHashMismatch = 5,
    kIncomplete = 6,
    kNoValidImage = 7,
};

struct ReceivedPacket {
    uint8_t type = 0;
    std::vector<uint8_t> payload;
};

// Finds the packets in the bytes the PC writes. A packet whose length is too
// large or whose CRC fails is dropped and the hunt for A7 3C resumes one byte
// after its sync, so noise or a stray 80-byte frame costs nothing beyond itself.
class BootPacketReader {
public:
    void Feed(const uint8_t* data, size_t count, std::vector<ReceivedPacket>& packets);
    void Clear() { m_pending.clear(); }

private:
    // Takes one packet, or what cannot start one, off the front. False when
    // more bytes are needed.
    bool TakeOne(std::vector<ReceivedPacket>& packets);

    std::vector<uint8_t> m_pending;
};

// The answer packet to `request`: its type plus 0x80, carrying `payload`.
std::vector<uint8_t> AnswerPacket(BootRequest request, const std::vector<uint8_t>& payload);

struct DeviceInfo {
    bool image_valid = false;
    uint8_t image_version = 0;
    uint16_t window = 0;
    uint16_t max_write = 0;
    uint32_t board_id = 0;
    uint32_t flash_size = 0;
    uint32_t page_size = 0;
    Sha256Digest image_hash{};
};

// The payloads of the answers: information; status and offset (begin, write
// and boot); status and the hash computed (verify).
std::vector<uint8_t> InfoPayload(const DeviceInfo& info);
std::vector<uint8_t> StatusPayload(BootReply status, uint32_t offset);
std::vector<uint8_t> VerifyPayload(BootReply status, const Sha256Digest& computed);

struct BeginFields {
    uint32_t image_size = 0;
    uint8_t version = 0;
    Sha256Digest image_hash{};
};

struct WriteFields {
    uint32_t offset = 0;
    std::vector<uint8_t> data;
};

// The requests' payloads; nothing for a malformed one.
std::optional<BeginFields> ParseBegin(const std::vector<uint8_t>& payload);
std::optional<WriteFields> ParseWrite(const std::vector<uint8_t>& payload);

// True for the one 80-byte frame that sends the running firmware into its
// bootloader, compared whole.
bool IsEnterBootloaderRequest(const ProtocolFrame& frame);
