#include "sim/state_file.h"

#include <filesystem>
#include <sys/stat.h>

#include "params/param_file.h"
#include "platform/runtime_dir.h"
#include "sim/default_params.h"

namespace fs = std::filesystem;

std::string DefaultStateFile(const std::string& name)
{
    return (fs::path(PublishedPortDirectory()).parent_path() / (name + ".rkdp")).string();
}

GimbalParams LoadControllerState(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return DefaultGimbalParams();
    GimbalParams params{};
    LoadParamFile(path, params);
    return params;
}

bool SaveControllerState(const std::string& path, const GimbalParams& params)
{
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        mkdir(folder.c_str(), 0700); // an existing folder is fine; a failure shows in the save
    return SaveParamFile(path, params);
}
