#pragma once

#include "resources/resource_id.h"

// Template ids of the dialog's controls that code reaches by name. The
// parameter controls are reached through the binding table
// (params/panel_binding.h), the command buttons through the command table
// (protocol/command_table.h), the live values through the telemetry field
// table (app/telemetry_fields.h); the dialog template holds every id.
enum class ControlId : int {
    kPortBox = 1001,
    kLinkButton = 1002, // "Start Debug" / "Stop Debug": its caption is the link's state
    kGimbalTypeBox = 1003,
    kCameraTypeBox = 1004,
    kUploadButton = 1007,
    kDownloadButton = 1008,
    kProductTypeBox = 1009,
    kFlashButton = 1010, // "Save Param To Flash", also a command of the command table
    kOpenParamButton = 1014,
    kSaveParamButton = 1015,
    kViewHost = 1018,
    kOpenFirmwareButton = 1027,
    kUpgradeButton = 1028,
    kLanguageBox = 1030,
    kMainVersion = 1046,
    kGimbalState = 1058,
    kHardwareSummary = 1059,
    kRangerTypeBox = 1063,
    kStatusCode = 1067,
    kStatusLine = 1068,
    kViewRadio3D = 1115, // the first of the five view radio buttons
    kViewRadioLast = 1119,
    kLevelBar = 1152,
    kChannelLevels = 1180,
    kGrid = 1186,
};

// "Save Param To Flash", "Upload Param", "Download Param": enabled together.
inline constexpr ControlId kTransferButtons[] = {ControlId::kFlashButton, ControlId::kUploadButton,
                                                 ControlId::kDownloadButton};
