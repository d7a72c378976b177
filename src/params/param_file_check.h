#pragma once

#include "params/gimbal_params.h"

#include <string>
#include <vector>

// Loading a parameter file never fails: a missing key takes its default,
// "12abc" reads as 12 and "abc" as 0, a broken calibration block becomes
// zeros, and values the panel's edit fields would refuse pass unchanged. That
// suits the window, which shows what it loaded. A set that goes to the gimbal
// unseen needs the strict reading below, which names each of those cases.

// One value of a file that the strict reading does not accept.
struct ParamFileProblem {
    std::string key;
    std::string text; // the value as the file holds it; empty when the key is missing
    std::string reason;
};

struct StrictParamFile {
    bool read = false; // false: the file could not be read; nothing else is set
    // The set as the window would upload it after opening the file: every
    // edit field's value rounded as the field shows it.
    GimbalParams params{};
    std::vector<ParamFileProblem> problems; // empty: every value is as the file says
};

StrictParamFile LoadParamFileStrictly(const std::string& path);
