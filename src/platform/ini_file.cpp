#include "platform/ini_file.h"

#include "platform/atomic_file.h"
#include "platform/ini_text.h"
#include "platform/output_file.h"
#include "platform/utf8_text.h"

namespace {

// A larger file is not a settings or parameter file; it is treated as
// unreadable rather than loaded whole into memory.
constexpr size_t kIniFileSizeLimit = 64u << 20;

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// A section name must survive being written between brackets and read back.
bool IsWritableSectionName(std::string_view name)
{
    return !name.empty() && !HasLineBreak(name) && name.find(']') == std::string_view::npos;
}

// A key name must survive being written before "=" and read back as a key.
bool IsWritableKeyName(std::string_view name)
{
    return !name.empty() && !HasLineBreak(name) && name.find('=') == std::string_view::npos &&
           name.front() != '[' && name.front() != ';' && name.front() != '#';
}

std::string KeyLine(std::string_view key, std::string_view value, std::string_view line_break)
{
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key).append("=").append(value).append(line_break);
    return line;
}

} // namespace

std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback)
{
    return IniDocument::Load(path).Read(section, key, fallback);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value)
{
    IniDocument document = IniDocument::Load(path);
    return document.Write(section, key, value) && document.Save(path);
}

IniDocument IniDocument::Load(const std::string& path)
{
    IniDocument document;
    const FileReadResult result = ReadWholeFile(path, kIniFileSizeLimit, document.m_text);
    document.m_was_read = result == FileReadResult::Read;
    document.m_unreadable = result == FileReadResult::Failed;
    return document;
}

std::string IniDocument::Read(std::string_view section, std::string_view key, std::string_view fallback) const
{
    const std::optional<std::string> value = Find(section, key);
    return value ? *value : std::string(Utf8Prefix(fallback, kIniValueLimit));
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const
{
    section = TrimIniBlanks(section);
    key = TrimIniBlanks(key);
    // An empty name names nothing, though a file may hold "[]" or "=x" lines.
    if (section.empty() || key.empty()) {
        return std::nullopt;
    }
    const IniLocation location = LocateIniKey(m_text, section, key);
    if (!location.key_found) {
        return std::nullopt;
    }
    const std::string_view text(m_text);
    const std::string_view value =
        UnquoteIniValue(text.substr(location.value_begin, location.value_end - location.value_begin));
    return std::string(Utf8Prefix(value, kIniValueLimit));
}

bool IniDocument::Write(std::string_view section, std::string_view key, std::string_view value)
{
    section = TrimIniBlanks(section);
    key = TrimIniBlanks(key);
    if (!IsWritableSectionName(section) || !IsWritableKeyName(key) || HasLineBreak(value)) {
        return false;
    }
    const std::string stored = QuoteIniValueIfNeeded(value);
    const IniLocation location = LocateIniKey(m_text, section, key);
    if (location.key_found) {
        m_text.replace(location.value_begin, location.value_end - location.value_begin, stored);
        return true;
    }
    const std::string line_break(IniLineBreakOf(m_text));
    if (location.section_found) {
        const std::string lead = location.insert_needs_break ? line_break : "";
        m_text.insert(location.insert_at, lead + KeyLine(key, stored, line_break));
        return true;
    }
    if (!m_text.empty() && m_text.back() != '\n') {
        m_text += line_break;
    }
    m_text.append("[").append(section).append("]").append(line_break);
    m_text += KeyLine(key, stored, line_break);
    return true;
}

// A device or FIFO could not be read as a file, and takes the whole text in
// place; an unreadable regular file is never overwritten with a part.
bool IniDocument::Save(const std::string& path) const
{
    if (m_unreadable && InspectOutput(path).kind != OutputKind::kStream)
        return false;
    return WriteOutputFile(path, m_text).empty();
}
