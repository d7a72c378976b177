#include "recording/telemetry_csv.h"

#include "app/format_text.h"
#include "recording/telemetry_columns.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <optional>
#include <string_view>

namespace {

constexpr const char* kTimeColumn = "time_s";
constexpr const char* kAckColumn = "ack";
constexpr const char* kPageColumn = "page";

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string_view::npos; start = comma + 1)
        fields.push_back(line.substr(start, comma - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::optional<double> ParseReal(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Where each field of a row goes: the frame's own three fields, a telemetry
// column, or nowhere (a column this program does not know).
struct FieldTarget {
    enum class Kind { kTime, kAck, kPage, kColumn, kIgnored } m_kind = Kind::kIgnored;
    size_t m_column = 0;
};

std::vector<FieldTarget> MapHeader(std::string_view header)
{
    std::vector<FieldTarget> targets;
    for (std::string_view name : SplitFields(header)) {
        FieldTarget target;
        if (name == kTimeColumn)
            target.m_kind = FieldTarget::Kind::kTime;
        else if (name == kAckColumn)
            target.m_kind = FieldTarget::Kind::kAck;
        else if (name == kPageColumn)
            target.m_kind = FieldTarget::Kind::kPage;
        else if (const std::optional<size_t> column = FindTelemetryColumn(std::string(name)))
            target = {FieldTarget::Kind::kColumn, *column};
        targets.push_back(target);
    }
    return targets;
}

void Store(const FieldTarget& target, double value, RecordedFrame& frame)
{
    switch (target.m_kind) {
    case FieldTarget::Kind::kTime:
        frame.m_seconds = value;
        break;
    case FieldTarget::Kind::kAck:
        frame.m_ack = static_cast<uint8_t>(value);
        break;
    case FieldTarget::Kind::kPage:
        frame.m_page = static_cast<uint8_t>(value);
        break;
    case FieldTarget::Kind::kColumn:
        TelemetryColumns()[target.m_column].m_set(frame.m_state, value);
        break;
    case FieldTarget::Kind::kIgnored:
        break;
    }
}

// An error text, or "" with `frame` filled.
std::string ParseRow(std::string_view line, const std::vector<FieldTarget>& targets, RecordedFrame& frame)
{
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != targets.size())
        return FormatText("%zu fields where the header names %zu", fields.size(), targets.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        if (targets[i].m_kind == FieldTarget::Kind::kIgnored)
            continue;
        const std::optional<double> value = ParseReal(fields[i]);
        if (!value || !std::isfinite(*value))
            return "'" + std::string(fields[i]) + "' is not a number";
        const bool is_byte =
            targets[i].m_kind == FieldTarget::Kind::kAck || targets[i].m_kind == FieldTarget::Kind::kPage;
        if (is_byte && (*value < 0 || *value > 255))
            return "'" + std::string(fields[i]) + "' is not a byte";
        Store(targets[i], *value, frame);
    }
    return {};
}

bool NamesTime(const std::vector<FieldTarget>& targets)
{
    for (const FieldTarget& target : targets) {
        if (target.m_kind == FieldTarget::Kind::kTime)
            return true;
    }
    return false;
}

} // namespace

std::string TelemetryCsvHeader()
{
    std::string header = std::string(kTimeColumn) + "," + kAckColumn + "," + kPageColumn;
    for (const TelemetryColumn& column : TelemetryColumns())
        header += "," + column.m_name;
    return header + "\n";
}

std::string TelemetryCsvRow(double seconds, const ProtocolFrame& frame, const TelemetryState& state)
{
    std::string row = FormatText("%.3f,%d,%d", seconds, frame[kFrameCodeOffset], frame[kFramePageOffset]);
    for (const TelemetryColumn& column : TelemetryColumns())
        row += "," + MachineReal(column.m_get(state));
    return row + "\n";
}

RecordingLoad ReadTelemetryCsv(std::istream& in)
{
    RecordingLoad load;
    std::string line;
    if (!std::getline(in, line) || in.eof())
        return {{}, "no header line"};
    const std::vector<FieldTarget> targets = MapHeader(line);
    if (!NamesTime(targets))
        return {{}, std::string("the header has no ") + kTimeColumn + " column"};
    for (int number = 2; std::getline(in, line) && !in.eof(); ++number) {
        RecordedFrame frame;
        if (const std::string error = ParseRow(line, targets, frame); !error.empty())
            return {{}, FormatText("line %d: ", number) + error};
        // A replay follows the times; one that went back would never end.
        if (!load.m_frames.empty() && frame.m_seconds < load.m_frames.back().m_seconds)
            return {{}, FormatText("line %d: the time goes back", number)};
        load.m_frames.push_back(frame);
    }
    return load;
}

RecordingLoad LoadTelemetryCsv(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return {{}, "cannot read '" + path + "'"};
    return ReadTelemetryCsv(in);
}
