#include "plotting/min_max_decimation.h"
#include "plotting/plot_history.h"

#include <gtest/gtest.h>
#include <random>

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
    DecimateMinMax(history, 0, ColumnWindow::Ending(9.99, 10.0, 100), spans);
    ASSERT_EQ(spans.size(), 100u);
    float highest = 0;
    for (const ColumnSpan& span : spans)
        highest = std::max(highest, span.m_max);
    EXPECT_EQ(highest, 90.0f);

    const ColumnWindow window = ColumnWindow::Ending(2.99, 1.0, 10);
    DecimateMinMax(history, 1, window, spans);
    ASSERT_EQ(spans.size(), 10u);
    EXPECT_EQ(spans.front().m_first, 200.0f);
    EXPECT_EQ(spans.front().m_column, window.m_first);
    EXPECT_EQ(spans.back().m_column, window.Last());
    EXPECT_EQ(spans.back().m_last, 299.0f) << "the sample at the right edge is in the last column";
    EXPECT_EQ(spans[3].m_min, spans[3].m_first);
    EXPECT_EQ(spans[3].m_max, spans[3].m_last);
}

TEST(MinMaxDecimation, WorkDependsOnTheColumnsNotOnTheSpanOfTime)
{
    PlotHistory history(1, 30000); // five minutes at 100 frames a second
    PushRamp(history, 0, 30000);
    std::vector<ColumnSpan> spans;
    DecimateMinMax(history, 0, ColumnWindow::Ending(299.99, 300.0, 800), spans);
    EXPECT_EQ(spans.size(), 800u);
    DecimateMinMax(history, 0, ColumnWindow::Ending(299.99, 10.0, 800), spans);
    EXPECT_LE(spans.size(), 800u);
    DecimateMinMax(history, 0, ColumnWindow::Ending(500.0, 100.0, 800), spans);
    EXPECT_TRUE(spans.empty()) << "nothing recorded there";
    DecimateMinMax(history, 0, ColumnWindow::Ending(300.0, 300.0, 0), spans);
    EXPECT_TRUE(spans.empty());
}

// The live plot keeps its spans from repaint to repaint and folds in only
// what is new; whatever the pushes, scrolls, restarts and ring wrap-arounds,
// it must show exactly what a reduction from scratch shows.
TEST(MinMaxDecimation, RollingSpansEqualAFreshReductionAfterAnyPushesAndScrolls)
{
    PlotHistory history(2, 400); // wraps every few steps
    RollingMinMax rolling;
    std::vector<ColumnSpan> fresh;
    std::mt19937 random(7);
    double seconds = 0;
    double end = 0;
    for (int step = 0; step < 3000; ++step) {
        const bool held = step % 7 == 5; // as when paused
        // Now and then a replay starts again while the window is held.
        if (step % 700 == 698)
            seconds = std::uniform_real_distribution(0.0, 1.0)(random);
        const int pushes = std::uniform_int_distribution(0, 40)(random);
        for (int i = 0; i < pushes; ++i) {
            seconds += std::uniform_int_distribution(0, 3)(random) * 0.003; // repeated times too
            const float values[] = {std::uniform_real_distribution(-5.0f, 5.0f)(random), float(i)};
            history.Push(seconds, values);
        }
        // Shorter and longer than the ring holds, in 64 and in 50 columns.
        const double window_seconds = step < 1500 ? 1.0 : 2.5;
        const int columns = step < 1500 ? 64 : 50;
        if (!held)
            end = seconds;
        if (step % 7 == 3) // scrolled back, or ahead of the samples
            end += std::uniform_real_distribution(-1.5, 0.5)(random);
        const ColumnWindow window = ColumnWindow::Ending(end, window_seconds, columns);
        rolling.Update(history, 0, window);
        DecimateMinMax(history, 0, window, fresh);
        ASSERT_EQ(rolling.Spans(), fresh) << "step " << step;
    }
}

} // namespace
