#include "json_value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

JsonValue& JsonValue::Add(std::string key, JsonValue value)
{
    std::get<Object>(m_value).emplace_back(std::move(key), std::move(value));
    return *this;
}

void JsonValue::Push(JsonValue value)
{
    std::get<Array>(m_value).push_back(std::move(value));
}

std::string JsonQuote(std::string_view text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                quoted += escape;
            } else {
                quoted += c; // UTF-8 passes through unchanged
            }
        }
    }
    return quoted + "\"";
}

namespace {

std::string SerialiseReal(double value)
{
    if (!std::isfinite(value)) {
        return "null"; // JSON has no infinities or NaN
    }
    return MachineReal(value);
}

} // namespace

std::string JsonValue::Serialise() const
{
    struct Visitor {
        std::string operator()(std::nullptr_t) const { return "null"; }
        std::string operator()(bool value) const { return value ? "true" : "false"; }
        std::string operator()(int64_t value) const { return std::to_string(value); }
        std::string operator()(double value) const { return SerialiseReal(value); }
        std::string operator()(const std::string& value) const { return JsonQuote(value); }
        std::string operator()(const Array& values) const
        {
            std::string text = "[";
            for (size_t i = 0; i < values.size(); ++i) {
                text += (i ? "," : "") + values[i].Serialise();
            }
            return text + "]";
        }
        std::string operator()(const Object& members) const
        {
            std::string text = "{";
            for (size_t i = 0; i < members.size(); ++i) {
                text += (i ? "," : "") + JsonQuote(members[i].first) + ":" + members[i].second.Serialise();
            }
            return text + "}";
        }
    };
    return std::visit(Visitor{}, m_value);
}
