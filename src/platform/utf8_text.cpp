#include "platform/utf8_text.h"

#include <cstdint>

namespace {

bool IsContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

// Bytes a lead byte announces, or 1 for a byte that cannot start a sequence.
size_t AnnouncedLength(uint8_t lead)
{
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 1;
}

// Size in bytes of the character starting at `pos`.
size_t CharacterSize(std::string_view text, size_t pos)
{
    const size_t announced = AnnouncedLength(static_cast<uint8_t>(text[pos]));
    if (pos + announced > text.size()) {
        return 1;
    }
    for (size_t i = 1; i < announced; ++i) {
        if (!IsContinuation(static_cast<uint8_t>(text[pos + i]))) {
            return 1;
        }
    }
    return announced;
}

} // namespace

size_t Utf8Length(std::string_view text)
{
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharacterSize(text, pos)) {
        ++count;
    }
    return count;
}

std::string_view Utf8Prefix(std::string_view text, size_t max_chars)
{
    size_t pos = 0;
    for (size_t count = 0; count < max_chars && pos < text.size(); ++count) {
        pos += CharacterSize(text, pos);
    }
    return text.substr(0, pos);
}
