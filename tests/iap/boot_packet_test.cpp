#include "libs/iap/boot_messages.h"
#include "libs/iap/bootloader_request.h"
#include "support/boot_golden_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::vector<BootPacket> Decode(const std::vector<uint8_t>& bytes, size_t piece = 1000000)
{
    BootPacketDecoder decoder;
    std::vector<BootPacket> packets;
    for (size_t at = 0; at < bytes.size(); at += piece)
        decoder.Feed(bytes.data() + at, std::min(piece, bytes.size() - at), packets);
    return packets;
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> bytes;
    for (const auto& part : parts)
        bytes.insert(bytes.end(), part.begin(), part.end());
    return bytes;
}

TEST(BootPacket, DecodesPacketsSplitAnywhere)
{
    const std::vector<uint8_t> data{1, 2, 3, kBootSync0, kBootSync1, 9};
    const std::vector<uint8_t> bytes =
        Join({EncodeWritePacket(2048, data.data(), data.size()), BootPacketBytes(BootType::kVerify)});
    for (size_t piece : {1u, 2u, 5u, 100u}) {
        const std::vector<BootPacket> packets = Decode(bytes, piece);
        ASSERT_EQ(packets.size(), 2u) << piece;
        const std::optional<WriteRequest> write = DecodeWrite(packets[0].m_payload);
        ASSERT_TRUE(write);
        EXPECT_EQ(write->m_offset, 2048u);
        EXPECT_EQ(write->m_data, data);
        EXPECT_EQ(packets[1].m_type, static_cast<uint8_t>(BootType::kVerify));
    }
}

TEST(BootPacket, ResynchronisesAfterGarbageCorruptionAndNormalFrames)
{
    std::vector<uint8_t> corrupted = BootPacketBytes(BootType::kGetInfo, {1, 2, 3, 4});
    corrupted[6] ^= 0x10;
    const ProtocolFrame frame = MakeEnterBootloaderFrame();
    // A false sync with a huge length must not swallow the packet after it.
    const std::vector<uint8_t> false_sync{kBootSync0, kBootSync1, 3, 0xFF, 0x7F};
    const std::vector<uint8_t> bytes = Join({{0x00, kBootSync0, 0x55},
                                             corrupted,
                                             false_sync,
                                             std::vector<uint8_t>(frame.begin(), frame.end()),
                                             BootPacketBytes(BootType::kBoot, {7})});
    BootPacketDecoder decoder;
    std::vector<BootPacket> packets;
    decoder.Feed(bytes.data(), bytes.size(), packets);
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].m_type, static_cast<uint8_t>(BootType::kBoot));
    EXPECT_EQ(packets[0].m_payload, std::vector<uint8_t>{7});
    EXPECT_GE(decoder.RejectedPackets(), 2u);
}

TEST(BootMessages, RoundTripAndRejectWrongSizes)
{
    BootInfo info;
    info.m_app_valid = true;
    info.m_app_version = 23;
    info.m_window = 8;
    info.m_max_write = 1024;
    info.m_board_id = 0x01020304;
    info.m_flash_size = 512 * 1024;
    info.m_page_size = 2048;
    info.m_app_hash[31] = 0xAB;
    const std::optional<BootInfo> decoded = DecodeInfo(EncodeInfo(info));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->m_board_id, info.m_board_id);
    EXPECT_EQ(decoded->m_window, 8);
    EXPECT_EQ(decoded->m_max_write, 1024);
    EXPECT_EQ(decoded->m_app_hash, info.m_app_hash);
    EXPECT_TRUE(decoded->m_app_valid);

    const std::optional<BootAnswer> answer = DecodeAnswer(EncodeAnswer({BootStatus::kOutOfOrder, 4096}));
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->m_status, BootStatus::kOutOfOrder);
    EXPECT_EQ(answer->m_offset, 4096u);

    std::vector<uint8_t> unknown_status = EncodeAnswer({BootStatus::kOk, 0});
    unknown_status[0] = 99;
    EXPECT_FALSE(DecodeAnswer(unknown_status));
    EXPECT_FALSE(DecodeInfo({1, 2, 3}));
    EXPECT_FALSE(DecodeBegin({}));
    EXPECT_FALSE(DecodeWrite({0, 0, 0, 0})); // an offset without data
}

