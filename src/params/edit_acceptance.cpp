#include "params/edit_acceptance.h"

#include <charconv>
#include <limits>
#include <locale>
#include <regex>
#include <string>

namespace {

// The patterns spell digits as [0-9]: \d follows the C library's wide
// character classes, which on Windows take full-width digits too even in the
// classic locale. The classic locale keeps the rest locale-independent.
std::wregex ClassicRegex(const wchar_t* pattern)
{
    std::wregex regex;
    regex.imbue(std::locale::classic());
    regex.assign(pattern, std::regex::ECMAScript);
    return regex;
}

// The ASCII head of a wide text: the number syntax never goes beyond ASCII.
std::string AsciiPrefix(std::wstring_view text)
{
    std::string ascii;
    for (const wchar_t c : text) {
        if (c <= 0 || c > 0x7F) {
            break;
        }
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
}

// from_chars reports values beyond the double range without storing them;
// like the C library, read them as infinity (too large) or zero (too small).
// Too small means a negative exponent or, without one, no non-zero digit
// before the point.
double OutOfRangeValue(const std::string& number)
{
    const bool negative = !number.empty() && number.front() == '-';
    const std::size_t exponent = number.find_first_of("eE");
    const bool tiny =
        exponent != std::string::npos
            ? number.find('-', exponent) != std::string::npos
            : number.substr(0, number.find('.')).find_first_of("123456789") == std::string::npos;
    const double magnitude = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -magnitude : magnitude;
}

double HexValue(std::wstring_view text)
{
    const std::string ascii = AsciiPrefix(text);
    std::uint64_t value = 0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, 16);
    return static_cast<double>(value);
}

bool InRange(double value, double min, double max)
{
    return min <= value && value <= max;
}

// What one kind of number looks like: the pattern the whole text must match,
// the longest text allowed and how the text converts to its value.
struct KindRule {
    std::wregex pattern;
    std::size_t max_length;
    double (*value)(std::wstring_view);
};

const KindRule* RuleFor(EditKind kind)
{
    constexpr std::size_t unlimited = std::wstring_view::npos;
    static const KindRule integer{ClassicRegex(L"^-?[0-9]*$"), unlimited, LeadingDecimalValue};
    static const KindRule hex{ClassicRegex(L"^([0-9a-fA-F]*)$"), 8, HexValue};
    static const KindRule decimal{ClassicRegex(L"^-?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)?$"), unlimited,
                                  LeadingDecimalValue};
    switch (kind) {
    case EditKind::Integer:
        return &integer;
    case EditKind::Hex:
        return &hex;
    case EditKind::Decimal:
        return &decimal;
    default:
        return nullptr;
    }
}

} // namespace

double LeadingDecimalValue(std::wstring_view text)
{
    std::string ascii = AsciiPrefix(text);
    const std::size_t start = ascii.find_first_not_of(" \t\n\v\f\r");
    ascii.erase(0, start == std::string::npos ? ascii.size() : start);
    // from_chars takes no leading '+'; the C library does.
    const std::size_t skip = !ascii.empty() && ascii.front() == '+' ? 1 : 0;
    double value = 0.0;
    const char* first = ascii.data() + skip;
    const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range) {
        return OutOfRangeValue(std::string(first, end));
    }
    return error == std::errc() ? value : 0.0;
}

bool IsAcceptable(EditKind kind, double min, double max, std::wstring_view text)
{
    const KindRule* rule = RuleFor(kind);
    if (rule == nullptr) {
        return true;
    }
    return text.size() <= rule->max_length && std::regex_match(text.begin(), text.end(), rule->pattern) &&
           InRange(rule->value(text), min, max);
}
