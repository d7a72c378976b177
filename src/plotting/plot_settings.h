#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

// The plot window's choices, kept in section "Plots" of the settings file
// (the window's own section "Setting" is never touched).
inline constexpr const char* kPlotSection = "Plots";

// A strip's value axis: fitted to what is visible, or a fixed range.
struct StripScale {
    bool m_auto = true;
    double m_min = -1;
    double m_max = 1;
};

struct PlotGeometry {
    int m_x, m_y, m_width, m_height;
};

struct PlotSettings {
    int m_window_seconds = 30;
    std::set<std::string> m_curves;             // telemetry column names shown
    std::map<std::string, StripScale> m_scales; // by strip key; missing = automatic
    std::optional<PlotGeometry> m_geometry;     // none: the toolkit places the window

    StripScale ScaleOf(const std::string& strip) const;
};

// The time windows offered, in seconds; any other stored value is taken to
// the nearest of them.
inline constexpr int kPlotWindowChoices[] = {10, 30, 60, 120, 300};

PlotSettings LoadPlotSettings(const std::string& path);
// False when the file could not be written.
bool SavePlotSettings(const std::string& path, const PlotSettings& settings);
