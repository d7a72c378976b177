#include "resources/ui_texts.h"

#include "platform/ui_language.h"

#include <array>
#include <string_view>

namespace {

struct UiTextRow {
    UiText id;
    std::string_view english;
    std::string_view chinese;
};

constexpr std::array kTexts = std::to_array<UiTextRow>({
    {UiText::kParamFileOpenFailed, "Parameter File Open Failed: %s", "参数文件打开失败: %s"},
    {UiText::kParamFileSaveFailed, "Parameter File Save Failed: %s", "参数文件保存失败: %s"},
    {UiText::kUpgradeBackupWritten, "Parameters backed up before the upgrade to %s",
     "升级前的参数已备份到 %s"},
    {UiText::kUpgradeBackupFailed, "Parameter backup before the upgrade failed: %s",
     "升级前参数备份失败: %s"},
    {UiText::kYes, "Yes", "是"},
    {UiText::kNo, "No", "否"},
    {UiText::kNoDisplay,
     "orvane: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
     "Watch the gimbal from a terminal with: orvane-cli monitor --port PORT",
     "orvane: 没有可显示窗口的显示器 (未设置 DISPLAY 和 WAYLAND_DISPLAY)。\n"
     "请在终端中使用: orvane-cli monitor --port PORT"},
    {UiText::kMenuExpertView, "Expert View", "专家视图"},
    {UiText::kMenuCompareGimbalWithFile, "Compare Gimbal With File...", "比较云台与参数文件..."},
    {UiText::kMenuReconnectAutomatically, "Reconnect Automatically", "自动重新连接"},
    {UiText::kCompareTitle, "Differences from %s", "与 %s 的差异"},
    {UiText::kCompareKey, "Key", "键"},
    {UiText::kCompareName, "Name", "名称"},
    {UiText::kComparePanel, "Panel", "面板"},
    {UiText::kCompareGimbal, "Gimbal", "云台"},
    {UiText::kCompareFile, "File", "文件"},
    {UiText::kCompareSelectAll, "Select All", "全选"},
    {UiText::kCompareSelectNone, "Select None", "全不选"},
    {UiText::kCompareTakeSelected, "Take Selected", "采用所选"},
    {UiText::kCancel, "Cancel", "取消"},
    {UiText::kCompareNeedsLink, "Start Debug first: the gimbal's values come with a download",
     "请先开始调试: 云台的参数需要下载"},
    {UiText::kCompareNoDifferences, "No differences from %s", "与 %s 没有差异"},
    {UiText::kPortReturned, "The gimbal's port %s is back. Reconnect?", "云台端口 %s 已恢复。是否重新连接?"},
    {UiText::kReconnect, "Reconnect", "重新连接"},
    {UiText::kNotNow, "Not Now", "暂不"},
    {UiText::kMenuPlots, "Live Plots", "实时曲线"},
    {UiText::kMenuRecord, "Record Session", "录制会话"},
    {UiText::kMenuReplay, "Replay Recording...", "回放录制..."},
    {UiText::kMenuReplayPause, "Pause Replay", "暂停回放"},
    {UiText::kMenuReplayStep, "Step Replay", "单步回放"},
    {UiText::kMenuReplaySpeed, "Replay Faster (1x, 2x, 4x, 8x)", "回放加速 (1x, 2x, 4x, 8x)"},
    {UiText::kMenuReplayStop, "Stop Replay", "停止回放"},
    {UiText::kRecordingTitle, "Recording %s", "正在录制 %s"},
    {UiText::kRecordingFailed, "Recording stopped: %s", "录制已停止: %s"},
    {UiText::kReplayStatus, "REPLAY, not live: %s", "回放, 非实时数据: %s"},
    {UiText::kReplayPaused, "paused", "已暂停"},
    {UiText::kReplayOpenFailed, "Recording could not be replayed: %s", "无法回放录制: %s"},
    {UiText::kPlotWindowTitle, "Live Plots", "实时曲线"},
    {UiText::kPlotTimeWindow, "Time window", "时间窗口"},
    {UiText::kPlotPause, "Pause", "暂停"},
    {UiText::kPlotAutoscale, "Auto", "自动"},
    {UiText::kPlotCurves, "Curves", "曲线"},
});

// One row per text, in the order of the ids, so that none is left out.
constexpr bool RowsFollowTheIds()
{
    for (size_t i = 0; i < kTexts.size(); ++i) {
        if (kTexts[i].id != static_cast<UiText>(i))
            return false;
    }
    return kTexts.size() == static_cast<size_t>(UiText::kCount);
}
static_assert(RowsFollowTheIds());

std::string Substitute(std::string_view pattern, const std::string& argument)
{
    std::string text(pattern);
    if (const size_t at = text.find("%s"); at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}

} // namespace

std::string LoadUiText(UiText id, uint16_t language, const std::string& argument)
{
    for (const UiTextRow& row : kTexts) {
        if (row.id == id)
            return Substitute(language == kLanguageChinese ? row.chinese : row.english, argument);
    }
    return {};
}

std::string LoadUiText(UiText id, const std::string& argument)
{
    return LoadUiText(id, GetUiLanguage(), argument);
}