Sha256Digest GoldenHash(uint8_t first)
{
    Sha256Digest hash;
    const std::vector<uint8_t> bytes = boot_golden::CountingBytes(first);
    std::copy(bytes.begin(), bytes.end(), hash.begin());
    return hash;
}

// The payload of one whole golden packet, decoded by the engine's own decoder.
BootPacket OnlyPacket(const std::vector<uint8_t>& bytes)
{
    const std::vector<BootPacket> packets = Decode(bytes);
    return packets.size() == 1 ? packets[0] : BootPacket{};
}

TEST(BootPacketLayout, RequestsAreByteForByteAsDocumented)
{
    EXPECT_EQ(BootPacketBytes(BootType::kGetInfo), boot_golden::kGetInfo);
    EXPECT_EQ(BootPacketBytes(BootType::kBegin, EncodeBegin({0x12345, 24, GoldenHash(0x00)})),
              boot_golden::kBegin);
    const std::vector<uint8_t> data{0xDE, 0xAD, 0xBE, 0xEF};
    EXPECT_EQ(EncodeWritePacket(0x400, data.data(), data.size()), boot_golden::kWrite);
    EXPECT_EQ(BootPacketBytes(BootType::kVerify), boot_golden::kVerify);
    EXPECT_EQ(BootPacketBytes(BootType::kBoot), boot_golden::kBoot);
}

TEST(BootPacketLayout, AnswersAreReadAsDocumented)
{
    const BootPacket info_packet = OnlyPacket(boot_golden::kInfoAnswer);
    EXPECT_EQ(info_packet.m_type, static_cast<uint8_t>(BootType::kInfo));
    const std::optional<BootInfo> info = DecodeInfo(info_packet.m_payload);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->m_protocol_version, 1);
    EXPECT_TRUE(info->m_app_valid);
    EXPECT_EQ(info->m_app_version, 23);
    EXPECT_EQ(info->m_window, 8);
    EXPECT_EQ(info->m_max_write, 1024);
    EXPECT_EQ(info->m_board_id, 0x01020304u);
    EXPECT_EQ(info->m_flash_size, 512u * 1024);
    EXPECT_EQ(info->m_page_size, 2048u);
    EXPECT_EQ(info->m_app_hash, GoldenHash(0xA0));

    const struct {
        const std::vector<uint8_t>& bytes;
        BootType type;
        BootStatus status;
        uint32_t offset;
    } answers[] = {
        {boot_golden::kBeginAnswer, BootType::kBeginAnswer, BootStatus::kOk, 0xC00},
        {boot_golden::kWriteAnswer, BootType::kWriteAnswer, BootStatus::kOutOfOrder, 0x400},
        {boot_golden::kBootAnswer, BootType::kBootAnswer, BootStatus::kOk, 0},
    };
    for (const auto& expected : answers) {
        const BootPacket packet = OnlyPacket(expected.bytes);
        EXPECT_EQ(packet.m_type, static_cast<uint8_t>(expected.type));
        const std::optional<BootAnswer> answer = DecodeAnswer(packet.m_payload);
        ASSERT_TRUE(answer) << static_cast<int>(expected.type);
        EXPECT_EQ(answer->m_status, expected.status);
        EXPECT_EQ(answer->m_offset, expected.offset);
    }

    const BootPacket verify_packet = OnlyPacket(boot_golden::kVerifyAnswer);
    EXPECT_EQ(verify_packet.m_type, static_cast<uint8_t>(BootType::kVerifyAnswer));
    const std::optional<VerifyAnswer> verify = DecodeVerifyAnswer(verify_packet.m_payload);
    ASSERT_TRUE(verify);
    EXPECT_EQ(verify->m_status, BootStatus::kHashMismatch);
    EXPECT_EQ(verify->m_computed_hash, GoldenHash(0x40));
}

TEST(BootPacketLayout, TheEnterBootloaderFrameIsByteForByteAsDocumented)
{
    const ProtocolFrame frame = MakeEnterBootloaderFrame();
    EXPECT_EQ(std::vector<uint8_t>(frame.begin(), frame.end()), boot_golden::kEnterBootloaderFrame);
}

} // namespace
