#pragma once

#include "exit_status.h"
#include "json_value.h"

#include <ostream>
#include <string>
#include <string_view>

// Where a command's results and errors go: plain text by default, JSON with
// --json. Errors always name their cause on standard error; in JSON mode the
// same error is also written to standard output as an object, so a script
// that parses standard output sees every outcome.
class CliOutput {
public:
    CliOutput(std::ostream& out, std::ostream& err, bool json) : m_out(out), m_err(err), m_json(json) {}

    bool IsJson() const { return m_json; }

    // One result: `text` (lines, each ending with a new line) or `json`
    // (one line), whichever the mode asks for. Flushed at once.
    void Result(std::string_view text, const JsonValue& json);

    // Progress for a person watching; silent in JSON mode.
    void Progress(std::string_view line);

    // Reports a failure and returns its status for the caller to return.
    ExitStatus Fail(ExitStatus status, std::string_view message);

    std::ostream& Out() { return m_out; }

private:
    std::ostream& m_out;
    std::ostream& m_err;
    bool m_json;
};
