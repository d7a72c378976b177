#include "plotting/plot_curves.h"

#include "recording/telemetry_columns.h"

namespace {

PlotStrip Triple(const std::string& key, const std::string& title, const std::string& unit,
                 const std::string& column_unit)
{
    PlotStrip strip{key, title, unit, {}};
    for (const char* axis : {"roll", "pitch", "yaw"})
        strip.m_curves.push_back({axis, key + "_" + axis + "_" + column_unit});
    return strip;
}

std::vector<PlotStrip> BuildStrips()
{
    return {
        Triple("angle", "ANGL", "deg", "deg"),
        Triple("fgyr", "FGYR", "deg/s", "dps"),
        Triple("acce", "ACCE", "g", "g"),
        Triple("gyro", "GYRO", "deg/s", "dps"),
        Triple("mang", "MANG", "deg", "deg"),
        Triple("mpwr", "MPWR", "%", "pct"),
        {"temp", "TEMP", "degC", {{"temp", "temp_value_degc"}}},
        {"tmax", "TMAX", "%", {{"power", "temp_power_pct"}}},
        {"chan",
         "MODE SENS ROLL PITCH YAW",
         "",
         {{"mode", "mode_hi"},
          {"sens", "chan_sens"},
          {"roll", "chan_axis_roll"},
          {"pitch", "chan_axis_pitch"},
          {"yaw", "chan_axis_yaw"}}},
    };
}

// The telemetry column of each channel.
std::vector<size_t> BuildChannelColumns()
{
    std::vector<size_t> columns;
    for (const PlotStrip& strip : PlotStrips()) {
        for (const PlotCurve& curve : strip.m_curves)
            columns.push_back(FindTelemetryColumn(curve.m_column).value());
    }
    return columns;
}

const std::vector<size_t>& ChannelColumns()
{
    static const std::vector<size_t> kColumns = BuildChannelColumns();
    return kColumns;
}

} // namespace

const std::vector<PlotStrip>& PlotStrips()
{
    static const std::vector<PlotStrip> kStrips = BuildStrips();
    return kStrips;
}

size_t PlotCurveCount()
{
    return ChannelColumns().size();
}

size_t FirstChannelOf(size_t strip)
{
    size_t first = 0;
    for (size_t i = 0; i < strip; ++i)
        first += PlotStrips()[i].m_curves.size();
    return first;
}

void SampleCurves(const TelemetryState& state, std::vector<float>& values)
{
    const std::vector<size_t>& columns = ChannelColumns();
    values.resize(columns.size());
    for (size_t i = 0; i < columns.size(); ++i)
        values[i] = static_cast<float>(TelemetryColumns()[columns[i]].m_get(state));
}
