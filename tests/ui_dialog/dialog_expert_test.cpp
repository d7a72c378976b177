// The expert view: the whole template in the same window, with the same
// controls, remembered across a restart.
#include "dialog_fixture.h"

#include "app/app_settings.h"
#include "resources/control_ids.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollArea>

namespace {

constexpr int kLoopGainEdit = 1023; // beyond the visible area
constexpr int kMotorReverseCheck = 1127;

class DialogExpertTest : public DialogTest {
protected:
    QAction* ExpertAction() const { return m_dialog->MenuAction(UiText::kMenuExpertView); }

    // Whether the user can reach `control`: on screen, or in the part of the
    // page the scroll area can scroll to.
    bool Reachable(int control) const
    {
        const QWidget* widget = m_dialog->Control(control);
        const auto* scroll = m_dialog->findChild<QScrollArea*>();
        const QWidget* page = scroll != nullptr ? scroll->widget() : widget->parentWidget();
        const QRect shown = scroll != nullptr ? page->rect() : m_dialog->rect().translated(-page->pos());
        return widget->isVisibleTo(m_dialog.get()) && shown.contains(widget->geometry());
    }

    // Closes the window as the user would and opens it again on its settings.
    void Restart()
    {
        m_dialog->close();
        const std::string settings = ReadWholeFile(m_app.m_settings_path);
        m_dialog.reset();
        OpenDialog(settings);
    }
};

} // namespace

TEST_F(DialogExpertTest, TheExpertViewShowsTheSameControlsAndTheDefaultViewComesBackUnchanged)
{
    COrvaneDlg& dialog = OpenDialog();
    const QSize cut_down = dialog.size();
    QWidget* const gain_edit = dialog.Control(kLoopGainEdit);
    EXPECT_FALSE(Reachable(kLoopGainEdit));
    ASSERT_NE(ExpertAction(), nullptr);
    EXPECT_FALSE(ExpertAction()->isChecked());

    ExpertAction()->trigger();
    EXPECT_TRUE(ExpertAction()->isChecked());
    EXPECT_EQ(dialog.Control(kLoopGainEdit), gain_edit);
    EXPECT_TRUE(Reachable(kLoopGainEdit));
    EXPECT_TRUE(Reachable(Id(ControlId::kGrid)));
    // The offscreen screen (800 x 800) is narrower than even the cut-down
    // window: the expert view scrolls within it.
    EXPECT_GT(dialog.height(), cut_down.height());
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_LE(dialog.width(), screen.width());
    EXPECT_LE(dialog.height(), screen.height());

    // The menu still opens from anywhere but an edit field.
    QWidget* hidden_box = dialog.Control(kMotorReverseCheck);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(2, 2),
                                  hidden_box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(hidden_box, &right_click);
    auto* menu = dialog.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return menu->isVisible(); }));
    menu->close();

    // A hidden control is live, not a picture of one.
    auto* check = Find<QAbstractButton>(kMotorReverseCheck);
    const bool was_checked = check->isChecked();
    check->click();
    EXPECT_NE(check->isChecked(), was_checked);

    ExpertAction()->trigger();
    EXPECT_EQ(dialog.size(), cut_down);
    EXPECT_EQ(dialog.findChild<QScrollArea*>(), nullptr);
    EXPECT_EQ(dialog.Control(kLoopGainEdit), gain_edit);
    EXPECT_FALSE(Reachable(kLoopGainEdit));
    EXPECT_EQ(gain_edit->window(), &dialog);
}

TEST_F(DialogExpertTest, TheExpertViewIsRememberedInASectionOfItsOwn)
{
    OpenDialog();
    ExpertAction()->trigger();
    Restart();
    EXPECT_TRUE(ExpertAction()->isChecked());
    EXPECT_TRUE(Reachable(Id(ControlId::kGrid)));
    const AppSettings settings = LoadAppSettingsFrom(m_app.m_settings_path);
    EXPECT_EQ(settings.m_send_period, 5) << "the window's own settings are kept";
    EXPECT_EQ(ReadProfileText(kSettingsSection, "ExpertView", "absent", m_app.m_settings_path), "absent");

    ExpertAction()->trigger();
    Restart();
    EXPECT_FALSE(ExpertAction()->isChecked());
    EXPECT_FALSE(Reachable(kLoopGainEdit));
}
