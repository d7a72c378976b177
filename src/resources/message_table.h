#pragma once

#include "resources/message_ids.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The program's user-visible messages, each with an English and a Simplified
// Chinese text (UTF-8), looked up by numeric id.
struct MessageText {
    int id;
    std::string_view english;
    std::string_view chinese;
};

// Every message, in ascending id order.
std::span<const MessageText> MessageTable();

// The text of `id` in `language`: Chinese for kLanguageChinese, English for
// any other language. An id without text gives "".
std::string LoadMessage(int id, uint16_t language);

// The text of `id` in the current user-interface language.
std::string LoadMessage(int id);
inline std::string LoadMessage(MessageId id)
{
    return LoadMessage(Id(id));
}
