#include "ui/views/status_tool_tips.h"

#include "app/status_tooltip.h"
#include "app/telemetry_text.h"
#include "resources/control_ids.h"
#include "ui/controls/control_map.h"
#include "ui/controls/dialog_font.h"
#include "ui/controls/window_text.h"

#include <QHelpEvent>
#include <QToolTip>

namespace {

// Tip lines end with "\r\n"; a tip shows lines, not an empty last one.
QString TipLines(const std::string& text)
{
    QString lines = QString::fromStdString(text);
    lines.remove(QLatin1Char('\r'));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines;
}

constexpr int kTipCellHeight = 16;

} // namespace

StatusToolTips::StatusToolTips(const ControlMap& controls, TelemetrySource telemetry, QObject* parent)
    : QObject(parent), m_controls(controls), m_telemetry(std::move(telemetry))
{
}

void StatusToolTips::SetUp()
{
    QToolTip::setFont(FontWithCellHeight(DialogFont(), kTipCellHeight));
    for (const ToolTipTool& tool : ToolTipTools()) {
        QWidget* control = m_controls.Find(tool.control);
        if (control == nullptr)
            continue;
        if (tool.requested)
            m_requested_texts[tool.control] = QString();
        else
            control->setToolTip(TipLines(tool.text));
        m_tool_ids[control] = tool.control;
        control->installEventFilter(this);
    }
}

void StatusToolTips::OnToolTipNeedText()
{
    const TelemetryState& state = m_telemetry();
    const bool version_shown = !WindowText(m_controls.Find(ControlId::kMainVersion)).isEmpty();
    const bool summary_shown = !WindowText(m_controls.Find(ControlId::kHardwareSummary)).isEmpty();
    m_requested_texts[Id(ControlId::kMainVersion)] = TipLines(VersionTipText(state, version_shown));
    m_requested_texts[Id(ControlId::kHardwareSummary)] = TipLines(HardwareTipText(state, summary_shown));
}

QString StatusToolTips::ToolText(int control) const
{
    if (const auto requested = m_requested_texts.find(control); requested != m_requested_texts.end())
        return requested->second;
    const QWidget* widget = m_controls.Find(control);
    return widget != nullptr ? widget->toolTip() : QString();
}

bool StatusToolTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto tool = m_tool_ids.find(watched);
    if (tool == m_tool_ids.end())
        return false;
    // Every request refreshes both live texts, whichever tool asked.
    OnToolTipNeedText();
    const auto requested = m_requested_texts.find(tool->second);
    if (requested == m_requested_texts.end())
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    if (requested->second.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), requested->second, static_cast<QWidget*>(watched));
    return true;
}
