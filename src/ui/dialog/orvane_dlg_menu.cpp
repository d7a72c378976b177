#include "resources/ui_texts.h"
#include "ui/dialog/orvane_dlg.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

// What the window offers beyond its controls: reached by a right click
// anywhere but an edit field (which has its own menu) and by the shortcut
// each entry shows. The window's look and default behaviour stay as they are.
struct COrvaneDlg::MenuEntry {
    UiText caption;
    QKeySequence shortcut;
    bool checkable;
    void (*handler)(COrvaneDlg& dialog, bool checked);
};

const std::vector<COrvaneDlg::MenuEntry>& COrvaneDlg::MenuEntries()
{
    static const std::vector<MenuEntry> kEntries = {
        {UiText::kMenuExpertView, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X), true,
         [](COrvaneDlg& dialog, bool on) { dialog.m_expert_view.OnToggled(on); }},
        {UiText::kMenuCompareGimbalWithFile, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), false,
         [](COrvaneDlg& dialog, bool) {
             dialog.m_comparison.OnCompareGimbalWithFile(dialog.m_param_file_name);
         }},
        {UiText::kMenuReconnectAutomatically, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), true,
         [](COrvaneDlg& dialog, bool on) { dialog.m_reconnect.SetAutomatic(on); }},
        {UiText::kMenuPlots, QKeySequence(Qt::CTRL | Qt::Key_L), false,
         [](COrvaneDlg& dialog, bool) { dialog.m_record_replay.OnPlotWindow(); }},
        {UiText::kMenuRecord, QKeySequence(Qt::CTRL | Qt::Key_R), true,
         [](COrvaneDlg& dialog, bool on) { dialog.m_record_replay.OnRecord(on); }},
        {UiText::kMenuReplay, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), false,
         [](COrvaneDlg& dialog, bool) { dialog.m_record_replay.OnReplay(); }},
        {UiText::kMenuReplayPause, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), true,
         [](COrvaneDlg& dialog, bool paused) { dialog.m_record_replay.OnReplayPause(paused); }},
        {UiText::kMenuReplayStep, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), false,
         [](COrvaneDlg& dialog, bool) { dialog.m_record_replay.OnReplayStep(); }},
        {UiText::kMenuReplaySpeed, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), false,
         [](COrvaneDlg& dialog, bool) { dialog.m_record_replay.OnReplaySpeed(); }},
        {UiText::kMenuReplayStop, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), false,
         [](COrvaneDlg& dialog, bool) { dialog.m_record_replay.StopReplay(); }},
    };
    return kEntries;
}

void COrvaneDlg::BuildWindowMenu()
{
    m_window_menu = new QMenu(this);
    for (const MenuEntry& entry : MenuEntries()) {
        auto* action = new QAction(QString::fromStdString(LoadUiText(entry.caption)), this);
        action->setShortcut(entry.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(entry.checkable);
        connect(action, &QAction::triggered, this,
                [this, run = entry.handler](bool checked) { run(*this, checked); });
        // Part of the window, so the shortcut works without the menu open.
        addAction(action);
        m_window_menu->addAction(action);
    }
}

// The menu's choices as the user left them; the window starts cut to its
// visible area and grows only when the expert view was on.
void COrvaneDlg::RestoreWindowOptions()
{
    MenuAction(UiText::kMenuExpertView)->setChecked(m_expert_view.Restore());
    MenuAction(UiText::kMenuReconnectAutomatically)->setChecked(m_reconnect.RestoreAutomatic());
}

QAction* COrvaneDlg::MenuAction(UiText caption) const
{
    const QString text = QString::fromStdString(LoadUiText(caption));
    for (QAction* action : m_window_menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void COrvaneDlg::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_window_menu->actions().isEmpty())
        return;
    m_window_menu->popup(event->globalPos());
}
