#pragma once

#include "params/gimbal_params.h"
#include "params/panel_binding.h"

#include <span>
#include <string>
#include <vector>

// One value that differs between the panel and a parameter set, as the
// panel would show each.
struct ParamDifference {
    std::string key;     // the parameter-file key
    std::string caption; // the panel's name for the control; empty for the calibration block
    std::string current_text;
    std::string other_text;
};

// The values that differ between `current` and `other`, in file order. Each
// is compared as its control shows it, so values that round to the same
// text are equal; a combo box shows its item's text when `panel` has one.
std::vector<ParamDifference> CompareParams(const GimbalParams& current, const GimbalParams& other,
                                           const ParamPanel& panel);

// Copies into `target` the values of `source` whose keys are in `keys`;
// unknown keys are ignored.
void TakeParams(GimbalParams& target, const GimbalParams& source, std::span<const std::string> keys);
