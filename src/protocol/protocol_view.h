#pragma once

#include "params/gimbal_params.h"
#include "protocol/rgb.h"

// What the telemetry display refreshes after a frame: the values every frame
// carries, or those of one of the two live pages just stored.
enum class TelemetryRefresh { kEveryFrame = 0, kStatusPage = 1, kGridPage = 2 };

// The window as the protocol sees it: the status line, the telemetry, the
// news of a finished download and the three transfer buttons. The dialog implements it;
// everything is called on the user-interface thread.
class ProtocolView {
public:
    virtual ~ProtocolView() = default;

    virtual void ShowStatus(int message_id, Rgb colour) = 0;
    virtual void ClearStatus() = 0;
    virtual void RefreshTelemetry(TelemetryRefresh mode) = 0;
    // A download has ended with `params`, the gimbal's set, which the
    // link's record now holds.
    virtual void OnDownloadFinished(const GimbalParams& params) = 0;
    // "Save Param To Flash", "Upload Param" and "Download Param" together.
    virtual void EnableTransferButtons(bool enabled) = 0;
};

// The two questions a command button asks before it acts.
class CommandGate {
public:
    virtual ~CommandGate() = default;

    // Whether the serial port is open, tested under the port's lock.
    virtual bool IsPortOpen() = 0;
    // A Yes/No question with No as the default; true only for Yes.
    virtual bool Confirm(int message_id) = 0;
};
