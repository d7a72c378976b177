#pragma once

// Ids of the message-table texts the window shows or compares with by name.
// (Command and acknowledgement messages come with the command table.)
inline constexpr int kMsgPortOpenFailed = 131;
inline constexpr int kMsgPortTransmitError = 132;
inline constexpr int kMsgEnteringUpgrade = 143;
inline constexpr int kMsgUpgradeSuccessful = 144;
inline constexpr int kMsgUpgrading = 145;
inline constexpr int kMsgDeviceTypeError = 146;
inline constexpr int kMsgUpgradeFailed = 147;
inline constexpr int kMsgUpgrade = 196;
inline constexpr int kMsgCancel = 197;
inline constexpr int kMsgStartDebug = 198;
inline constexpr int kMsgStopDebug = 199;
inline constexpr int kMsgParamFileOpened = 246;
