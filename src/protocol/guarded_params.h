#pragma once

#include "params/gimbal_params.h"

#include <mutex>

// The parameter record shared by the user-interface thread, which edits it,
// and the sender thread, which sends it. Every access holds the lock, so a
// frame is built from a copy that no writer is halfway through.
class GuardedParams {
public:
    GimbalParams Snapshot() const
    {
        std::lock_guard lock(m_params_lock);
        return m_params;
    }

    void Replace(const GimbalParams& params)
    {
        std::lock_guard lock(m_params_lock);
        m_params = params;
    }

    // Runs `edit(GimbalParams&)` under the lock; keep it short, the sender
    // thread waits meanwhile.
    template <class Edit> void Update(Edit&& edit)
    {
        std::lock_guard lock(m_params_lock);
        edit(m_params);
    }

private:
    mutable std::mutex m_params_lock;
    GimbalParams m_params{};
};
