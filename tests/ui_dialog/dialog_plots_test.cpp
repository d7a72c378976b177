// Live plots, session recording and replay, reached from the window's menu.
#include "dialog_fixture.h"

#include "app/format_text.h"
#include "platform/ini_file.h"
#include "recording/telemetry_csv.h"
#include "ui/views/plot_window.h"
#include "ui/views/strip_chart.h"

#include <QAction>
#include <QComboBox>
#include <QScreen>
#include <cmath>
#include <filesystem>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// Screenshots for the documentation, when ORVANE_SCREENSHOTS names a folder.
void KeepScreenshot(QWidget& window, const char* name)
{
    const char* folder = std::getenv("ORVANE_SCREENSHOTS");
    if (folder != nullptr && *folder != '\0')
        window.grab().save(QString::fromStdString((fs::path(folder) / name).string()));
}

std::vector<fs::path> Recordings(const fs::path& data_home)
{
    std::vector<fs::path> files;
    const fs::path folder = data_home / "orvane" / "recordings";
    if (fs::exists(folder)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            files.push_back(entry.path());
    }
    return files;
}

QString Formatted(const char* format, double value)
{
    return QString::fromStdString(FormatText(format, value));
}

} // namespace

class DialogPlotsTest : public DialogTest {
protected:
    void Trigger(UiText entry)
    {
        QAction* action = m_dialog->MenuAction(entry);
        ASSERT_NE(action, nullptr);
        action->trigger();
    }

    PlotWindow* OnlyPlotWindow() const
    {
        const QList<PlotWindow*> windows = m_dialog->findChildren<PlotWindow*>();
        return windows.size() == 1 ? windows.front() : nullptr;
    }

    // Records a hundred frames of the simulator through the menu.
    std::string RecordASession()
    {
        Trigger(UiText::kMenuRecord);
        EXPECT_TRUE(WaitUntil([&] { return m_dialog->windowTitle().contains("Recording orvane-"); }));
        const uint64_t decoded = m_dialog->Link().Counters().m_frames_decoded;
        EXPECT_TRUE(WaitUntil([&] { return m_dialog->Link().Counters().m_frames_decoded >= decoded + 100; }));
        Trigger(UiText::kMenuRecord);
        const std::vector<fs::path> files = Recordings(m_folder.Path());
        EXPECT_EQ(files.size(), 1u);
        EXPECT_FALSE(m_dialog->windowTitle().contains("Recording")) << "the title says it has stopped";
        return files.empty() ? std::string() : files.front().string();
    }
};

TEST_F(DialogPlotsTest, ARecordedSessionReplaysIntoTheViewsWithTheLinkClosed)
{
    StartSim({"--hw-fault", "mtr1-status=10"});
    OpenDialog();
    Connect();
    const std::string path = RecordASession();
    const RecordingLoad recording = LoadTelemetryCsv(path);
    ASSERT_EQ(recording.m_error, "");
    ASSERT_GT(recording.m_frames.size(), 50u) << "every decoded frame, at 500 a second";
    EXPECT_EQ(ReadWholeFile(path).rfind(TelemetryCsvHeader(), 0), 0u);

    m_prompts.m_files.push_back(QString::fromStdString(path));
    Trigger(UiText::kMenuReplay);
    EXPECT_EQ(Text(1002), Message(198)) << "the link has closed";
    EXPECT_TRUE(Status().startsWith("REPLAY, not live: 1x ")) << Status().toStdString();
    EXPECT_TRUE(Status().endsWith(QString::fromStdString(fs::path(path).filename().string())));
    EXPECT_TRUE(m_dialog->windowTitle().contains("REPLAY"));

    // Paused and stepped, the views show exactly the frame stepped to.
    Trigger(UiText::kMenuReplayPause);
    for (int step = 0; step < 3; ++step)
        Trigger(UiText::kMenuReplayStep);
    const TelemetryState& third = recording.m_frames[2].m_state;
    EXPECT_EQ(Text(1021), Formatted("%.2f", third.m_angle[0]));
    EXPECT_EQ(Text(1055), Formatted("%.1f", third.m_fgyr[0]));
    EXPECT_TRUE(Status().contains(" paused ")) << Status().toStdString();

    // Run to the end at 8x: the last frame stays on screen whole.
    for (int faster = 0; faster < 3; ++faster)
        Trigger(UiText::kMenuReplaySpeed);
    Trigger(UiText::kMenuReplayPause);
    const TelemetryState& last = recording.m_frames.back().m_state;
    ASSERT_TRUE(WaitUntil([&] { return Text(1021) == Formatted("%.2f", last.m_angle[0]); }))
        << Text(1021).toStdString();
    EXPECT_EQ(Text(1064), Formatted("%.2f", last.m_mang[0]));
    EXPECT_EQ(Text(1148), Formatted("%.2f", last.m_temp_value));
    EXPECT_EQ(Text(1059), QStringLiteral("HWER")) << "the recorded fault";
    EXPECT_TRUE(Status().contains(": 8x ")) << Status().toStdString();
    KeepScreenshot(*m_dialog, "replay.png");

    Trigger(UiText::kMenuReplayStop);
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(m_dialog->windowTitle(), QStringLiteral("orvane"));
}

