#include "protocol/crc16.h"
#include "protocol/protocol_frame.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>

namespace {

uint16_t CrcOf(std::string_view text)
{
    return crc16(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 0);
}

// An outbound frame with only the header, command and page set.
ProtocolFrame SealedOutbound(uint8_t command, uint8_t page)
{
    ProtocolFrame frame{};
    frame[0] = kOutboundHeader0;
    frame[1] = kOutboundHeader1;
    frame[kFrameCodeOffset] = command;
    frame[kFramePageOffset] = page;
    SealFrame(frame);
    return frame;
}

TEST(Crc16, MatchesXmodemCheckValues)
{
    EXPECT_EQ(CrcOf("123456789"), 0x31C3);
    EXPECT_EQ(CrcOf("abc"), 0x9DD6);
}

TEST(Crc16, StartValueContinuesARunningCrc)
{
    const std::string_view text = "123456789";
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const uint16_t head = crc16(bytes, 4, 0);
    EXPECT_EQ(crc16(bytes + 4, 5, head), 0x31C3);
}

TEST(Crc16, AgreesWithBitwiseReference)
{
    auto bitwise = [](const uint8_t* data, size_t count, uint16_t crc) {
        for (size_t i = 0; i < count; ++i) {
            crc ^= static_cast<uint16_t>(data[i] << 8);
            for (int bit = 0; bit < 8; ++bit)
                crc = static_cast<uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        }
        return crc;
    };
    uint8_t data[256];
    for (int i = 0; i < 256; ++i)
        data[i] = static_cast<uint8_t>(i * 37 + 11);
    for (uint16_t start : {0x0000, 0xABCD, 0xFFFF})
        EXPECT_EQ(crc16(data, sizeof data, start), bitwise(data, sizeof data, start));
}

TEST(FrameSeal, KnownOutboundFramesEndWithListedCrc)
{
    struct Case {
        uint8_t command, page, high, low;
    };
    for (const Case& c : {Case{0, 0, 0x48, 0xE5}, Case{0, 33, 0x09, 0xF2}, Case{0, 17, 0xB8, 0x79},
                          Case{1, 33, 0xE8, 0x8E}}) {
        const ProtocolFrame frame = SealedOutbound(c.command, c.page);
        EXPECT_EQ(frame[78], c.high) << int(c.command) << "/" << int(c.page);
        EXPECT_EQ(frame[79], c.low) << int(c.command) << "/" << int(c.page);
    }
}

TEST(FrameCheck, SealedFramePassesAndDamagedFrameFails)
{
    ProtocolFrame frame = SealedOutbound(3, 17);
    frame[40] = 0x6C;
    frame[41] = 0xB9;
    SealFrame(frame);
    EXPECT_TRUE(CheckFrame(frame));

    ProtocolFrame swapped = frame;
    std::swap(swapped[78], swapped[79]);
    ASSERT_NE(frame[78], frame[79]);
    EXPECT_FALSE(CheckFrame(swapped));

    for (size_t i = 0; i < kFrameSize; ++i) {
        ProtocolFrame flipped = frame;
        flipped[i] ^= 0x01;
        EXPECT_FALSE(CheckFrame(flipped)) << "byte " << i;
    }
}

} // namespace
