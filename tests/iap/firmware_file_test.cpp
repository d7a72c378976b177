#include "libs/iap/firmware_file.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> SampleImage(size_t size)
{
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i)
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    return image;
}

TEST(FirmwareFile, RoundTripsBoardVersionAndImage)
{
    const std::vector<uint8_t> image = SampleImage(1000);
    const std::vector<uint8_t> bytes = BuildFirmwareFile(image, 3, 24);
    ASSERT_EQ(bytes.size(), kFirmwareHeaderSize + image.size());
    std::string error;
    const FirmwareFile file = ParseFirmwareFile(bytes, error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(file.m_header.m_board_id, 3u);
    EXPECT_EQ(file.m_header.m_version, 24);
    EXPECT_EQ(file.m_header.m_image_size, 1000u);
    EXPECT_EQ(file.m_image, image);
    EXPECT_EQ(FirmwareVersionText(24), "V2.4");
}

struct Damage {
    const char* name;
    void (*apply)(std::vector<uint8_t>& bytes);
    const char* expected_error_part;
};

// Every way a file can be wrong is caught before a device is involved.
TEST(FirmwareFile, RefusesEveryKindOfDamage)
{
    const Damage damages[] = {
        {"magic", [](std::vector<uint8_t>& b) { b[0] = 'X'; }, "magic"},
        {"header byte", [](std::vector<uint8_t>& b) { b[9] ^= 1; }, "header is corrupt"},
        {"image byte", [](std::vector<uint8_t>& b) { b[kFirmwareHeaderSize + 500] ^= 0x40; }, "SHA-256"},
        {"cut short", [](std::vector<uint8_t>& b) { b.pop_back(); }, "header says"},
        {"extra byte", [](std::vector<uint8_t>& b) { b.push_back(0); }, "header says"},
        {"header only", [](std::vector<uint8_t>& b) { b.resize(30); }, "shorter"},
        {"empty", [](std::vector<uint8_t>& b) { b.clear(); }, "shorter"},
    };
    const std::vector<uint8_t> good = BuildFirmwareFile(SampleImage(1000), 3, 24);
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = good;
        damage.apply(bytes);
        std::string error;
        const FirmwareFile file = ParseFirmwareFile(bytes, error);
        EXPECT_NE(error.find(damage.expected_error_part), std::string::npos) << damage.name << ": " << error;
        EXPECT_TRUE(file.m_image.empty()) << damage.name;
    }
}

TEST(FirmwareFile, RefusesImpossibleSizesEvenWithAValidHeaderChecksum)
{
    std::string error;
    ParseFirmwareFile(BuildFirmwareFile({}, 3, 24), error);
    EXPECT_NE(error.find("impossible image size 0"), std::string::npos) << error;
}

TEST(FirmwareFile, ReportsAFileThatCannotBeRead)
{
    std::string error;
    LoadFirmwareFile("/nonexistent/firmware.cahf", error);
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

} // namespace
