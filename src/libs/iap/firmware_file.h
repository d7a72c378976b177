#pragma once

#include "wire/sha256.h"

#include <cstdint>
#include <string>
#include <vector>

// A firmware file (".cahf"): a 64-byte header, then the image. The layout is
// documented in README.md beside this file.
struct FirmwareHeader {
    uint32_t m_board_id = 0;     // the device type the image is built for
    uint8_t m_version = 0;       // main version byte, major * 10 + minor
    uint32_t m_image_size = 0;   // bytes of image after the header
    Sha256Digest m_image_hash{}; // SHA-256 of the image
};

struct FirmwareFile {
    FirmwareHeader m_header;
    std::vector<uint8_t> m_image;
};

inline constexpr size_t kFirmwareHeaderSize = 64;
// No controller we make has more flash than this; a larger size is corrupt.
inline constexpr uint32_t kMaxFirmwareImageSize = 16u * 1024 * 1024;

// Builds the file's bytes for `image`.
std::vector<uint8_t> BuildFirmwareFile(const std::vector<uint8_t>& image, uint32_t board_id, uint8_t version);

// Checks everything a file claims: magic, format version, header checksum,
// sizes, and the image's hash. Returns the file, or an empty image and a
// sentence saying what is wrong in `error`.
FirmwareFile ParseFirmwareFile(const std::vector<uint8_t>& bytes, std::string& error);

// Reads and checks the file at `path`; `error` as above (also for a file that
// cannot be read).
FirmwareFile LoadFirmwareFile(const std::string& path, std::string& error);

// "V2.4" for the version byte 24.
std::string FirmwareVersionText(uint8_t version);
