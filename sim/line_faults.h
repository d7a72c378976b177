#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "protocol/protocol_frame.h"

// Faults of a noisy line, applied to each frame on its way out.
struct LineFaultOptions {
    double crc_error_rate = 0; // fraction of frames sent with a wrong CRC
    double drop_rate = 0;      // fraction of bytes lost
    double garbage_rate = 0;   // chance of a random byte before each byte
};

class LineFaults {
public:
    LineFaults(LineFaultOptions options, uint32_t seed);

    // The bytes that reach the line for one frame.
    std::vector<uint8_t> Transmit(const ProtocolFrame& frame);

private:
    bool Chance(double rate);

    LineFaultOptions m_options;
    std::mt19937 m_rng;
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
};
