#pragma once

#include "features/compare/pending_comparison.h"
#include "resources/ui_texts.h"

#include <QColor>
#include <QString>
#include <functional>
#include <optional>
#include <string>

class DialogPrompts;
class ParamPanel;
class QWidget;

// The window's side of comparing before values are taken: the table the
// user picks differences from, the file the gimbal is compared with, and
// what the status line says. The panel, the record and the download stay
// the window's, reached through WindowSide.
class WindowComparison {
public:
    struct WindowSide {
        std::function<void(const QColor& colour, const QString& text)> show_status;
        // "Download Param".
        std::function<void()> start_download;
        // The values the user took, into the record and the panel.
        std::function<void(const GimbalParams& params)> take;
    };

    WindowComparison(LinkStatus& status, DialogPrompts& prompts, const ParamPanel& panel, QWidget* owner,
                     WindowSide window);

    // `current` with the differences from `other` the user takes; nullopt
    // when there is nothing to take or the user cancels. Uploading stays the
    // user's next step.
    std::optional<GimbalParams> ChooseFromOther(GimbalParams current, const GimbalParams& other,
                                                const std::string& file_name, UiText current_label);
    // "Compare Gimbal With File": needs an idle link; the gimbal's values
    // come with a fresh download, and the comparison follows its end.
    void OnCompareGimbalWithFile(const std::string& initial_name);
    // A download ended with `gimbal` in the record and the panel.
    void OnDownloadFinished(const GimbalParams& gimbal);

private:
    void CompareReady();

    LinkStatus& m_status;
    DialogPrompts& m_prompts;
    const ParamPanel& m_panel;
    QWidget* m_owner;
    const WindowSide m_window;
    PendingComparison m_pending;
};
