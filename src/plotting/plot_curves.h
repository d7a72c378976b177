#pragma once

#include "app/telemetry_fields.h"
#include "protocol/telemetry_state.h"

#include <string>
#include <vector>

// What the plot window can show: strips of curves that share a unit, each
// curve one value of the telemetry field table, keyed in the settings by the
// value's name (its CSV column). Strip titles and units come from the table;
// they read the same in every language.
struct PlotCurve {
    std::string m_label;
    std::string m_column;
    TelemetryFieldId m_field;
    size_t m_index;
};

struct PlotStrip {
    std::string m_key;
    std::string m_title;
    std::string m_unit;
    std::vector<PlotCurve> m_curves;
};

const std::vector<PlotStrip>& PlotStrips();

// Every curve of every strip, strip after strip: the channels of the plot
// history. `first` of a strip is the channel of its first curve.
size_t PlotCurveCount();
size_t FirstChannelOf(size_t strip);

// The value of each curve in channel order, written to `values` (resized).
void SampleCurves(const TelemetryState& state, std::vector<float>& values);
