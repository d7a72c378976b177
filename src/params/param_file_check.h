#pragma once

#include "params/gimbal_params.h"

#include <string>
#include <vector>

// Loading a parameter file never fails: a missing key takes its default,
// "12abc" reads as 12 and "abc" as 0, a broken calibration block becomes
// zeros, and a value the link cannot carry is changed on its way. That suits
// the window, which shows what it loaded. A set that goes to the gimbal
// unseen needs the strict reading below, which names each of those cases.
// Values outside the panel's ranges are named too, but a gimbal's own
// read-back holds such values (a sign byte 0xFF reads as -1), and a set
// must go back exactly as it came.

// What is wrong with a value; the first and the last may be waived by the user.
enum class ParamProblemKind {
    Missing,    // the key is missing and its default is a value the panel accepts
    Unreadable, // not wholly a number of its format, or missing with a default the panel refuses
    NotCarried, // a number the frame cannot carry: the gimbal would receive another value
    OutOfRange, // carried exactly, but outside what its control in the window accepts
};

// One value of a file that the strict reading does not accept.
struct ParamFileProblem {
    std::string key;
    std::string text; // the value as the file holds it; empty when the key is missing
    std::string reason;
    ParamProblemKind kind = ParamProblemKind::Unreadable;
};

struct StrictParamFile {
    // Why the file gives no parameter set: it cannot be read, or holds no key
    // of section "Param" (an empty file, another INI file, any other file).
    // Empty when the file was read; then the fields below are set.
    std::string error;
    // The set exactly as the file states it.
    GimbalParams params{};
    std::vector<ParamFileProblem> problems; // empty: every value is as the file says
};

StrictParamFile LoadParamFileStrictly(const std::string& path);

// One value moved into its control's range.
struct ClampedValue {
    std::string key;
    std::string from; // as the file holds it
    std::string to;   // as the panel shows it
};

// Moves every out-of-range or uncarried value of `file` to the nearest value
// its control accepts (a whole number where the control takes only those),
// drops those problems and returns the changes, in the order of the problems.
std::vector<ClampedValue> ClampOutOfRangeValues(StrictParamFile& file);

// A value of a record that its control in the window refuses: the panel
// keeps its previous text for it.
struct RefusedPanelValue {
    std::string key;
    std::string text;   // as a parameter file writes it
    std::string reason; // "the panel accepts whole numbers 0..255"
};

// The record's values the panel cannot take, in panel order.
std::vector<RefusedPanelValue> ValuesThePanelRefuses(const GimbalParams& params);
