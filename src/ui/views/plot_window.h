#pragma once

#include "plotting/plot_history.h"
#include "plotting/plot_settings.h"
#include "protocol/telemetry_state.h"

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class QScrollBar;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class StripChart;

// The live plots: strips of curves against one time axis, 10 s to 5 min
// wide, live or paused and scrolled back, each strip fitted to its values or
// held to a fixed range, with a cursor read-out. The owner pushes every
// frame's telemetry; the strips repaint on the window's own timer, at most at
// the screen's pace, never per frame. Its choices and place live in the
// settings file's section "Plots".
class PlotWindow : public QWidget {
    Q_OBJECT
public:
    PlotWindow(std::string settings_path, QWidget* owner);
    ~PlotWindow() override;

    // One frame's values at `seconds` (of the session or of a recording).
    void Push(double seconds, const TelemetryState& state);

    const PlotHistory& History() const { return m_history; }
    // The strip of `key` (a PlotStrip's key), for tests and assistive tools.
    StripChart* Strip(const std::string& key) const;
    // Paints now what a timer tick would paint.
    void RepaintIfChanged();

private:
    struct StripControls;

    QHBoxLayout* BuildTopBar();
    void BuildCurveTree();
    void BuildStrip(size_t strip);
    void ApplySettings();
    void SaveSettings();
    void OnCurveToggled(QTreeWidgetItem* item);
    void ShowChosenCurves();
    void OnScaleChanged(size_t strip);
    void OnPauseToggled(bool paused);
    void OnScrolled(int value);
    void OnCursorMoved(std::optional<double> seconds);
    void UpdateScrollRange();
    void ShowTimeRange();
    double WindowSeconds() const;

    const std::string m_settings_path;
    PlotSettings m_settings;
    PlotHistory m_history;
    std::vector<float> m_sample;
    bool m_changed = false;
    bool m_paused = false;
    double m_view_end = 0; // the time at the right edge while paused

    QComboBox* m_window_box = nullptr;
    QPushButton* m_pause_button = nullptr;
    QScrollBar* m_scroll_bar = nullptr;
    QTreeWidget* m_curve_tree = nullptr;
    QWidget* m_strip_area = nullptr;
    QTimer* m_repaint_timer = nullptr;
    std::vector<StripControls> m_strips;
};
