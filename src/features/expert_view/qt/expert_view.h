#pragma once

#include <functional>
#include <string>

class QScrollArea;
class QWidget;

// "Expert View": the page that holds every control of the template moves
// into a scroll area filling the window, and back. Nothing is copied, so
// every control keeps its handlers. The choice is kept in the settings file.
class ExpertView {
public:
    // `cut_to_visible_area` gives the window back its usual size.
    ExpertView(QWidget& window, std::string settings_path, std::function<void()> cut_to_visible_area);

    // The page, once the controls are on it.
    void SetPage(QWidget* page) { m_page = page; }
    // The view as the user left it; true when it is on.
    bool Restore();
    // The menu's entry.
    void OnToggled(bool on);

private:
    void Show(bool on);

    QWidget& m_window;
    const std::string m_settings_path;
    const std::function<void()> m_cut_to_visible_area;
    QWidget* m_page = nullptr;
    QScrollArea* m_scroll = nullptr; // owned by the window while shown
};
