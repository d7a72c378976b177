#include "features/window_menu/window_menu_entries.h"

#include "platform/ui_language.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

// Notes each call as "Name" or "Name on/off".
class TargetLog : public WindowMenuTargets {
public:
    void ToggleExpertView(bool on) override { Note("ExpertView", on); }
    void CompareGimbalWithFile(bool) override { Note("Compare"); }
    void SetReconnectAutomatically(bool on) override { Note("Reconnect", on); }
    void ShowPlots(bool) override { Note("Plots"); }
    void SetRecording(bool on) override { Note("Record", on); }
    void ChooseReplay(bool) override { Note("Replay"); }
    void PauseReplay(bool paused) override { Note("Pause", paused); }
    void StepReplay(bool) override { Note("Step"); }
    void SpeedUpReplay(bool) override { Note("Faster"); }
    void StopReplay(bool) override { Note("StopReplay"); }

    std::vector<std::string> m_calls;

private:
    void Note(const std::string& name) { m_calls.push_back(name); }
    void Note(const std::string& name, bool on) { m_calls.push_back(name + (on ? " on" : " off")); }
};

std::vector<std::string> RunEveryEntry(bool checked)
{
    TargetLog log;
    for (const WindowMenuEntry& entry : WindowMenuEntries())
        (log.*entry.run)(checked);
    return log.m_calls;
}

} // namespace

// The check mark reaches the features that keep a choice; the other
// entries are plain commands.
TEST(WindowMenuEntries, EachEntryRunsItsOwnFeatureWithTheNewCheckMark)
{
    EXPECT_EQ(RunEveryEntry(true),
              (std::vector<std::string>{"ExpertView on", "Compare", "Reconnect on", "Plots", "Record on",
                                        "Replay", "Pause on", "Step", "Faster", "StopReplay"}));
    EXPECT_EQ(RunEveryEntry(false),
              (std::vector<std::string>{"ExpertView off", "Compare", "Reconnect off", "Plots", "Record off",
                                        "Replay", "Pause off", "Step", "Faster", "StopReplay"}));
    // A check mark is shown exactly where the feature keeps one.
    for (const WindowMenuEntry& entry : WindowMenuEntries()) {
        TargetLog log;
        (log.*entry.run)(true);
        EXPECT_EQ(entry.checkable, log.m_calls.at(0).ends_with(" on")) << log.m_calls.at(0);
    }
}

// The window finds an entry by its caption, and a shortcut given twice
// would run neither entry.
TEST(WindowMenuEntries, CaptionsAndShortcutsAreDistinctInBothLanguages)
{
    std::set<std::string_view> shortcuts;
    for (const uint16_t language : {kLanguageEnglish, kLanguageChinese}) {
        std::set<std::string> captions;
        for (const WindowMenuEntry& entry : WindowMenuEntries()) {
            const std::string caption = LoadUiText(entry.caption, language);
            EXPECT_FALSE(caption.empty());
            EXPECT_TRUE(captions.insert(caption).second) << caption;
            shortcuts.insert(entry.shortcut);
        }
    }
    EXPECT_EQ(shortcuts.size(), WindowMenuEntries().size());
    EXPECT_FALSE(shortcuts.contains("")) << "every entry has a shortcut";
}
