#pragma once

#include "features/reconnect/port_reconnect.h"

#include <functional>
#include <string>

class DialogPrompts;
class QWidget;

// The window's side of reconnecting: the offer as a prompt, the menu's
// choice kept in the settings file; the port box and the link button stay
// the window's, reached through `select_port` and `reconnect`.
class WindowReconnect : private ReconnectActions {
public:
    struct WindowSide {
        std::function<void(const std::string& device)> select_port;
        std::function<void()> reconnect;
    };

    WindowReconnect(LinkStatus& status, DialogPrompts& prompts, QWidget* owner, std::string settings_path,
                    WindowSide window);

    PortReconnect& Logic() { return m_logic; }
    const PortReconnect& Logic() const { return m_logic; }
    // The menu's choice as the user left it.
    bool RestoreAutomatic();
    void SetAutomatic(bool on);

private:
    void SelectPort(const std::string& device) override;
    void OfferReconnect(const std::string& display_name) override;
    void Reconnect() override;

    DialogPrompts& m_prompts;
    QWidget* m_owner;
    const std::string m_settings_path;
    const WindowSide m_window;
    PortReconnect m_logic;
};
