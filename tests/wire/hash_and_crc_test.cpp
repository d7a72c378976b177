#include "wire/crc32.h"
#include "wire/sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string HashOf(const std::string& text)
{
    return DigestHex(ComputeSha256(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

TEST(Sha256, MatchesTheStandardsTestVectors)
{
    EXPECT_EQ(HashOf(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(HashOf("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(HashOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    EXPECT_EQ(HashOf(std::string(1000000, 'a')),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(Sha256, GivesTheSameDigestWhateverTheFeedPieces)
{
    // Lengths around the 55/56/64-byte padding edges, fed in odd pieces.
    for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 200u}) {
        std::string text(length, 'x');
        for (size_t i = 0; i < length; ++i)
            text[i] = static_cast<char>('a' + i % 26);
        Sha256 pieces;
        for (size_t at = 0; at < length; at += 7)
            pieces.Update(reinterpret_cast<const uint8_t*>(text.data()) + at,
                          std::min<size_t>(7, length - at));
        EXPECT_EQ(DigestHex(pieces.Finish()), HashOf(text)) << length;
    }
}

TEST(Crc32, MatchesTheCheckValue)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

} // namespace
