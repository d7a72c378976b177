#include "ui/views/plot_window.h"

#include "plotting/plot_curves.h"
#include "resources/ui_texts.h"
#include "ui/views/strip_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// Five minutes at 100 frames a second, with room for a faster line.
constexpr size_t kHistorySamples = 36000;
// Strips follow the time at the screen's pace, and never more than this
// often: the eye gains nothing from more. A strip repaints only once its time
// axis has moved by a pixel column, and then only the columns that changed.
constexpr double kMaxRepaintsPerSecond = 30;
// The scroll bar counts in tenths of a second.
constexpr double kScrollStepsPerSecond = 10;
constexpr double kRangeLimit = 1e6;

QString Text(UiText id)
{
    return QString::fromStdString(LoadUiText(id));
}

QString WindowChoiceText(int seconds)
{
    return seconds < 60 ? QStringLiteral("%1 s").arg(seconds) : QStringLiteral("%1 min").arg(seconds / 60);
}

QDoubleSpinBox* RangeBox(double value, const QString& name, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(-kRangeLimit, kRangeLimit);
    box->setDecimals(2);
    box->setValue(value);
    box->setAccessibleName(name);
    return box;
}

} // namespace

struct PlotWindow::StripControls {
    QWidget* m_row;
    QCheckBox* m_auto;
    QDoubleSpinBox* m_min;
    QDoubleSpinBox* m_max;
    StripChart* m_chart;
};

PlotWindow::PlotWindow(std::string settings_path, QWidget* owner)
    : QWidget(owner, Qt::Window), m_settings_path(std::move(settings_path)),
      m_settings(LoadPlotSettings(m_settings_path)), m_history(PlotCurveCount(), kHistorySamples)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Beside a window that stays on top, a window of the normal layer would
    // open behind it, however recently it was shown.
    if (owner != nullptr && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(Text(UiText::kPlotWindowTitle));
    setAccessibleName(windowTitle());
    auto* layout = new QHBoxLayout(this);
    BuildCurveTree();
    layout->addWidget(m_curve_tree);
    auto* right = new QVBoxLayout;
    layout->addLayout(right, 1);
    right->addLayout(BuildTopBar());
    m_strip_area = new QWidget(this);
    auto* strips = new QVBoxLayout(m_strip_area);
    strips->setContentsMargins(0, 0, 0, 0);
    strips->setSpacing(2);
    right->addWidget(m_strip_area, 1);
    for (size_t strip = 0; strip < PlotStrips().size(); ++strip)
        BuildStrip(strip);
    ApplySettings();

    m_repaint_timer = new QTimer(this);
    const double refresh = screen() != nullptr ? screen()->refreshRate() : kMaxRepaintsPerSecond;
    m_repaint_timer->setInterval(
        static_cast<int>(std::ceil(1000 / std::min(refresh, kMaxRepaintsPerSecond))));
    connect(m_repaint_timer, &QTimer::timeout, this, &PlotWindow::RepaintIfChanged);
    m_repaint_timer->start();
}

PlotWindow::~PlotWindow()
{
    SaveSettings();
}

QHBoxLayout* PlotWindow::BuildTopBar()
{
    auto* bar = new QHBoxLayout;
    auto* label = new QLabel(Text(UiText::kPlotTimeWindow), this);
    m_window_box = new QComboBox(this);
    for (const int seconds : kPlotWindowChoices)
        m_window_box->addItem(WindowChoiceText(seconds), seconds);
    m_window_box->setAccessibleName(label->text());
    label->setBuddy(m_window_box);
    m_pause_button = new QPushButton(Text(UiText::kPlotPause), this);
    m_pause_button->setCheckable(true);
    m_scroll_bar = new QScrollBar(Qt::Horizontal, this);
    m_scroll_bar->setAccessibleName(QStringLiteral("Scroll back"));
    m_scroll_bar->setEnabled(false);
    bar->addWidget(label);
    bar->addWidget(m_window_box);
    bar->addWidget(m_pause_button);
    bar->addWidget(m_scroll_bar, 1);
    connect(m_window_box, &QComboBox::currentIndexChanged, this, [this] {
        m_settings.m_window_seconds = m_window_box->currentData().toInt();
        ShowTimeRange();
    });
    connect(m_pause_button, &QPushButton::toggled, this, &PlotWindow::OnPauseToggled);
    connect(m_scroll_bar, &QScrollBar::valueChanged, this, &PlotWindow::OnScrolled);
    return bar;
}

