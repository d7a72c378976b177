#pragma once

#include "params/param_fields.h"

#include <string>
#include <vector>

// Keys whose file text differs, so that a failure names the fields.
inline std::vector<std::string> DifferingKeys(const GimbalParams& got, const GimbalParams& expected)
{
    std::vector<std::string> keys;
    for (const ParamField& field : ParamFieldTable()) {
        const std::string got_text = FormatParamField(got, field);
        const std::string expected_text = FormatParamField(expected, field);
        if (got_text != expected_text)
            keys.push_back(field.key + ": " + got_text + " instead of " + expected_text);
    }
    return keys;
}
