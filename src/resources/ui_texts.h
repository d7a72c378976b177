#pragma once

#include <cstdint>
#include <string>

// Texts the window shows beyond the message table: explanations of what
// went wrong and where a file went. Each has an English and a Simplified
// Chinese text (UTF-8); some carry one "%s" for a path or a cause.
enum class UiText {
    kParamFileOpenFailed,  // the file could not be read; nothing was loaded
    kParamFileSaveFailed,  // the file could not be written
    kUpgradeBackupWritten, // "%s" is the backup file's path
    kUpgradeBackupFailed,  // "%s" is the cause
    kYes,
    kNo,
    kNoDisplay,                 // the program was started where no window can be shown
    kMenuExpertView,            // the window menu: the whole dialog template
    kMenuCompareGimbalWithFile, // the window menu: the gimbal's values against a file
    kMenuReconnectAutomatically,
    kCompareTitle, // "%s" is the file's name
    kCompareKey,
    kCompareName,
    kComparePanel,
    kCompareGimbal,
    kCompareFile,
    kCompareSelectAll,
    kCompareSelectNone,
    kCompareTakeSelected,
    kCancel,
    kCompareNeedsLink,     // the gimbal's values come only over a running link
    kCompareNoDifferences, // "%s" is the file's name
    kPortReturned,         // "%s" is the port's name
    kReconnect,
    kNotNow,
    kMenuPlots,
    kMenuRecord,
    kMenuReplay,
    kMenuReplayPause,
    kMenuReplayStep,
    kMenuReplaySpeed,
    kMenuReplayStop,
    kRecordingTitle,  // "%s" is the file's name and size
    kRecordingFailed, // "%s" is the cause
    kReplayStatus,    // "%s" is the speed, position and file name
    kReplayPaused,
    kReplayOpenFailed, // "%s" is the cause
    kPlotWindowTitle,
    kPlotTimeWindow,
    kPlotPause,
    kPlotAutoscale,
    kPlotCurves,
    kCount, // not a text: how many there are
};

// The text in `language` (Chinese for kLanguageChinese, English otherwise),
// with "%s" replaced by `argument`.
std::string LoadUiText(UiText id, uint16_t language, const std::string& argument = {});

// The same in the current user-interface language.
std::string LoadUiText(UiText id, const std::string& argument = {});
