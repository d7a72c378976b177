#pragma once

#include "protocol/telemetry_state.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class ControlMap;

// The dialog's tooltip: fixed short names for the small tuning fields, and
// for the version and hardware fields of the status row texts rebuilt from
// the live values whenever any tool asks.
class StatusToolTips : public QObject {
    Q_OBJECT
public:
    using TelemetrySource = std::function<const TelemetryState&()>;

    StatusToolTips(const ControlMap& controls, TelemetrySource telemetry, QObject* parent = nullptr);

    // Registers the tools in table order and gives tips a 16-pixel cell font.
    void SetUp();

    // Rebuilds the version and hardware texts from the live values.
    void OnToolTipNeedText();

    // The text a tool shows now ("" shows no tip), lines separated by "\n".
    QString ToolText(int control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ControlMap& m_controls;
    TelemetrySource m_telemetry;
    std::map<QObject*, int> m_tool_ids;
    std::map<int, QString> m_requested_texts;
};
