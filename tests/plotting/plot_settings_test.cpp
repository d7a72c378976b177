#include "plotting/axis_scale.h"
#include "plotting/plot_curves.h"
#include "plotting/plot_settings.h"
#include "protocol/telemetry_state.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(PlotSettings, ChoicesSurviveTheFileAndLeaveTheWindowsSectionAlone)
{
    ScratchFolder folder("plots");
    const std::string path = folder.File("Setting.ini");
    const std::string window_section = "[Setting]\nSENDPRD=5\nPORT=2\n";
    WriteWholeFile(path, window_section);

    PlotSettings settings;
    settings.m_window_seconds = 120;
    settings.m_curves = {"angle_yaw_deg", "temp_value_degc"};
    settings.m_scales["temp"] = {false, 20, 60.5};
    settings.m_scales["angle"] = {};
    settings.m_geometry = PlotGeometry{10, 20, 800, 600};
    ASSERT_TRUE(SavePlotSettings(path, settings));
    EXPECT_EQ(ReadWholeFile(path).rfind(window_section, 0), 0u) << ReadWholeFile(path);

    const PlotSettings loaded = LoadPlotSettings(path);
    EXPECT_EQ(loaded.m_window_seconds, 120);
    EXPECT_EQ(loaded.m_curves, settings.m_curves);
    EXPECT_FALSE(loaded.ScaleOf("temp").m_auto);
    EXPECT_EQ(loaded.ScaleOf("temp").m_max, 60.5);
    EXPECT_TRUE(loaded.ScaleOf("angle").m_auto);
    ASSERT_TRUE(loaded.m_geometry.has_value());
    EXPECT_EQ(loaded.m_geometry->m_width, 800);
}

TEST(PlotSettings, MissingOrDamagedValuesFallBackToTheDefaults)
{
    ScratchFolder folder("plots");
    const std::string path = folder.File("Setting.ini");
    EXPECT_EQ(LoadPlotSettings(path).m_curves.size(), 6u) << "attitude and filtered gyro at first";
    WriteWholeFile(path, "[Plots]\nWindow=45\nCurves=angle_roll_deg,no_such_curve\nScale_temp=9,3\n"
                         "Geometry=1,2,-5,4\n");
    const PlotSettings loaded = LoadPlotSettings(path);
    EXPECT_EQ(loaded.m_window_seconds, 30) << "the nearest window offered";
    EXPECT_EQ(loaded.m_curves, std::set<std::string>{"angle_roll_deg"});
    EXPECT_TRUE(loaded.ScaleOf("temp").m_auto) << "a range whose minimum is not below its maximum";
    EXPECT_FALSE(loaded.m_geometry.has_value());
}

TEST(PlotCurves, EveryCurveSamplesItsOwnTelemetryValue)
{
    TelemetryState state{};
    state.m_angle[1] = -12.5;
    state.m_temp_value = 41.25;
    state.m_chan_axis[2] = 3;
    std::vector<float> values;
    SampleCurves(state, values);
    ASSERT_EQ(values.size(), PlotCurveCount());
    EXPECT_EQ(values[FirstChannelOf(0) + 1], -12.5f);
    size_t temp = 0;
    size_t chan = 0;
    for (size_t i = 0; i < PlotStrips().size(); ++i) {
        temp = PlotStrips()[i].m_key == "temp" ? i : temp;
        chan = PlotStrips()[i].m_key == "chan" ? i : chan;
    }
    EXPECT_EQ(values[FirstChannelOf(temp)], 41.25f);
    EXPECT_EQ(values[FirstChannelOf(chan) + 4], 3.0f);
}

TEST(AxisScale, RoundsOutwardToOneTwoOrFiveStepsAndWidensAFlatCurve)
{
    const AxisScale axis = RoundAxis(-3.2, 17.9, 5);
    EXPECT_DOUBLE_EQ(axis.m_step, 5);
    EXPECT_DOUBLE_EQ(axis.m_low, -5);
    EXPECT_DOUBLE_EQ(axis.m_high, 20);
    const AxisScale flat = RoundAxis(42, 42, 4);
    EXPECT_LT(flat.m_low, 42);
    EXPECT_GT(flat.m_high, 42);
    EXPECT_DOUBLE_EQ(RoundAxis(0.01, 0.07, 3).m_step, 0.02);
}

} // namespace
