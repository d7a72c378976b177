#include "param_diff.h"

#include "params/param_fields.h"

std::vector<FieldDifference> DiffParams(const GimbalParams& first, const GimbalParams& second)
{
    std::vector<FieldDifference> differences;
    for (const ParamField& field : ParamFieldTable()) {
        std::string first_text = FormatParamField(first, field);
        std::string second_text = FormatParamField(second, field);
        if (first_text != second_text) {
            differences.push_back({field.key, std::move(first_text), std::move(second_text)});
        }
    }
    return differences;
}

std::string DifferenceLines(const std::vector<FieldDifference>& differences)
{
    std::string text;
    for (const FieldDifference& difference : differences) {
        text += difference.m_key + "\t" + difference.m_first + "\t" + difference.m_second + "\n";
    }
    return text;
}

JsonValue DifferenceJson(const std::vector<FieldDifference>& differences, const char* first_name,
                         const char* second_name)
{
    JsonValue list = JsonValue::Array{};
    for (const FieldDifference& difference : differences) {
        list.Push(JsonValue::MakeObject()
                      .Add("key", difference.m_key)
                      .Add(first_name, difference.m_first)
                      .Add(second_name, difference.m_second));
    }
    return list;
}
