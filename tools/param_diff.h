#pragma once

#include "json_value.h"
#include "params/gimbal_params.h"

#include <string>
#include <vector>

// One field whose file text differs between two records.
struct FieldDifference {
    std::string m_key;
    std::string m_first;
    std::string m_second;
};

// The fields of `first` and `second` whose values, written as a parameter
// file writes them, differ; in file order.
std::vector<FieldDifference> DiffParams(const GimbalParams& first, const GimbalParams& second);

// "key<TAB>first<TAB>second" lines, and the JSON array of the same.
std::string DifferenceLines(const std::vector<FieldDifference>& differences);
JsonValue DifferenceJson(const std::vector<FieldDifference>& differences, const char* first_name,
                         const char* second_name);
