#include "wire/little_endian.h"

#include <gtest/gtest.h>

namespace {

TEST(LittleEndian, FieldsAtOddPositionsLowByteFirstWithSign)
{
    uint8_t bytes[7] = {};
    StoreU16(bytes + 1, 0xFF85); // -123 as a signed field
    StoreU32(bytes + 3, 0x80000001);
    EXPECT_EQ(bytes[1], 0x85);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0x01);
    EXPECT_EQ(bytes[6], 0x80);
    EXPECT_EQ(LoadU16(bytes + 1), 0xFF85);
    EXPECT_EQ(LoadS16(bytes + 1), -123);
    EXPECT_EQ(LoadU32(bytes + 3), 0x80000001u);
    EXPECT_EQ(LoadS32(bytes + 3), INT32_MIN + 1);

    std::vector<uint8_t> appended{0xAA};
    AppendU16(appended, 0x1234);
    AppendU32(appended, 0xCAFEBABE);
    EXPECT_EQ(appended, (std::vector<uint8_t>{0xAA, 0x34, 0x12, 0xBE, 0xBA, 0xFE, 0xCA}));
}

} // namespace
