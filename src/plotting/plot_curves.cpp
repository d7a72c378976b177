#include "plotting/plot_curves.h"

namespace {

using F = TelemetryFieldId;

PlotCurve Curve(std::string label, F field, size_t index = 0)
{
    return {std::move(label), ValueName(TelemetryFieldOf(field), index), field, index};
}

// A strip of one field, titled and scaled as the field: a curve for each axis
// of a three-value field, or the one curve `label`.
PlotStrip FieldStrip(const std::string& key, F id, const std::string& label = "")
{
    const TelemetryField& field = TelemetryFieldOf(id);
    PlotStrip strip{key, std::string(field.label), std::string(UnitSymbol(field.unit)), {}};
    if (field.count == 1)
        strip.m_curves.push_back(Curve(label, id));
    for (size_t axis = 0; field.count == 3 && axis < 3; ++axis)
        strip.m_curves.push_back(Curve(std::string(AxisName(axis)), id, axis));
    return strip;
}

std::vector<PlotStrip> BuildStrips()
{
    std::vector<PlotStrip> strips;
    for (F id : {F::kAngle, F::kFgyr, F::kAcce, F::kGyro, F::kMang, F::kMpwr})
        strips.push_back(FieldStrip(std::string(TelemetryFieldOf(id).key), id));
    strips.push_back(FieldStrip("temp", F::kTempValue, "temp"));
    strips.push_back(FieldStrip("tmax", F::kTempPower, "power"));
    // The channel inputs share a strip; none has a unit.
    PlotStrip channels{
        "chan", "MODE SENS ROLL PITCH YAW", "", {Curve("mode", F::kModeHi), Curve("sens", F::kChanSens)}};
    for (size_t axis = 0; axis < 3; ++axis)
        channels.m_curves.push_back(Curve(std::string(AxisName(axis)), F::kChanAxis, axis));
    strips.push_back(std::move(channels));
    return strips;
}

} // namespace

const std::vector<PlotStrip>& PlotStrips()
{
    static const std::vector<PlotStrip> kStrips = BuildStrips();
    return kStrips;
}

size_t PlotCurveCount()
{
    size_t count = 0;
    for (const PlotStrip& strip : PlotStrips())
        count += strip.m_curves.size();
    return count;
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
    values.clear();
    for (const PlotStrip& strip : PlotStrips()) {
        for (const PlotCurve& curve : strip.m_curves)
            values.push_back(static_cast<float>(TelemetryFieldOf(curve.m_field).get(state, curve.m_index)));
    }
}
