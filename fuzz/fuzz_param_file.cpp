// The parameter file on an arbitrary file: whatever loading makes of it,
// saving that record and loading it again is a fixed point, and the save
// keeps the file's other sections.
#include "fuzz_input.h"
#include "params/gimbal_params.h"
#include "params/param_file.h"
#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = ScratchPath("params.rkdp");
    WriteWholeFile(path, {reinterpret_cast<const char*>(data), size});
    const std::string other = ReadIniString(path, "Other", "key", "-");

    GimbalParams first{};
    FUZZ_CHECK(TryLoadParamFile(path, first));
    if (!SaveParamFile(path, first))
        return 0; // a file the INI layer cannot rewrite safely stays as it was
    const std::string once = ReadWholeFile(path);
    GimbalParams second{};
    FUZZ_CHECK(TryLoadParamFile(path, second));
    FUZZ_CHECK(SaveParamFile(path, second));
    FUZZ_CHECK(ReadWholeFile(path) == once);
    FUZZ_CHECK(ReadIniString(path, "Other", "key", "-") == other);
    return 0;
}
