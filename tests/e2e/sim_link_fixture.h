#pragma once

#include "link/gimbal_session.h"
#include "params/param_fields.h"
#include "support/scratch_folder.h"
#include "support/sim_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Short periods keep the suite fast: one simulated frame every 2 ms, one
// outbound frame every 5 ms, calibrations of a tenth of a second.
inline constexpr int kTestSendPeriodMs = 5;
inline const std::vector<std::string> kFastSim{"--period", "2", "--cal-seconds", "0.1", "--seed", "7"};

// Deadlines are generous: they only bound a test that would otherwise hang.
inline constexpr std::chrono::seconds kPatience{15};

// Keys whose file text differs, so that a failure names the fields.
inline std::vector<std::string> DifferingKeys(const GimbalParams& got, const GimbalParams& expected)
{
    std::vector<std::string> keys;
    for (const ParamField& field : ParamFieldTable()) {
        const std::string got_text = FormatParamField(got, field);
        const std::string expected_text = FormatParamField(expected, field);
        if (got_text != expected_text)
            keys.push_back(field.key + ": " + got_text + " instead of " + expected_text);
    }
    return keys;
}

// A scratch folder, a simulator in it and helpers to drive a session.
class SimLinkTest : public testing::Test {
protected:
    SimProcess& StartSim(std::vector<std::string> options = {})
    {
        options.insert(options.begin(), kFastSim.begin(), kFastSim.end());
        m_sim = std::make_unique<SimProcess>(m_folder.Path(), options);
        return *m_sim;
    }

    static bool Pump(GimbalSession& session, const std::function<bool()>& done)
    {
        return session.PumpUntil(done, GimbalSession::Clock::now() + kPatience);
    }

    // Pumps for `duration` whatever happens, as a window idling would.
    static void PumpFor(GimbalSession& session, std::chrono::milliseconds duration)
    {
        session.PumpUntil([] { return false; }, GimbalSession::Clock::now() + duration);
    }

    // The transfer buttons come back only when a transfer has completed.
    static bool PumpUntilTransferDone(GimbalSession& session)
    {
        return Pump(session, [&] {
            return session.State().m_transfer_buttons_enabled.load() &&
                   session.State().m_transfer_active == 0;
        });
    }

    ScratchFolder m_folder{"e2e"};
    std::unique_ptr<SimProcess> m_sim;
};
