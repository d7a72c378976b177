#include "platform/ini_text.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsIniBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

IniLineInfo ClassifyContent(std::string_view content, size_t content_offset)
{
    const std::string_view trimmed = TrimIniBlanks(content);
    if (trimmed.empty()) {
        return {};
    }
    if (trimmed.front() == ';' || trimmed.front() == '#') {
        return {IniLineKind::Comment, {}, 0};
    }
    if (trimmed.front() == '[') {
        const std::string_view inner = trimmed.substr(1);
        return {IniLineKind::Section, TrimIniBlanks(inner.substr(0, inner.find(']'))), 0};
    }
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return {IniLineKind::Other, {}, 0};
    }
    size_t value_begin = equals + 1;
    while (value_begin < content.size() && (content[value_begin] == ' ' || content[value_begin] == '\t')) {
        ++value_begin;
    }
    return {IniLineKind::Key, TrimIniBlanks(content.substr(0, equals)), content_offset + value_begin};
}

} // namespace

IniLine IniLineAt(std::string_view text, size_t pos)
{
    IniLine line{pos, text.size(), text.size()};
    if (pos == 0 && text.starts_with(kByteOrderMark)) {
        line.begin = kByteOrderMark.size();
    }
    const size_t newline = text.find('\n', line.begin);
    if (newline != std::string_view::npos) {
        line.end = newline + 1;
        line.content_end = (newline > line.begin && text[newline - 1] == '\r') ? newline - 1 : newline;
    }
    return line;
}

IniLineInfo ClassifyIniLine(std::string_view text, const IniLine& line)
{
    return ClassifyContent(text.substr(line.begin, line.content_end - line.begin), line.begin);
}

std::string_view TrimIniBlanks(std::string_view text)
{
    while (!text.empty() && IsIniBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsIniBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IniNamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view UnquoteIniValue(std::string_view raw)
{
    const std::string_view trimmed = TrimIniBlanks(raw);
    if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"') {
        return trimmed.substr(1, trimmed.size() - 2);
    }
    return trimmed;
}

std::string QuoteIniValueIfNeeded(std::string_view value)
{
    if (UnquoteIniValue(value) == value) {
        return std::string(value);
    }
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

IniLocation LocateIniKey(std::string_view text, std::string_view section, std::string_view key)
{
    IniLocation location;
    bool inside = false;
    for (size_t pos = 0; pos < text.size();) {
        const IniLine line = IniLineAt(text, pos);
        const IniLineInfo info = ClassifyIniLine(text, line);
        pos = line.end;
        if (info.kind == IniLineKind::Section) {
            if (inside) {
                break; // a later section of the same name is not searched
            }
            inside = IniNamesEqual(info.name, section);
            location.section_found = inside;
            if (!inside) {
                continue;
            }
        } else if (!inside || info.kind == IniLineKind::Blank || info.kind == IniLineKind::Comment) {
            continue;
        } else if (info.kind == IniLineKind::Key && IniNamesEqual(info.name, key)) {
            location.key_found = true;
            location.value_begin = info.value_begin;
            location.value_end = line.content_end;
            return location;
        }
        // The header or the last line with content: a new key goes after it.
        location.insert_at = line.end;
        location.insert_needs_break = line.end == line.content_end;
    }
    return location;
}

std::string_view IniLineBreakOf(std::string_view text)
{
    const size_t newline = text.find('\n');
    if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') {
        return "\r\n";
    }
    return "\n";
}
