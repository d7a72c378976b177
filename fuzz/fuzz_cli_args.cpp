// The command-line arguments, split at NUL bytes: parsing never throws, an
// accepted line holds only values the link can use, and parsing is stable.
#include "cli_args.h"
#include "fuzz_input.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    const CliParseResult result = ParseCliArgs(arguments);
    FUZZ_CHECK(ParseCliArgs(arguments).m_error == result.m_error);
    if (!result.m_error.empty())
        return 0;
    const CliArgs& args = result.m_args;
    FUZZ_CHECK(std::isfinite(args.m_timeout_s) && args.m_timeout_s > 0);
    FUZZ_CHECK(args.m_baud > 0 && args.m_period_ms > 0);
    return 0;
}
