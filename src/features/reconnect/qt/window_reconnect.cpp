#include "features/reconnect/qt/window_reconnect.h"

#include "app/window_options.h"
#include "resources/ui_texts.h"
#include "ui/dialog/dialog_prompts.h"

#include <utility>

WindowReconnect::WindowReconnect(LinkStatus& status, DialogPrompts& prompts, QWidget* owner,
                                 std::string settings_path, WindowSide window)
    : m_prompts(prompts), m_owner(owner), m_settings_path(std::move(settings_path)),
      m_window(std::move(window)), m_logic(status, SystemPortListingSources(), *this)
{
}

bool WindowReconnect::RestoreAutomatic()
{
    m_logic.SetAutomatic(ReadWindowOption(WindowOption::kReconnectAutomatically, m_settings_path));
    return m_logic.Automatic();
}

void WindowReconnect::SetAutomatic(bool on)
{
    m_logic.SetAutomatic(on);
    WriteWindowOption(WindowOption::kReconnectAutomatically, on, m_settings_path);
}

void WindowReconnect::SelectPort(const std::string& device)
{
    m_window.select_port(device);
}

void WindowReconnect::OfferReconnect(const std::string& display_name)
{
    m_prompts.OfferAction(m_owner, QString::fromStdString(LoadUiText(UiText::kPortReturned, display_name)),
                          QString::fromStdString(LoadUiText(UiText::kReconnect)),
                          [this] { m_logic.TakeOffer(); });
}

void WindowReconnect::Reconnect()
{
    m_window.reconnect();
}