void PlotWindow::BuildCurveTree()
{
    m_curve_tree = new QTreeWidget(this);
    m_curve_tree->setHeaderLabel(Text(UiText::kPlotCurves));
    m_curve_tree->setAccessibleName(Text(UiText::kPlotCurves));
    m_curve_tree->setFixedWidth(190);
    for (const PlotStrip& strip : PlotStrips()) {
        auto* group = new QTreeWidgetItem(m_curve_tree, {QString::fromStdString(strip.m_title)});
        for (const PlotCurve& curve : strip.m_curves) {
            auto* item = new QTreeWidgetItem(group, {QString::fromStdString(curve.m_label)});
            item->setData(0, Qt::UserRole, QString::fromStdString(curve.m_column));
            item->setCheckState(0, Qt::Unchecked);
        }
        group->setExpanded(true);
    }
    connect(m_curve_tree, &QTreeWidget::itemChanged, this, &PlotWindow::OnCurveToggled);
}

void PlotWindow::BuildStrip(size_t strip)
{
    auto* row = new QWidget(m_strip_area);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString title = QString::fromStdString(PlotStrips()[strip].m_title);
    StripControls controls{row, new QCheckBox(Text(UiText::kPlotAutoscale), row),
                           RangeBox(-1, title + QStringLiteral(" minimum"), row),
                           RangeBox(1, title + QStringLiteral(" maximum"), row),
                           new StripChart(m_history, strip, row)};
    controls.m_auto->setAccessibleName(title + QStringLiteral(" ") + controls.m_auto->text());
    auto* scale = new QVBoxLayout;
    scale->addWidget(controls.m_auto);
    scale->addWidget(controls.m_max);
    scale->addStretch(1);
    scale->addWidget(controls.m_min);
    layout->addLayout(scale);
    layout->addWidget(controls.m_chart, 1);
    qobject_cast<QVBoxLayout*>(m_strip_area->layout())->addWidget(row, 1);
    connect(controls.m_auto, &QCheckBox::toggled, this, [this, strip] { OnScaleChanged(strip); });
    connect(controls.m_min, &QDoubleSpinBox::valueChanged, this, [this, strip] { OnScaleChanged(strip); });
    connect(controls.m_max, &QDoubleSpinBox::valueChanged, this, [this, strip] { OnScaleChanged(strip); });
    connect(controls.m_chart, &StripChart::CursorMoved, this, &PlotWindow::OnCursorMoved);
    m_strips.push_back(controls);
}

// Fills the controls from the settings; their signals then keep the
// settings up to date.
void PlotWindow::ApplySettings()
{
    m_window_box->setCurrentIndex(m_window_box->findData(m_settings.m_window_seconds));
    for (size_t strip = 0; strip < m_strips.size(); ++strip) {
        const StripControls& controls = m_strips[strip];
        const StripScale scale = m_settings.ScaleOf(PlotStrips()[strip].m_key);
        const QSignalBlocker auto_blocker(controls.m_auto);
        const QSignalBlocker min_blocker(controls.m_min);
        const QSignalBlocker max_blocker(controls.m_max);
        controls.m_auto->setChecked(scale.m_auto);
        controls.m_min->setValue(scale.m_min);
        controls.m_max->setValue(scale.m_max);
        OnScaleChanged(strip);
    }
    QTreeWidgetItemIterator it(m_curve_tree, QTreeWidgetItemIterator::NoChildren);
    for (; *it != nullptr; ++it) {
        const bool shown =
            m_settings.m_curves.contains((*it)->data(0, Qt::UserRole).toString().toStdString());
        (*it)->setCheckState(0, shown ? Qt::Checked : Qt::Unchecked);
    }
    ShowChosenCurves();
    if (const std::optional<PlotGeometry>& g = m_settings.m_geometry)
        setGeometry(g->m_x, g->m_y, g->m_width, g->m_height);
    else
        resize(900, 640);
}

void PlotWindow::SaveSettings()
{
    const QRect place = geometry();
    m_settings.m_geometry = PlotGeometry{place.x(), place.y(), place.width(), place.height()};
    SavePlotSettings(m_settings_path, m_settings);
}

