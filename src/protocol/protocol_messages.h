#pragma once

// Ids of the status-line messages the protocol shows outside the command
// table. The window turns an id into text in the current language.
inline constexpr int kMsgPortOpenFailed = 131;
inline constexpr int kMsgTransmitError = 132;
inline constexpr int kMsgConditionsNotSatisfied = 137;
inline constexpr int kMsgParamUploading = 139;
inline constexpr int kMsgParamUploadDone = 140;
inline constexpr int kMsgParamDownloading = 141;
inline constexpr int kMsgParamDownloadDone = 142;
