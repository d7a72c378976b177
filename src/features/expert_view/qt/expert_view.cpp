#include "features/expert_view/qt/expert_view.h"

#include "app/window_options.h"
#include "features/expert_view/expert_layout.h"
#include "resources/ui_texts.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <utility>

ExpertView::ExpertView(QWidget& window, std::string settings_path, std::function<void()> cut_to_visible_area)
    : m_window(window), m_settings_path(std::move(settings_path)),
      m_cut_to_visible_area(std::move(cut_to_visible_area))
{
}

bool ExpertView::Restore()
{
    const bool on = ReadWindowOption(WindowOption::kExpertView, m_settings_path);
    Show(on);
    return on;
}

void ExpertView::OnToggled(bool on)
{
    Show(on);
    WriteWindowOption(WindowOption::kExpertView, on, m_settings_path);
}

void ExpertView::Show(bool on)
{
    if (on == (m_scroll != nullptr))
        return;
    if (!on) {
        m_scroll->takeWidget();
        delete m_scroll;
        m_scroll = nullptr;
        m_page->setParent(&m_window);
        m_page->setAutoFillBackground(false); // the scroll area turned it on
        m_page->move(0, 0);
        m_page->show();
        m_cut_to_visible_area();
        return;
    }
    m_scroll = new QScrollArea(&m_window);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setAccessibleName(QString::fromStdString(LoadUiText(UiText::kMenuExpertView)));
    const PixelSize whole{m_page->width(), m_page->height()};
    m_scroll->setWidget(m_page);
    const QRect available = m_window.screen()->availableGeometry();
    const QSize room = available.size() - (m_window.frameGeometry().size() - m_window.geometry().size());
    const PixelSize size = ExpertWindowSize(whole, {room.width(), room.height()},
                                            m_window.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_window.setFixedSize(size.width, size.height);
    m_scroll->setGeometry(m_window.rect());
    m_scroll->show();
    if (!available.contains(m_window.frameGeometry()))
        m_window.move(available.topLeft());
}