void PlotWindow::OnCurveToggled(QTreeWidgetItem* item)
{
    const std::string column = item->data(0, Qt::UserRole).toString().toStdString();
    if (column.empty())
        return;
    if (item->checkState(0) == Qt::Checked)
        m_settings.m_curves.insert(column);
    else
        m_settings.m_curves.erase(column);
    ShowChosenCurves();
}

void PlotWindow::ShowChosenCurves()
{
    StripChart* last_shown = nullptr;
    for (size_t strip = 0; strip < m_strips.size(); ++strip) {
        std::vector<bool> shown;
        for (const PlotCurve& curve : PlotStrips()[strip].m_curves)
            shown.push_back(m_settings.m_curves.contains(curve.m_column));
        StripChart* chart = m_strips[strip].m_chart;
        chart->SetShownCurves(shown);
        chart->SetTimeLabels(false);
        m_strips[strip].m_row->setVisible(chart->ShowsAnyCurve());
        last_shown = chart->ShowsAnyCurve() ? chart : last_shown;
    }
    // The time axis is labelled once, under the lowest strip.
    if (last_shown != nullptr)
        last_shown->SetTimeLabels(true);
    ShowTimeRange();
}

void PlotWindow::OnScaleChanged(size_t strip)
{
    const StripControls& controls = m_strips[strip];
    StripScale scale{controls.m_auto->isChecked(), controls.m_min->value(), controls.m_max->value()};
    controls.m_min->setEnabled(!scale.m_auto);
    controls.m_max->setEnabled(!scale.m_auto);
    // A range the user is still typing (minimum not yet below maximum) keeps
    // the last good one on screen.
    if (!scale.m_auto && !(scale.m_min < scale.m_max))
        return;
    m_settings.m_scales[PlotStrips()[strip].m_key] = scale;
    controls.m_chart->SetScale(scale);
    controls.m_chart->update();
}

void PlotWindow::OnPauseToggled(bool paused)
{
    m_paused = paused;
    m_view_end = m_history.Size() > 0 ? m_history.Time(m_history.Size() - 1) : 0;
    m_scroll_bar->setEnabled(paused);
    UpdateScrollRange();
    ShowTimeRange();
}

void PlotWindow::OnScrolled(int value)
{
    if (!m_paused)
        return;
    m_view_end = value / kScrollStepsPerSecond;
    ShowTimeRange();
}

void PlotWindow::OnCursorMoved(std::optional<double> seconds)
{
    for (const StripControls& controls : m_strips) {
        controls.m_chart->SetCursor(seconds);
        if (controls.m_row->isVisible())
            controls.m_chart->update();
    }
}

// While paused the bar runs from the oldest view that history still fills
// to the newest.
void PlotWindow::UpdateScrollRange()
{
    if (m_history.Size() == 0)
        return;
    const double newest = m_history.Time(m_history.Size() - 1);
    const double oldest_end = std::min(newest, m_history.Time(0) + WindowSeconds());
    const QSignalBlocker blocker(m_scroll_bar);
    m_scroll_bar->setRange(static_cast<int>(oldest_end * kScrollStepsPerSecond),
                           static_cast<int>(newest * kScrollStepsPerSecond));
    m_scroll_bar->setPageStep(static_cast<int>(WindowSeconds() * kScrollStepsPerSecond));
    m_scroll_bar->setValue(static_cast<int>(m_view_end * kScrollStepsPerSecond));
}

void PlotWindow::ShowTimeRange()
{
    double end = m_view_end;
    if (!m_paused)
        end = m_history.Size() > 0 ? m_history.Time(m_history.Size() - 1) : 0;
    for (const StripControls& controls : m_strips)
        controls.m_chart->SetTimeWindow(end, WindowSeconds());
}

double PlotWindow::WindowSeconds() const
{
    return m_settings.m_window_seconds;
}

void PlotWindow::Push(double seconds, const TelemetryState& state)
{
    SampleCurves(state, m_sample);
    m_history.Push(seconds, m_sample);
    m_changed = true;
}

void PlotWindow::RepaintIfChanged()
{
    if (!m_changed || !isVisible())
        return;
    m_changed = false;
    if (m_paused)
        UpdateScrollRange();
    else
        ShowTimeRange();
}

StripChart* PlotWindow::Strip(const std::string& key) const
{
    for (size_t strip = 0; strip < m_strips.size(); ++strip) {
        if (PlotStrips()[strip].m_key == key)
            return m_strips[strip].m_chart;
    }
    return nullptr;
}
