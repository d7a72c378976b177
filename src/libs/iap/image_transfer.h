#pragma once

#include "libs/iap/boot_channel.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// Sends an image with a sliding window of write packets and cumulative
// acknowledgements: up to `window` packets in flight, each answered with the
// next offset the controller expects. A packet the controller did not take
// (lost, corrupted, out of order) makes the transfer go back to the offset
// the controller names, or, when answers stop, to the last acknowledged one.
class ImageTransfer {
public:
    struct Settings {
        uint16_t m_window = 1;
        uint16_t m_max_write = 256;
        // Longest wait for an answer while packets are in flight.
        std::chrono::milliseconds m_answer_limit{1000};
        // Waits without progress before the controller counts as stalled.
        int m_stall_limit = 3;
    };

    enum class Status {
        kDone,
        kRefused, // the controller answered with an error
        kStalled, // no progress over m_stall_limit waits
        kStopped,
        kGone,
    };

    using ProgressCallback = std::function<void(uint32_t acknowledged)>;

    ImageTransfer(BootChannel& channel, const std::vector<uint8_t>& image, Settings settings,
                  ProgressCallback on_progress);

    Status Run(uint32_t start_offset);

    uint32_t Acknowledged() const { return m_acknowledged; }
    uint32_t Retransmissions() const { return m_retransmissions; }
    // Why the controller refused, with kRefused.
    const char* RefusalText() const { return m_refusal; }

private:
    BootChannel::Status FillWindow();
    // Handles one answer; false when the transfer must end (m_status says why).
    bool HandleAnswer(const BootPacket& packet);
    void GoBackTo(uint32_t offset);

    BootChannel& m_channel;
    const std::vector<uint8_t>& m_image;
    Settings m_settings;
    ProgressCallback m_on_progress;
    uint32_t m_acknowledged = 0;
    uint32_t m_next_to_send = 0;
    // The offset the last go-back went to: further "out of order" answers
    // naming it were caused by packets already sent again.
    int64_t m_went_back_to = -1;
    uint32_t m_retransmissions = 0;
    Status m_status = Status::kDone;
    const char* m_refusal = "";
};
