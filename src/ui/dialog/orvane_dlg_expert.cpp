#include "app/window_options.h"
#include "ui/dialog/orvane_app.h"
#include "ui/dialog/orvane_dlg.h"

#include <QAction>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

namespace {

// The window's size for a page of `whole` on a screen with `room`: all of
// it where it fits, else the room with a scroll bar along each cut side.
QSize ExpertWindowSize(QSize whole, QSize room, int scroll_bar)
{
    const bool cut_wide = whole.width() > room.width();
    const bool cut_tall = whole.height() > room.height();
    return QSize(std::min(whole.width() + (cut_tall ? scroll_bar : 0), room.width()),
                 std::min(whole.height() + (cut_wide ? scroll_bar : 0), room.height()));
}

} // namespace

// The menu's choices as the user left them; the window starts cut to its
// visible area and grows only when the expert view was on.
void COrvaneDlg::RestoreWindowOptions()
{
    const bool expert = ReadWindowOption(WindowOption::kExpertView, m_app.m_settings_path);
    MenuAction(UiText::kMenuExpertView)->setChecked(expert);
    MenuAction(UiText::kMenuReconnectAutomatically)->setChecked(m_reconnect.RestoreAutomatic());
    ShowExpertView(expert);
}

void COrvaneDlg::OnExpertView(bool on)
{
    ShowExpertView(on);
    WriteWindowOption(WindowOption::kExpertView, on, m_app.m_settings_path);
}

// The same page, and so the same controls, moves into a scroll area and
// back: nothing is copied, and every control keeps its handlers.
void COrvaneDlg::ShowExpertView(bool on)
{
    if (on == (m_expert_scroll != nullptr))
        return;
    if (!on) {
        m_expert_scroll->takeWidget();
        delete m_expert_scroll;
        m_expert_scroll = nullptr;
        m_page->setParent(this);
        m_page->setAutoFillBackground(false); // the scroll area turned it on
        m_page->move(0, 0);
        m_page->show();
        CutToVisibleArea();
        return;
    }
    m_expert_scroll = new QScrollArea(this);
    m_expert_scroll->setFrameShape(QFrame::NoFrame);
    m_expert_scroll->setAccessibleName(QString::fromStdString(LoadUiText(UiText::kMenuExpertView)));
    const QSize whole = m_page->size();
    m_expert_scroll->setWidget(m_page);
    const QRect available = screen()->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize(
        ExpertWindowSize(whole, available.size() - frame, style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    m_expert_scroll->setGeometry(rect());
    m_expert_scroll->show();
    if (!available.contains(frameGeometry()))
        move(available.topLeft());
}
