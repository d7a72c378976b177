#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Scanning and splicing of INI text held in memory. The text is never parsed
// into a tree: every lookup scans the lines, and every edit replaces or
// inserts bytes in place, so the lines an edit does not touch stay as they are.

// One line as offsets into the text.
struct IniLine {
    size_t begin;       // first byte; after the byte-order mark on the first line
    size_t content_end; // before the line break ("\n" or "\r\n")
    size_t end;         // after the line break; equals content_end on a last line without one
};

// The line that starts at `pos`, which must be inside the text.
IniLine IniLineAt(std::string_view text, size_t pos);

enum class IniLineKind { Blank, Comment, Section, Key, Other };

struct IniLineInfo {
    IniLineKind kind = IniLineKind::Blank;
    std::string_view name;  // section or key name, trimmed
    size_t value_begin = 0; // Key: offset of the value's first byte after the blanks that follow "="
};

IniLineInfo ClassifyIniLine(std::string_view text, const IniLine& line);

// Removes spaces, tabs and other ASCII white space from both ends.
std::string_view TrimIniBlanks(std::string_view text);

// Compares names without regard to ASCII case.
bool IniNamesEqual(std::string_view a, std::string_view b);

// What a read gives for the raw text after "=": trimmed, then one pair of
// enclosing double quotes removed.
std::string_view UnquoteIniValue(std::string_view raw);

// The text to store so that a read gives `value` back exactly: the value as
// it is, or in double quotes when trimming or unquoting would change it.
std::string QuoteIniValueIfNeeded(std::string_view value);

// Where a key is, or where it would go.
struct IniLocation {
    bool section_found = false;
    bool key_found = false;
    size_t value_begin = 0;          // key found: first byte of the value
    size_t value_end = 0;            // key found: end of the line's content
    size_t insert_at = 0;            // section found, key not: where a new key line goes
    bool insert_needs_break = false; // the line before insert_at has no line break
};

// Finds `key` in the first section named `section`; only the first of
// duplicate keys counts.
IniLocation LocateIniKey(std::string_view text, std::string_view section, std::string_view key);

// The line break the text already uses ("\n" when it has none yet).
std::string_view IniLineBreakOf(std::string_view text);
