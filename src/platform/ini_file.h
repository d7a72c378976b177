#pragma once

#include <optional>
#include <string>
#include <string_view>

// INI text files ("Setting.ini", parameter files), UTF-8. Section and key
// names compare case-insensitively (ASCII); values are trimmed of surrounding
// white space and of one pair of enclosing double quotes.

// Longest value a read returns, in characters; longer values are cut.
inline constexpr size_t kIniValueLimit = 1023;

// The value of `key` in `section` of the file at `path`, or `fallback` when
// the file, the section or the key is missing or the file cannot be read.
std::string ReadIniString(const std::string& path, std::string_view section, std::string_view key,
                          std::string_view fallback);

// Sets `key` in `section` to `value`: an existing key is replaced in place, a
// new key goes at the end of its section, a new section at the end of the
// file. Every other line is kept byte for byte. The file is replaced
// atomically, so a failed write leaves it as it was. Returns false on failure.
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// The same rules for many keys at once: load a file once, read and change it
// in memory, write it back once. Used by the parameter file (98 keys).
class IniDocument {
public:
    // Loads `path`; a missing or unreadable file gives an empty document.
    static IniDocument Load(const std::string& path);

    // True when Load found the file and read all of it.
    bool WasRead() const { return m_was_read; }

    // The fallback, too, is cut to kIniValueLimit characters.
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback) const;

    // The value as Read gives it, or nothing when the key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Returns false, changing nothing, for a name that cannot be stored (empty,
    // holding a line break, "=" in a key, "]" in a section) or a value with a
    // line break. A value that a read would trim or unquote is stored in
    // double quotes so that it reads back unchanged.
    bool Write(std::string_view section, std::string_view key, std::string_view value);

    // Writes the document to `path` atomically (temporary file, then rename).
    // Refuses (false) when the document came from a file that exists but could
    // not be read, so that a save never replaces contents it did not see.
    bool Save(const std::string& path) const;

private:
    std::string m_text;        // the file's bytes; edits splice lines in place
    bool m_was_read = false;   // loaded from a file that was read whole
    bool m_unreadable = false; // loaded from a file that exists but could not be read
};
