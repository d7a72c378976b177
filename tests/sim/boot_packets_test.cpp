#include "sim/boot_packets.h"
#include "support/boot_golden_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

Sha256Digest GoldenHash(uint8_t first)
{
    Sha256Digest hash;
    const std::vector<uint8_t> bytes = boot_golden::CountingBytes(first);
    std::copy(bytes.begin(), bytes.end(), hash.begin());
    return hash;
}

std::vector<ReceivedPacket> Read(const std::vector<uint8_t>& bytes, size_t piece = 1000000)
{
    BootPacketReader reader;
    std::vector<ReceivedPacket> packets;
    for (size_t at = 0; at < bytes.size(); at += piece)
        reader.Feed(bytes.data() + at, std::min(piece, bytes.size() - at), packets);
    return packets;
}

TEST(SimBootPackets, AnswersAreByteForByteAsDocumented)
{
    const DeviceInfo info{true, 23, 8, 1024, 0x01020304, 512 * 1024, 2048, GoldenHash(0xA0)};
    EXPECT_EQ(AnswerPacket(BootRequest::kGetInfo, InfoPayload(info)), boot_golden::kInfoAnswer);
    EXPECT_EQ(AnswerPacket(BootRequest::kBegin, StatusPayload(BootReply::kOk, 0xC00)),
              boot_golden::kBeginAnswer);
    EXPECT_EQ(AnswerPacket(BootRequest::kWrite, StatusPayload(BootReply::kOutOfOrder, 0x400)),
              boot_golden::kWriteAnswer);
    EXPECT_EQ(AnswerPacket(BootRequest::kVerify, VerifyPayload(BootReply::kHashMismatch, GoldenHash(0x40))),
              boot_golden::kVerifyAnswer);
    EXPECT_EQ(AnswerPacket(BootRequest::kBoot, StatusPayload(BootReply::kOk, 0)), boot_golden::kBootAnswer);
}

TEST(SimBootPackets, RequestsAreReadAsDocumentedInAnyPieces)
{
    std::vector<uint8_t> stream;
    for (const std::vector<uint8_t>* packet :
         {&boot_golden::kGetInfo, &boot_golden::kBegin, &boot_golden::kWrite, &boot_golden::kVerify,
          &boot_golden::kBoot})
        stream.insert(stream.end(), packet->begin(), packet->end());
    for (size_t piece : {1u, 3u, 16u, 1000u}) {
        const std::vector<ReceivedPacket> packets = Read(stream, piece);
        ASSERT_EQ(packets.size(), 5u) << piece;
        const uint8_t types[] = {0x01, 0x02, 0x03, 0x04, 0x05};
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(packets[i].type, types[i]) << piece;

        const std::optional<BeginFields> begin = ParseBegin(packets[1].payload);
        ASSERT_TRUE(begin);
        EXPECT_EQ(begin->image_size, 0x12345u);
        EXPECT_EQ(begin->version, 24);
        EXPECT_EQ(begin->image_hash, GoldenHash(0x00));

        const std::optional<WriteFields> write = ParseWrite(packets[2].payload);
        ASSERT_TRUE(write);
        EXPECT_EQ(write->offset, 0x400u);
        EXPECT_EQ(write->data, (std::vector<uint8_t>{0xDE, 0xAD, 0xBE, 0xEF}));
    }
}

TEST(SimBootPackets, MalformedRequestsAreRefused)
{
    EXPECT_FALSE(ParseBegin(std::vector<uint8_t>(39)));
    EXPECT_FALSE(ParseBegin(std::vector<uint8_t>(41)));
    EXPECT_FALSE(ParseWrite({0, 4, 0, 0})) << "an offset without data";
}

TEST(SimBootPackets, CorruptionGarbageAndFalseSyncsCostOnlyThemselves)
{
    std::vector<uint8_t> corrupted = boot_golden::kBegin;
    corrupted[20] ^= 0x04;
    // A sync with a length beyond the largest payload must not swallow what follows.
    const std::vector<uint8_t> false_sync{0xA7, 0x3C, 0x03, 0x01, 0x08};
    std::vector<uint8_t> stream{0x00, 0xA7, 0x55};
    const std::vector<uint8_t>* parts[] = {&corrupted, &false_sync, &boot_golden::kEnterBootloaderFrame,
                                           &boot_golden::kVerify};
    for (const std::vector<uint8_t>* part : parts)
        stream.insert(stream.end(), part->begin(), part->end());
    stream.push_back(0xA7); // half a sync at the end stays for the next bytes
    std::vector<uint8_t> tail = boot_golden::kBoot;
    tail.erase(tail.begin());

    BootPacketReader reader;
    std::vector<ReceivedPacket> packets;
    reader.Feed(stream.data(), stream.size(), packets);
    reader.Feed(tail.data(), tail.size(), packets);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].type, 0x04);
    EXPECT_EQ(packets[1].type, 0x05);
}

TEST(SimBootPackets, OnlyTheDocumentedFrameEntersTheBootloader)
{
    ProtocolFrame frame;
    std::copy(boot_golden::kEnterBootloaderFrame.begin(), boot_golden::kEnterBootloaderFrame.end(),
              frame.begin());
    EXPECT_TRUE(IsEnterBootloaderRequest(frame));
    // Any single changed byte is refused, even with the frame's CRC made good.
    for (size_t i = 0; i < kFrameCrcOffset; ++i) {
        ProtocolFrame changed = frame;
        changed[i] ^= 0x01;
        SealFrame(changed);
        EXPECT_FALSE(IsEnterBootloaderRequest(changed)) << i;
    }
    ProtocolFrame bad_crc = frame;
    bad_crc[kFrameCrcOffset + 1] ^= 0x01;
    EXPECT_FALSE(IsEnterBootloaderRequest(bad_crc));
}

} // namespace