TEST_F(DialogPlotsTest, OnePlotWindowFillsFromTheLinkAndKeepsItsChoicesInItsOwnSection)
{
    StartSim();
    OpenDialog();
    Connect();
    Trigger(UiText::kMenuPlots);
    Trigger(UiText::kMenuPlots);
    PlotWindow* window = OnlyPlotWindow();
    ASSERT_NE(window, nullptr) << "one at a time";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    ASSERT_TRUE(WaitUntil([&] { return window->History().Size() > 200; }));
    EXPECT_TRUE(window->Strip("angle")->isVisible()) << "attitude is shown at first";
    EXPECT_FALSE(window->Strip("mpwr")->isVisible());
    const bool screenshots = std::getenv("ORVANE_SCREENSHOTS") != nullptr;
    if (screenshots) {
        window->findChild<QComboBox*>()->setCurrentIndex(0); // 10 s, filled in a few seconds
        // Four seconds of frames at the simulator's 500 a second.
        const size_t samples = window->History().Size();
        ASSERT_TRUE(WaitUntil([&] { return window->History().Size() >= samples + 2000; }));
    }
    window->RepaintIfChanged();
    KeepScreenshot(*window, "plots.png");

    window->close();
    ASSERT_TRUE(WaitUntil([&] { return OnlyPlotWindow() == nullptr; })) << "deleted once closed";
    const std::string settings = ReadWholeFile(m_app.m_settings_path);
    EXPECT_NE(settings.find("[Plots]"), std::string::npos) << settings;
    EXPECT_EQ(ReadIniString(m_app.m_settings_path, "Plots", "Window", ""), screenshots ? "10" : "30");
    EXPECT_EQ(ReadIniString(m_app.m_settings_path, "Setting", "SENDPRD", ""), "5");
    EXPECT_EQ(settings.rfind("[Setting]\nSENDPRD=5\n[Plots]\n", 0), 0u) << "the window's section as it was";
}

TEST_F(DialogPlotsTest, ARecordingThatCannotStartSaysWhyAndUnchecksItsEntry)
{
    OpenDialog("[Setting]\nSENDPRD=5\n[Recording]\nFolder=/proc/no-such-place\n");
    Trigger(UiText::kMenuRecord);
    EXPECT_FALSE(m_dialog->MenuAction(UiText::kMenuRecord)->isChecked());
    EXPECT_TRUE(Status().startsWith("Recording stopped: ")) << Status().toStdString();
    EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
}

// A strip repainted after its scale, curves or cursor changed looks exactly
// like a new strip set up that way at once: nothing stale from before shows.
TEST(StripChartTest, ARepaintAfterAChangeMatchesAFreshStrip)
{
    PlotHistory history(PlotCurveCount(), 1000);
    std::vector<float> values(PlotCurveCount());
    for (int i = 0; i < 500; ++i) {
        for (size_t channel = 0; channel < values.size(); ++channel)
            values[channel] = static_cast<float>(std::sin(i * 0.05 + channel) * (channel + 1));
        history.Push(i * 0.01, values);
    }
    const auto set_up = [](StripChart& chart, const StripScale& scale, std::vector<bool> shown,
                           std::optional<double> cursor) {
        chart.resize(400, 120);
        chart.SetShownCurves(std::move(shown));
        chart.SetScale(scale);
        chart.SetTimeWindow(5, 5);
        chart.SetTimeLabels(true);
        chart.SetCursor(cursor);
    };
    StripChart reused(history, 0, nullptr);
    set_up(reused, {true, -1, 1}, {true, false, false}, std::nullopt);
    reused.grab();
    for (const auto& [scale, shown, cursor] :
         {std::tuple{StripScale{false, -5, 5}, std::vector{true, true, false}, std::optional<double>()},
          std::tuple{StripScale{true, -1, 1}, std::vector{false, true, true}, std::optional<double>(2.5)},
          std::tuple{StripScale{true, -1, 1}, std::vector{false, true, true}, std::optional<double>()}}) {
        set_up(reused, scale, shown, cursor);
        StripChart fresh(history, 0, nullptr);
        set_up(fresh, scale, shown, cursor);
        EXPECT_EQ(reused.grab().toImage(), fresh.grab().toImage());
    }
}

// A strip following the time scrolls its pixels and paints only what came in
// (and the newest column before, which may have gained samples); what it
// shows must then be what a whole repaint paints, time labels included.
TEST(StripChartTest, ScrollingWithTheTimeShowsWhatAWholeRepaintShows)
{
    PlotHistory history(PlotCurveCount(), 1000);
    std::vector<float> values(PlotCurveCount());
    StripChart chart(history, 0, nullptr);
    chart.resize(400, 120);
    chart.SetShownCurves({true, true, true});
    chart.SetScale({false, -4, 4});
    chart.SetTimeLabels(true);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    for (int i = 0; i < 1500; ++i) {
        for (size_t channel = 0; channel < values.size(); ++channel)
            values[channel] = static_cast<float>(std::sin(i * 0.05 + channel) * 3 + std::sin(i * 1.3));
        history.Push(i * 0.01, values);
        if (i % 7 == 0) { // some pushes move the axis by a column, some by several
            chart.SetTimeWindow(i * 0.01, 5);
            QCoreApplication::processEvents();
        }
    }
    const QImage shown = chart.screen()->grabWindow(chart.winId()).toImage();
    EXPECT_EQ(shown.convertToFormat(QImage::Format_RGB32),
              chart.grab().toImage().convertToFormat(QImage::Format_RGB32));
}
