#pragma once

#include <string>

#include "params/gimbal_params.h"

// The controller's flash, kept as a parameter file between runs.

// <runtime folder>/orvane/<name>.rkdp, beside the published ports.
std::string DefaultStateFile(const std::string& name);

// The saved set, or the factory set when nothing has been saved yet.
GimbalParams LoadControllerState(const std::string& path);

// Creates the default folder when needed. False when the set was not kept.
bool SaveControllerState(const std::string& path, const GimbalParams& params);
