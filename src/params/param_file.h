#pragma once

#include "params/gimbal_params.h"

#include <string>
#include <string_view>

// A parameter file: an INI file whose section "Param" holds one key per
// record field (see ParamFieldTable for keys, formats and defaults).

inline constexpr std::string_view kParamFileSection = "Param";

// Replaces every field of `params` with the file's value, or the key's
// default when the file, the section or the key is missing. A calibration
// block of the wrong length or with a failing checksum becomes 136 zero bytes.
void LoadParamFile(const std::string& path, GimbalParams& params);

// Loads like LoadParamFile when the file exists and can be read; otherwise
// returns false and leaves `params` as it was, so that a failed open neither
// wipes the record nor passes for a success.
bool TryLoadParamFile(const std::string& path, GimbalParams& params);

// Writes the 98 keys in table order into section "Param", leaving other
// sections and keys as they are, in one atomic replacement of the file.
// Returns false when the file could not be written (it is then unchanged).
bool SaveParamFile(const std::string& path, const GimbalParams& params);
