#pragma once

#include <cstdint>
#include <string_view>

// Short names for the main dialog's controls that show no caption of their
// own (value fields, edit fields, combo boxes, the status line, the 3D view's
// host, the level bar, the channel strip, the grid and the visible-area
// frame), built from the row and column labels beside them, for screen
// readers and tooltips. Chinese for kLanguageChinese, English for any other
// language; empty for controls with a caption and for unknown ids.
std::string_view AccessibleName(int control_id, uint16_t language);
