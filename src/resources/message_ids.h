#pragma once

#include "resources/resource_id.h"

// Ids of the message-table texts that code names. The messages of each
// command and acknowledgement come with the command table.
enum class MessageId : int {
    kPortOpenFailed = 131,
    kTransmitError = 132,
    kGimbalIdle = 133, // the first of the four gimbal states, in state order
    kGimbalPaused = 136,
    kConditionsNotSatisfied = 137,
    kParamUploading = 139,
    kParamUploadDone = 140,
    kParamDownloading = 141,
    kParamDownloadDone = 142,
    kEnteringUpgrade = 143,
    kUpgradeSuccessful = 144,
    kUpgrading = 145,
    kDeviceTypeError = 146,
    kUpgradeFailed = 147,
    kUpgrade = 196,
    kCancel = 197,
    kStartDebug = 198,
    kStopDebug = 199,
    kRollGainTip = 222,
    kAllGainTip = 223,
    kYawGainTip = 224,
    kParamFileOpened = 246,
};
