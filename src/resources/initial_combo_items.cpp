#include "resources/dialog_template.h"

#include "platform/ui_language.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 3> kUpDownModesEnglish{"AUTO", "NORMAL", "INVERT"};
constexpr std::array<std::string_view, 3> kUpDownModesChinese{"自动", "常规", "倒置"};
constexpr std::array<std::string_view, 2> kProtocolVersions{"OLD", "NEW"};
constexpr std::array<std::string_view, 3> kSensorIndexes{"0", "1", "2"};
constexpr std::array<std::string_view, 17> kChannels{"NULL", "CH01", "CH02", "CH03", "CH04", "CH05",
                                                     "CH06", "CH07", "CH08", "CH09", "CH10", "CH11",
                                                     "CH12", "CH13", "CH14", "CH15", "CH16"};

struct ComboItems {
    int id;
    std::span<const std::string_view> english;
    std::span<const std::string_view> chinese;
};

constexpr auto kFixedCombos = std::to_array<ComboItems>({
    {1070, kUpDownModesEnglish, kUpDownModesChinese},
    {1092, kProtocolVersions, kProtocolVersions},
    {1005, kSensorIndexes, kSensorIndexes},
    {1006, kSensorIndexes, kSensorIndexes},
    {1085, kSensorIndexes, kSensorIndexes},
    {1174, kChannels, kChannels},
    {1175, kChannels, kChannels},
    {1176, kChannels, kChannels},
    {1177, kChannels, kChannels},
    {1178, kChannels, kChannels},
});

} // namespace

std::span<const std::string_view> InitialComboItems(int control_id, uint16_t language)
{
    const auto found = std::ranges::find(kFixedCombos, control_id, &ComboItems::id);
    if (found == kFixedCombos.end()) {
        return {};
    }
    return language == kLanguageChinese ? found->chinese : found->english;
}
