#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "sim/boot_packets.h"
#include "sim/sim_flash.h"

struct BootloaderOptions {
    uint32_t board_id = 1;
    uint16_t window = 8;       // write packets accepted in flight
    uint16_t max_write = 1024; // data bytes per write packet
    // Faults.
    double corrupt_rate = 0;                    // fraction of write packets that arrive corrupted
    std::optional<double> stall_at_percent;     // answers nothing once this much is written
    std::optional<double> power_cut_at_percent; // loses power once, when this much is written
    uint32_t seed = 1;
};

// The controller's bootloader: answers the packets of the upgrade protocol
// and keeps the image in a SimFlash. Writes are taken only in order; each is
// answered with the next offset expected, so a host with several packets in
// flight learns at once where to go back to.
class BootloaderModel {
public:
    BootloaderModel(BootloaderOptions options, SimFlash& flash);

    // Takes bytes the PC wrote; answers collect in Output().
    void Receive(const uint8_t* data, size_t count);
    std::vector<uint8_t>& Output() { return m_output; }

    // True once, when the power-cut fault has struck: the caller drops what
    // is on the line and calls Restart after the outage.
    bool TakePowerCut();
    // The controller starts again: what was in RAM is gone, the flash stays.
    void Restart();
    // True after a boot request was accepted: the caller starts the image.
    bool WantsToStartImage() const { return m_start_image; }

private:
    // A status and an offset: where to resume (begin), the next offset
    // expected (write) or 0 (boot).
    struct Reply {
        BootReply status = BootReply::kOk;
        uint32_t offset = 0;
    };
    struct VerifyReply {
        BootReply status = BootReply::kOk;
        Sha256Digest computed{};
    };

    void Handle(const ReceivedPacket& packet);
    void Answer(BootRequest request, const std::vector<uint8_t>& payload);
    Reply Begin(const BeginFields& request);
    Reply Write(const WriteFields& request);
    VerifyReply Verify();
    void CheckFaultTriggers();
    bool Chance(double rate);

    BootloaderOptions m_options;
    SimFlash& m_flash;
    BootPacketReader m_reader;
    std::vector<uint8_t> m_output;
    std::mt19937 m_rng;
    bool m_stalled = false;
    bool m_power_cut_pending = false;
    bool m_power_cut_done = false;
    bool m_start_image = false;
};
