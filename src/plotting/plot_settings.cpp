#include "plotting/plot_settings.h"

#include "app/format_text.h"
#include "platform/ini_file.h"
#include "plotting/plot_curves.h"

#include <charconv>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kWindowKey = "Window";
constexpr const char* kCurvesKey = "Curves";
constexpr const char* kGeometryKey = "Geometry";
constexpr const char* kAutomatic = "auto";

std::vector<std::string> SplitList(const std::string& text)
{
    std::vector<std::string> items;
    size_t start = 0;
    for (size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        items.push_back(text.substr(start, comma - start));
    if (start < text.size())
        items.push_back(text.substr(start));
    return items;
}

template <class Number> std::optional<Number> ParseNumber(const std::string& text)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int NearestWindowChoice(int seconds)
{
    int nearest = kPlotWindowChoices[0];
    for (const int choice : kPlotWindowChoices) {
        if (std::abs(choice - seconds) < std::abs(nearest - seconds))
            nearest = choice;
    }
    return nearest;
}

std::string ScaleKey(const std::string& strip)
{
    return "Scale_" + strip;
}

// "auto" or "MIN,MAX" with MIN below MAX; anything else reads as automatic.
StripScale ParseScale(const std::string& text)
{
    const std::vector<std::string> parts = SplitList(text);
    if (parts.size() != 2)
        return {};
    const std::optional<double> low = ParseNumber<double>(parts[0]);
    const std::optional<double> high = ParseNumber<double>(parts[1]);
    if (!low || !high || !(*low < *high))
        return {};
    return {false, *low, *high};
}

std::optional<PlotGeometry> ParseGeometry(const std::string& text)
{
    const std::vector<std::string> parts = SplitList(text);
    if (parts.size() != 4)
        return std::nullopt;
    int values[4];
    for (size_t i = 0; i < 4; ++i) {
        const std::optional<int> value = ParseNumber<int>(parts[i]);
        if (!value)
            return std::nullopt;
        values[i] = *value;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return PlotGeometry{values[0], values[1], values[2], values[3]};
}

std::set<std::string> DefaultCurves()
{
    std::set<std::string> curves;
    for (const PlotStrip& strip : PlotStrips()) {
        if (strip.m_key == "angle" || strip.m_key == "fgyr") {
            for (const PlotCurve& curve : strip.m_curves)
                curves.insert(curve.m_column);
        }
    }
    return curves;
}

std::set<std::string> KnownCurves(const std::string& list)
{
    std::set<std::string> curves;
    for (const std::string& name : SplitList(list)) {
        for (const PlotStrip& strip : PlotStrips()) {
            for (const PlotCurve& curve : strip.m_curves) {
                if (curve.m_column == name)
                    curves.insert(name);
            }
        }
    }
    return curves;
}

} // namespace

StripScale PlotSettings::ScaleOf(const std::string& strip) const
{
    const auto found = m_scales.find(strip);
    return found == m_scales.end() ? StripScale{} : found->second;
}

PlotSettings LoadPlotSettings(const std::string& path)
{
    const IniDocument ini = IniDocument::Load(path);
    PlotSettings settings;
    if (const std::optional<int> seconds = ParseNumber<int>(ini.Read(kPlotSection, kWindowKey, "")))
        settings.m_window_seconds = NearestWindowChoice(*seconds);
    const std::optional<std::string> curves = ini.Find(kPlotSection, kCurvesKey);
    settings.m_curves = curves ? KnownCurves(*curves) : DefaultCurves();
    for (const PlotStrip& strip : PlotStrips())
        settings.m_scales[strip.m_key] =
            ParseScale(ini.Read(kPlotSection, ScaleKey(strip.m_key), kAutomatic));
    settings.m_geometry = ParseGeometry(ini.Read(kPlotSection, kGeometryKey, ""));
    return settings;
}

bool SavePlotSettings(const std::string& path, const PlotSettings& settings)
{
    IniDocument ini = IniDocument::Load(path);
    std::string curves;
    for (const std::string& curve : settings.m_curves)
        curves += (curves.empty() ? "" : ",") + curve;
    ini.Write(kPlotSection, kWindowKey, std::to_string(settings.m_window_seconds));
    ini.Write(kPlotSection, kCurvesKey, curves);
    for (const auto& [strip, scale] : settings.m_scales) {
        ini.Write(kPlotSection, ScaleKey(strip),
                  scale.m_auto ? kAutomatic : MachineReal(scale.m_min) + "," + MachineReal(scale.m_max));
    }
    if (const auto& g = settings.m_geometry)
        ini.Write(kPlotSection, kGeometryKey,
                  FormatText("%d,%d,%d,%d", g->m_x, g->m_y, g->m_width, g->m_height));
    return ini.Save(path);
}
