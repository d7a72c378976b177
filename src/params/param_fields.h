#pragma once

#include "params/gimbal_params.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The keys of a parameter file, in the order a save writes them, with how
// each is written and read and which record field it holds.

// How a value is written; each format has its matching parse.
enum class ParamFormat {
    Integer,          // "%d", read like atoi
    Real,             // "%g", read like atof
    RealOneDecimal,   // "%.1f", read like atof
    Hex,              // "0x%08X", read like wcstoul base 16
    CalibrationBlock, // 272 upper-case hex digits, accepted only with a valid checksum
};

// An entry of the five-entry channel map.
struct ChannelMapEntry {
    size_t index;
};

// The 136-byte motor calibration block.
struct CalibrationBlockSlot {};

using ParamSlot = std::variant<int32_t GimbalParams::*, uint32_t GimbalParams::*, double GimbalParams::*,
                               ChannelMapEntry, CalibrationBlockSlot>;

struct ParamField {
    std::string key;
    ParamFormat format;
    std::string default_text; // what a missing key reads as
    ParamSlot slot;
};

// The 98 keys in file order.
const std::vector<ParamField>& ParamFieldTable();

// The field whose key matches without regard to ASCII case, or nullptr.
const ParamField* FindParamField(std::string_view key);

// The field's value as the file stores it.
std::string FormatParamField(const GimbalParams& params, const ParamField& field);

// Stores the value `text` stands for. A calibration block is taken only when
// it is 272 or 273 characters long and its checksum holds; otherwise the block
// becomes 136 zero bytes.
void ParseParamField(GimbalParams& params, const ParamField& field, std::string_view text);
