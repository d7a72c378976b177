#pragma once

#include "protocol/guarded_params.h"
#include "protocol/protocol_frame.h"

#include <atomic>
#include <cstdint>

// What the link is asking of the gimbal right now. The user-interface thread
// (buttons, timer, decoder) changes it; the sender thread reads it once per
// period through BuildNextFrame. Each selector is one atomic store, so the
// sender sees either the old or the new request, never a mix.
struct TransactionState {
    // Auto-stop counter value meaning "no valid frame seen yet".
    static constexpr int32_t kNotCounting = -1;

    std::atomic<uint8_t> m_command{0};         // pending command code, 0 = none
    std::atomic<uint8_t> m_page{0};            // requested page
    std::atomic<int32_t> m_transfer_active{0}; // non-zero during an upload or download
    std::atomic<int32_t> m_autostop_count{kNotCounting};
    std::atomic<int32_t> m_autostop{0}; // the auto-stop setting, non-zero = on
    // Mirrors the enabled state of the three transfer buttons, which the
    // upload handler tests before it starts.
    std::atomic<bool> m_transfer_buttons_enabled{false};
    GuardedParams m_params;

    // The frame for this send period.
    ProtocolFrame BuildNextFrame() const;
};
