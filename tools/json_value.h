#pragma once

#include "app/format_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// A JSON value for the machine-readable output. Objects keep their members
// in insertion order so that the output reads in the same order as the text
// form. Reals are written with MachineReal.
class JsonValue {
public:
    using Array = std::vector<JsonValue>;
    using Object = std::vector<std::pair<std::string, JsonValue>>;

    JsonValue() = default; // null
    JsonValue(bool value) : m_value(value) {}
    JsonValue(int value) : m_value(int64_t{value}) {}
    JsonValue(int64_t value) : m_value(value) {}
    JsonValue(double value) : m_value(value) {}
    JsonValue(const char* value) : m_value(std::string(value)) {}
    JsonValue(std::string value) : m_value(std::move(value)) {}
    JsonValue(std::string_view value) : m_value(std::string(value)) {}
    JsonValue(Array value) : m_value(std::move(value)) {}

    static JsonValue MakeObject() { return JsonValue(Object{}); }

    // Appends a member to an object; returns *this for chaining.
    JsonValue& Add(std::string key, JsonValue value);

    // Appends an element to an array.
    void Push(JsonValue value);

    std::string Serialise() const;

private:
    explicit JsonValue(Object value) : m_value(std::move(value)) {}

    std::variant<std::nullptr_t, bool, int64_t, double, std::string, Array, Object> m_value;
};

// `text` as a quoted JSON string with the needed escapes.
std::string JsonQuote(std::string_view text);
