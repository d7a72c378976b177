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
    void UpdatePanelFromParams() override { ++panel_updates; }
    void UpdateParamsFromPanel() override
    {
        ++panel_copies;
        if (on_panel_copy)
            on_panel_copy();
    }
    void EnableTransferButtons(bool enabled) override { button_changes.push_back(enabled); }

    int LastMessage() const { return statuses.empty() ? 0 : statuses.back().message_id; }
    // Drops what was recorded so far, keeping the panel-copy hook.
    void Forget()
    {
        statuses.clear();
        clears = 0;
        refreshes.clear();
        panel_updates = 0;
        panel_copies = 0;
        button_changes.clear();
    }

    std::vector<ShownStatus> statuses;
    int clears = 0;
    std::vector<TelemetryRefresh> refreshes;
    int panel_updates = 0;
    int panel_copies = 0;
    std::vector<bool> button_changes;
    std::function<void()> on_panel_copy;
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
