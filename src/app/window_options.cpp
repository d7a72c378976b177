#include "app/window_options.h"

#include "app/startup.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kSection = "WindowOptions";

constexpr std::array kKeys = {
    std::pair{WindowOption::kExpertView, std::string_view("ExpertView")},
    std::pair{WindowOption::kReconnectAutomatically, std::string_view("ReconnectAutomatically")},
};

std::string_view KeyOf(WindowOption option)
{
    for (const auto& [known, key] : kKeys) {
        if (known == option)
            return key;
    }
    return {};
}

} // namespace

bool ReadWindowOption(WindowOption option, const std::string& settings_path)
{
    return ReadProfileText(kSection, KeyOf(option), "0", settings_path) == "1";
}

bool WriteWindowOption(WindowOption option, bool on, const std::string& settings_path)
{
    return WriteProfileText(kSection, KeyOf(option), on ? "1" : "0", settings_path);
}
