#pragma once

// Template ids of the controls the dialog's handlers reach by name. The
// parameter controls are reached through the binding table, the telemetry
// fields through the telemetry texts, the command buttons through the
// command table.
inline constexpr int kPortBox = 1001;
inline constexpr int kLinkButton = 1002;
inline constexpr int kUploadButton = 1007;
inline constexpr int kDownloadButton = 1008;
inline constexpr int kFlashButton = 1010;
inline constexpr int kViewHost = 1018;
inline constexpr int kUpgradeButton = 1028;
inline constexpr int kLanguageBox = 1030;
inline constexpr int kVersionField = 1046;
inline constexpr int kStatusLine = 1068;
inline constexpr int kViewRadio3D = 1115;
inline constexpr int kLevelBar = 1152;
inline constexpr int kProductTypeBox = 1009;
inline constexpr int kGimbalTypeBox = 1003;
inline constexpr int kCameraTypeBox = 1004;
inline constexpr int kRangerTypeBox = 1063;

// "Save Param To Flash", "Upload Param", "Download Param": enabled together.
inline constexpr int kTransferButtons[] = {kFlashButton, kUploadButton, kDownloadButton};
