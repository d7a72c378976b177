#include "sim/line_faults.h"

LineFaults::LineFaults(LineFaultOptions options, uint32_t seed) : m_options(options), m_rng(seed) {}

bool LineFaults::Chance(double rate)
{
    // A rate of 0 draws nothing, so a clean line keeps the generator's
    // sequence for the faults that are switched on.
    return rate > 0 && m_unit(m_rng) < rate;
}

std::vector<uint8_t> LineFaults::Transmit(const ProtocolFrame& frame)
{
    ProtocolFrame sent = frame;
    if (Chance(m_options.crc_error_rate)) {
        // Any change of one CRC byte makes the check over 80 bytes fail.
        const uint8_t flip = static_cast<uint8_t>(1u << (m_rng() % 8));
        sent[kFrameCrcOffset + m_rng() % 2] ^= flip;
    }
    std::vector<uint8_t> bytes;
    bytes.reserve(kFrameSize + 8);
    for (uint8_t byte : sent) {
        if (Chance(m_options.garbage_rate))
            bytes.push_back(static_cast<uint8_t>(m_rng() & 0xFF));
        if (!Chance(m_options.drop_rate))
            bytes.push_back(byte);
    }
    return bytes;
}
