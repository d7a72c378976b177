// The window's menu: a right click anywhere but an edit field, the entries
// in both languages, and shortcuts that work without the menu open.
#include "dialog_fixture.h"

#include "features/window_menu/window_menu_entries.h"
#include "resources/control_ids.h"
#include "ui/views/plot_window.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

constexpr int kGainEdit = 1019;

class DialogMenuTest : public DialogTest {
protected:
    // Right-clicks `target` and returns the pop-up menu that opened, if any.
    QMenu* RightClick(QWidget* target)
    {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(target, &click);
        QMenu* opened = nullptr;
        WaitUntil([&] {
            opened = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            return opened != nullptr;
        });
        return opened;
    }

    QAction* Entry(UiText caption) const { return m_dialog->MenuAction(caption); }
};

} // namespace

TEST_F(DialogMenuTest, ARightClickOpensEveryEntryInBothLanguagesButAnEditFieldKeepsItsOwnMenu)
{
    for (const uint16_t language : {kLanguageEnglish, kLanguageChinese}) {
        SetUiLanguage(language);
        COrvaneDlg& dialog = OpenDialog();
        QMenu* menu = RightClick(dialog.Control(Id(ControlId::kStatusLine)));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->parentWidget(), &dialog);
        const QList<QAction*> shown = menu->actions();
        ASSERT_EQ(static_cast<size_t>(shown.size()), WindowMenuEntries().size());
        for (const WindowMenuEntry& entry : WindowMenuEntries()) {
            const QAction* action = shown.at(static_cast<int>(&entry - WindowMenuEntries().data()));
            EXPECT_EQ(action->text().toStdString(), LoadUiText(entry.caption, language));
            EXPECT_EQ(action, Entry(entry.caption)) << "found by its caption";
            EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText).toStdString(), entry.shortcut);
            EXPECT_EQ(action->isCheckable(), entry.checkable);
            EXPECT_TRUE(action->isEnabled());
        }
        menu->close();

        QMenu* edit_menu = RightClick(dialog.Control(kGainEdit));
        ASSERT_NE(edit_menu, nullptr);
        EXPECT_NE(edit_menu, menu) << "the edit field's own menu";
        edit_menu->close();
        m_dialog.reset();
    }
}

TEST_F(DialogMenuTest, ShortcutsRunTheirEntriesWithoutTheMenuOpen)
{
    COrvaneDlg& dialog = OpenDialog();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    QTest::keySequence(&dialog, QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    EXPECT_TRUE(Entry(UiText::kMenuReconnectAutomatically)->isChecked());
    QTest::keySequence(&dialog, QKeySequence(QStringLiteral("Ctrl+Shift+A")));
    EXPECT_FALSE(Entry(UiText::kMenuReconnectAutomatically)->isChecked());

    EXPECT_EQ(dialog.findChild<PlotWindow*>(), nullptr);
    QTest::keySequence(&dialog, QKeySequence(QStringLiteral("Ctrl+L")));
    auto* plots = dialog.findChild<PlotWindow*>();
    ASSERT_NE(plots, nullptr);
    EXPECT_TRUE(plots->isVisible());
    plots->close();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened on the way";
}
