#include "features/window_menu/qt/window_menu.h"

#include "features/compare/qt/window_comparison.h"
#include "features/expert_view/qt/expert_view.h"
#include "features/reconnect/qt/window_reconnect.h"
#include "features/record_replay/qt/window_record_replay.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

WindowMenu::WindowMenu(QWidget& window, Features features) : m_window(window), m_features(features) {}

void WindowMenu::Build()
{
    m_menu = new QMenu(&m_window);
    for (const WindowMenuEntry& entry : WindowMenuEntries()) {
        auto* action = new QAction(QString::fromStdString(LoadUiText(entry.caption)), &m_window);
        action->setShortcut(QKeySequence(QString::fromUtf8(entry.shortcut.data(), entry.shortcut.size()),
                                         QKeySequence::PortableText));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setCheckable(entry.checkable);
        QObject::connect(action, &QAction::triggered, action,
                         [this, run = entry.run](bool checked) { (this->*run)(checked); });
        m_window.addAction(action);
        m_menu->addAction(action);
    }
    // Edit fields keep their own menu; every other control leaves the right
    // click to the window.
    m_window.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&m_window, &QWidget::customContextMenuRequested, m_menu,
                     [this](const QPoint& where) { m_menu->popup(m_window.mapToGlobal(where)); });
}

QAction* WindowMenu::Action(UiText caption) const
{
    const QString text = QString::fromStdString(LoadUiText(caption));
    for (QAction* action : m_menu->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void WindowMenu::RestoreChoices()
{
    Action(UiText::kMenuExpertView)->setChecked(m_features.expert_view.Restore());
    Action(UiText::kMenuReconnectAutomatically)->setChecked(m_features.reconnect.RestoreAutomatic());
}

void WindowMenu::ToggleExpertView(bool on)
{
    m_features.expert_view.OnToggled(on);
}

void WindowMenu::CompareGimbalWithFile(bool /*checked*/)
{
    m_features.comparison.OnCompareGimbalWithFile(m_features.param_file_name);
}

void WindowMenu::SetReconnectAutomatically(bool on)
{
    m_features.reconnect.SetAutomatic(on);
}

void WindowMenu::ShowPlots(bool /*checked*/)
{
    m_features.record_replay.OnPlotWindow();
}

void WindowMenu::SetRecording(bool on)
{
    m_features.record_replay.OnRecord(on);
}

void WindowMenu::ChooseReplay(bool /*checked*/)
{
    m_features.record_replay.OnReplay();
}

void WindowMenu::PauseReplay(bool paused)
{
    m_features.record_replay.OnReplayPause(paused);
}

void WindowMenu::StepReplay(bool /*checked*/)
{
    m_features.record_replay.OnReplayStep();
}

void WindowMenu::SpeedUpReplay(bool /*checked*/)
{
    m_features.record_replay.OnReplaySpeed();
}

void WindowMenu::StopReplay(bool /*checked*/)
{
    m_features.record_replay.StopReplay();
}
