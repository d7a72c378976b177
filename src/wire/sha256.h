#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// SHA-256 (FIPS 180-4). A small implementation of our own rather than a new
// library dependency: the firmware file and the bootloader only need the
// one hash, and the standard's test vectors pin it down.
using Sha256Digest = std::array<uint8_t, 32>;

class Sha256 {
public:
    Sha256();

    void Update(const uint8_t* data, size_t count);
    // The digest of everything fed so far. The object is spent afterwards.
    Sha256Digest Finish();

private:
    void Compress(const uint8_t* block);

    std::array<uint32_t, 8> m_state;
    std::array<uint8_t, 64> m_block{};
    size_t m_block_used = 0;
    uint64_t m_total_bytes = 0;
};

Sha256Digest ComputeSha256(const uint8_t* data, size_t count);

// Lower-case hexadecimal, 64 characters.
std::string DigestHex(const Sha256Digest& digest);
