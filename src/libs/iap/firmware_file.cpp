#include "libs/iap/firmware_file.h"

#include "platform/atomic_file.h"
#include "wire/crc32.h"
#include "wire/little_endian.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t kMagic[4] = {'C', 'A', 'H', 'F'};
constexpr uint16_t kFormatVersion = 1;

// Byte offsets inside the header.
constexpr size_t kMagicOffset = 0;
constexpr size_t kFormatOffset = 4;
constexpr size_t kHeaderSizeOffset = 6;
constexpr size_t kBoardOffset = 8;
constexpr size_t kVersionOffset = 12;
constexpr size_t kImageSizeOffset = 16;
constexpr size_t kHashOffset = 24;
constexpr size_t kHeaderCrcOffset = 60;

std::string CheckHeader(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < kFirmwareHeaderSize)
        return "the file is shorter than a firmware header (" + std::to_string(bytes.size()) + " bytes)";
    if (!std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin() + kMagicOffset))
        return "not a firmware file (wrong magic)";
    if (Crc32(bytes.data(), kHeaderCrcOffset) != LoadU32(bytes.data() + kHeaderCrcOffset))
        return "the firmware header is corrupt (checksum mismatch)";
    if (LoadU16(bytes.data() + kFormatOffset) != kFormatVersion)
        return "unsupported firmware file format " + std::to_string(LoadU16(bytes.data() + kFormatOffset));
    if (LoadU16(bytes.data() + kHeaderSizeOffset) != kFirmwareHeaderSize)
        return "unexpected firmware header size";
    if (LoadU32(bytes.data() + kVersionOffset) > 0xFF)
        return "the firmware version is out of range";
    return {};
}

} // namespace

std::vector<uint8_t> BuildFirmwareFile(const std::vector<uint8_t>& image, uint32_t board_id, uint8_t version)
{
    std::vector<uint8_t> bytes(std::begin(kMagic), std::end(kMagic));
    AppendU16(bytes, kFormatVersion);
    AppendU16(bytes, kFirmwareHeaderSize);
    AppendU32(bytes, board_id);
    AppendU32(bytes, version);
    AppendU32(bytes, static_cast<uint32_t>(image.size()));
    AppendU32(bytes, 0); // reserved
    const Sha256Digest hash = ComputeSha256(image.data(), image.size());
    bytes.insert(bytes.end(), hash.begin(), hash.end());
    bytes.resize(kHeaderCrcOffset, 0); // reserved up to the checksum
    AppendU32(bytes, Crc32(bytes.data(), kHeaderCrcOffset));
    bytes.insert(bytes.end(), image.begin(), image.end());
    return bytes;
}

FirmwareFile ParseFirmwareFile(const std::vector<uint8_t>& bytes, std::string& error)
{
    error = CheckHeader(bytes);
    if (!error.empty())
        return {};
    FirmwareFile file;
    FirmwareHeader& header = file.m_header;
    header.m_board_id = LoadU32(bytes.data() + kBoardOffset);
    header.m_version = static_cast<uint8_t>(LoadU32(bytes.data() + kVersionOffset));
    header.m_image_size = LoadU32(bytes.data() + kImageSizeOffset);
    std::memcpy(header.m_image_hash.data(), bytes.data() + kHashOffset, header.m_image_hash.size());
    if (header.m_image_size == 0 || header.m_image_size > kMaxFirmwareImageSize) {
        error = "impossible image size " + std::to_string(header.m_image_size);
        return {};
    }
    if (bytes.size() != kFirmwareHeaderSize + header.m_image_size) {
        error = "the file holds " + std::to_string(bytes.size() - kFirmwareHeaderSize) +
                " image bytes, its header says " + std::to_string(header.m_image_size);
        return {};
    }
    file.m_image.assign(bytes.begin() + kFirmwareHeaderSize, bytes.end());
    if (ComputeSha256(file.m_image.data(), file.m_image.size()) != header.m_image_hash) {
        error = "the image does not match its SHA-256 (file damaged)";
        return {};
    }
    return file;
}

FirmwareFile LoadFirmwareFile(const std::string& path, std::string& error)
{
    std::string contents;
    switch (ReadWholeFile(path, kFirmwareHeaderSize + kMaxFirmwareImageSize, contents)) {
    case FileReadResult::Read:
        break;
    case FileReadResult::Missing:
        error = "'" + path + "' does not exist";
        return {};
    case FileReadResult::Failed:
        error = "'" + path + "' cannot be read as a firmware file";
        return {};
    }
    FirmwareFile file = ParseFirmwareFile(std::vector<uint8_t>(contents.begin(), contents.end()), error);
    if (!error.empty())
        error = "'" + path + "': " + error;
    return file;
}

std::string FirmwareVersionText(uint8_t version)
{
    return "V" + std::to_string(version / 10) + "." + std::to_string(version % 10);
}
