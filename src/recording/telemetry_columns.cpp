#include "recording/telemetry_columns.h"

#include "app/telemetry_fields.h"

namespace {

std::vector<TelemetryColumn> BuildColumns()
{
    std::vector<TelemetryColumn> columns;
    for (const TelemetryField& field : TelemetryFields()) {
        for (size_t index = 0; index < field.count; ++index) {
            columns.push_back({ValueName(field, index),
                               [&field, index](const TelemetryState& s) { return field.get(s, index); },
                               [&field, index](TelemetryState& s, double v) { field.set(s, index, v); }});
        }
    }
    return columns;
}

} // namespace

const std::vector<TelemetryColumn>& TelemetryColumns()
{
    static const std::vector<TelemetryColumn> kColumns = BuildColumns();
    return kColumns;
}

std::optional<size_t> FindTelemetryColumn(const std::string& name)
{
    const std::vector<TelemetryColumn>& columns = TelemetryColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].m_name == name)
            return i;
    }
    return std::nullopt;
}
