#include "platform/number_text.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <system_error>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Skips white space and one sign; true when the sign was a minus.
bool SkipSpaceAndSign(std::string_view& text)
{
    while (!text.empty() && IsCSpace(text.front())) {
        text.remove_prefix(1);
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    return negative;
}

// For a number beyond the range of a double: true when it is too large,
// false when too small. Such a number lies hundreds of powers of ten away
// from 1, so the place of its first significant digit and its exponent tell.
bool IsTooLarge(std::string_view number)
{
    const bool hex = number.size() > 1 && (number[1] == 'x' || number[1] == 'X');
    if (hex) {
        number.remove_prefix(2);
    }
    // A hexadecimal digit is four bits against a binary exponent.
    const int digit_weight = hex ? 4 : 1;
    const auto is_digit = [hex](char c) { return hex ? HexDigitValue(c) >= 0 : c >= '0' && c <= '9'; };
    size_t i = number.find_first_not_of('0');
    int64_t magnitude = 0;
    for (; i < number.size() && is_digit(number[i]); ++i) {
        magnitude += digit_weight;
    }
    if (magnitude == 0 && i < number.size() && number[i] == '.') {
        for (++i; i < number.size() && number[i] == '0'; ++i) {
            magnitude -= digit_weight;
        }
    }
    const size_t exponent_mark = number.find_first_of(hex ? "pP" : "eE");
    const int64_t exponent =
        exponent_mark == std::string_view::npos ? 0 : ParseIntLikeAtoi(number.substr(exponent_mark + 1));
    return magnitude + exponent > 0;
}

template <typename... Options> std::string ToChars(double value, Options... options)
{
    char buffer[400]; // "%.1f" of the largest double needs 311 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, options...);
    return std::string(buffer, result.ptr);
}

} // namespace

int32_t ParseIntLikeAtoi(std::string_view text)
{
    const bool negative = SkipSpaceAndSign(text);
    constexpr int64_t kMagnitudeLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kMagnitudeLimit);
    }
    const int64_t value = negative ? -magnitude : std::min(magnitude, kMagnitudeLimit - 1);
    return static_cast<int32_t>(value);
}

double ParseDoubleLikeAtof(std::string_view text)
{
    const bool negative = SkipSpaceAndSign(text);
    if (!text.empty() && text.front() == '-') {
        return 0.0; // a second sign is no number
    }
    double value = 0.0;
    std::from_chars_result result{text.data(), std::errc::invalid_argument};
    // After "0x" comes a hexadecimal digit or point, never a sign, infinity or NaN.
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                     (HexDigitValue(text[2]) >= 0 || text[2] == '.');
    if (hex) {
        result = std::from_chars(text.data() + 2, text.data() + text.size(), value, std::chars_format::hex);
    }
    if (result.ec == std::errc::invalid_argument) { // "0x" without hexadecimal digits reads as "0"
        result = std::from_chars(text.data(), text.data() + text.size(), value);
    }
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view number(text.data(), static_cast<size_t>(result.ptr - text.data()));
        value = IsTooLarge(number) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

uint32_t ParseHexLikeWcstoul(std::string_view text)
{
    const bool negative = SkipSpaceAndSign(text);
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
        HexDigitValue(text[2]) >= 0) {
        text.remove_prefix(2);
    }
    constexpr uint64_t kLimit = std::numeric_limits<uint32_t>::max();
    uint64_t value = 0;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        value = std::min(value * 16 + static_cast<uint64_t>(digit), kLimit + 1);
    }
    if (value > kLimit) {
        return static_cast<uint32_t>(kLimit); // out of range saturates, sign or not
    }
    const auto result = static_cast<uint32_t>(value);
    return negative ? static_cast<uint32_t>(0u - result) : result;
}

std::string FormatInt(int32_t value)
{
    return std::to_string(value);
}

std::string FormatG(double value)
{
    return ToChars(value, std::chars_format::general, 6);
}

std::string FormatFixed1(double value)
{
    return ToChars(value, std::chars_format::fixed, 1);
}

std::string FormatHex32(uint32_t value)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x00000000";
    for (size_t i = text.size() - 1; value != 0; --i, value >>= 4) {
        text[i] = kDigits[value & 0xF];
    }
    return text;
}
