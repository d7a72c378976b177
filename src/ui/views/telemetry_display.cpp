#include "ui/views/telemetry_display.h"

#include "app/telemetry_text.h"
#include "resources/control_ids.h"
#include "ui/controls/ckrq_chan.h"
#include "ui/controls/ckrq_list.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/controls/ckrq_static.h"
#include "ui/controls/control_map.h"

namespace {

QColor ToQColor(Rgb colour)
{
    return QColor(colour.r, colour.g, colour.b);
}

void Show(const ControlMap& controls, const ControlText& text)
{
    CKRQStatic* field = controls.Get<CKRQStatic>(text.control);
    if (field == nullptr)
        return;
    const QString shown = QString::fromStdString(text.text);
    if (text.colour)
        field->SetText(ToQColor(*text.colour), shown);
    else
        field->SetText(shown);
}

} // namespace

void TelemetryDisplay::Refresh(const TelemetryState& state, TelemetryRefresh mode)
{
    if (!m_decimator.IsDue(mode))
        return;
    switch (mode) {
    case TelemetryRefresh::kEveryFrame:
        ShowAttitude(state);
        break;
    case TelemetryRefresh::kStatusPage:
        ShowStatusPage(state);
        break;
    case TelemetryRefresh::kGridPage:
        ShowGrid(state);
        break;
    }
}

void TelemetryDisplay::ShowAll(const TelemetryState& state)
{
    ShowAttitude(state);
    ShowStatusPage(state);
    ShowGrid(state);
}

void TelemetryDisplay::ShowAttitude(const TelemetryState& state)
{
    for (const ControlText& text : AttitudeTexts(state))
        Show(m_controls, text);
}

void TelemetryDisplay::ShowStatusPage(const TelemetryState& state)
{
    for (const ControlText& text : StatusPageTexts(state))
        Show(m_controls, text);
    if (CKRQProg* bar = m_controls.Get<CKRQProg>(ControlId::kLevelBar)) {
        const LevelBarLook look = LevelBarFor(state);
        bar->SetPos(look.percent, ToQColor(look.colour));
    }
    if (CKRQChan* strip = m_controls.Get<CKRQChan>(ControlId::kChannelLevels))
        strip->SetLevels(std::span<const std::uint8_t, CKRQChan::kChannelCount>(state.m_chan_levels));
}

void TelemetryDisplay::ShowGrid(const TelemetryState& state)
{
    CKRQList* grid = m_controls.Get<CKRQList>(ControlId::kGrid);
    if (grid == nullptr)
        return;
    const GridTexts texts = GridCellTexts(state);
    // Sixteen cells compared and set with one repaint at most.
    grid->setUpdatesEnabled(false);
    for (int row = 0; row < kGridSize; ++row) {
        for (int column = 0; column < kGridSize; ++column)
            grid->SetItemText(row, column, QString::fromStdString(texts[row][column]));
    }
    grid->setUpdatesEnabled(true);
}
