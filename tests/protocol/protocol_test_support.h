#pragma once

#include "protocol/protocol_frame.h"
#include "protocol/protocol_view.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

// A byte placed at a frame offset.
using FrameByte = std::pair<size_t, uint8_t>;

// A sealed gimbal-to-PC frame with the given acknowledgement, page echo and
// payload bytes; everything else is 0.
inline ProtocolFrame InboundFrame(uint8_t ack, uint8_t page, std::initializer_list<FrameByte> bytes = {})
{
    ProtocolFrame frame{};
    frame[0] = kInboundHeader0;
    frame[1] = kInboundHeader1;
    frame[kFrameCodeOffset] = ack;
    frame[kFramePageOffset] = page;
    for (const auto& [offset, value] : bytes)
        frame[offset] = value;
    SealFrame(frame);
    return frame;
}

struct ShownStatus {
    int message_id;
    Rgb colour;
    friend bool operator==(const ShownStatus&, const ShownStatus&) = default;
};

// Records every effect the protocol has on the window.
class RecordingView : public ProtocolView {
public:
    void ShowStatus(int message_id, Rgb colour) override { statuses.push_back({message_id, colour}); }
    void ClearStatus() override { ++clears; }
    void RefreshTelemetry(TelemetryRefresh mode) override { refreshes.push_back(mode); }
    void OnDownloadFinished(const GimbalParams& params) override { downloads.push_back(params); }
    void EnableTransferButtons(bool enabled) override { button_changes.push_back(enabled); }

    int LastMessage() const { return statuses.empty() ? 0 : statuses.back().message_id; }
    // Drops what was recorded so far.
    void Forget()
    {
        statuses.clear();
        clears = 0;
        refreshes.clear();
        downloads.clear();
        button_changes.clear();
    }

    std::vector<ShownStatus> statuses;
    int clears = 0;
    std::vector<TelemetryRefresh> refreshes;
    std::vector<GimbalParams> downloads; // the sets finished downloads came with
    std::vector<bool> button_changes;
};

// A port that is open or not, and an operator who answers Yes or No.
class ScriptedGate : public CommandGate {
public:
    bool IsPortOpen() override { return port_open; }
    bool Confirm(int message_id) override
    {
        questions.push_back(message_id);
        return answer_yes;
    }

    bool port_open = true;
    bool answer_yes = true;
    std::vector<int> questions;
};
