#include "plotting/min_max_decimation.h"
#include "plotting/plot_history.h"

#include <gtest/gtest.h>

namespace {

void PushRamp(PlotHistory& history, int from, int to)
{
    for (int i = from; i < to; ++i) {
        const float values[] = {float(i), float(-i)};
        history.Push(i * 0.01, values);
    }
}

TEST(PlotHistory, KeepsTheNewestSamplesInAFixedRing)
{
    PlotHistory history(2, 100);
    PushRamp(history, 0, 250);
    ASSERT_EQ(history.Size(), 100u);
    EXPECT_EQ(history.Value(0, 0), 150.0f);
    EXPECT_EQ(history.Value(1, 99), -249.0f);
    EXPECT_DOUBLE_EQ(history.Time(99), 2.49);
    EXPECT_EQ(history.LowerBound(2.0), 50u);
    EXPECT_EQ(history.LowerBound(0.0), 0u);
    EXPECT_EQ(history.LowerBound(9.0), 100u);
}

TEST(PlotHistory, ATimeBeforeTheNewestStartsANewHistory)
{
    PlotHistory history(2, 100);
    PushRamp(history, 10, 20);
    PushRamp(history, 0, 3);
    EXPECT_EQ(history.Size(), 3u);
    EXPECT_EQ(history.Value(0, 0), 0.0f);
}

TEST(MinMaxDecimation, EachColumnKeepsItsExtremesSoSpikesSurvive)
{
    PlotHistory history(2, 1000);
    for (int i = 0; i < 1000; ++i) {
        const float values[] = {i == 537 ? 90.0f : 0.0f, float(i)};
        history.Push(i * 0.01, values);
    }
    std::vector<ColumnSpan> spans;
    DecimateMinMax(history, 0, 0.0, 9.99, 100, spans);
    ASSERT_EQ(spans.size(), 100u);
    float highest = 0;
    for (const ColumnSpan& span : spans)
        highest = std::max(highest, span.m_max);
    EXPECT_EQ(highest, 90.0f);

    DecimateMinMax(history, 1, 2.0, 3.0, 10, spans);
    ASSERT_EQ(spans.size(), 10u);
    EXPECT_EQ(spans.front().m_first, 200.0f);
    EXPECT_EQ(spans.front().m_column, 0);
    EXPECT_EQ(spans.back().m_column, 9);
    EXPECT_EQ(spans.back().m_last, 300.0f) << "the sample at the right edge is in the last column";
    EXPECT_EQ(spans[3].m_min, spans[3].m_first);
    EXPECT_EQ(spans[3].m_max, spans[3].m_last);
}

TEST(MinMaxDecimation, WorkDependsOnTheColumnsNotOnTheSpanOfTime)
{
    PlotHistory history(1, 30000); // five minutes at 100 frames a second
    PushRamp(history, 0, 30000);
    std::vector<ColumnSpan> spans;
    DecimateMinMax(history, 0, 0.0, 300.0, 800, spans);
    EXPECT_EQ(spans.size(), 800u);
    DecimateMinMax(history, 0, 290.0, 300.0, 800, spans);
    EXPECT_LE(spans.size(), 800u);
    DecimateMinMax(history, 0, 400.0, 500.0, 800, spans);
    EXPECT_TRUE(spans.empty()) << "nothing recorded there";
    DecimateMinMax(history, 0, 0.0, 300.0, 0, spans);
    EXPECT_TRUE(spans.empty());
}

} // namespace
