#include "ui/controls/ckrq_combo.h"

#include "widget_probe.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

class ComboTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_combo.addItems({"COM1", "COM2", "COM3", "COM4"});
        ShowExposed(m_combo);
    }

    // What a user does: open the list, point at an item and take it.
    void Choose(int index)
    {
        m_combo.showPopup();
        QAbstractItemView* list = m_combo.view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
        list->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(list, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
    }

    CKRQCombo m_combo;
    QSignalSpy m_changes{&m_combo, &CKRQCombo::SelChange};
};

TEST_F(ComboTest, OnlyAChoiceOfAnotherItemReachesTheDialog)
{
    Choose(1);
    ASSERT_EQ(m_combo.currentIndex(), 1);
    ASSERT_EQ(m_changes.count(), 1);
    EXPECT_EQ(m_changes.takeFirst().at(0).toInt(), 1);

    Choose(1);
    EXPECT_EQ(m_changes.count(), 0) << "the same item again";
    EXPECT_EQ(m_combo.LastSelection(), 1);
}

TEST_F(ComboTest, SelectionFromCodeIsRememberedButNotReported)
{
    m_combo.SelectIndex(2);
    EXPECT_EQ(m_combo.currentIndex(), 2);
    EXPECT_EQ(m_changes.count(), 0);

    Choose(2);
    EXPECT_EQ(m_changes.count(), 0);
    Choose(0);
    EXPECT_EQ(m_changes.count(), 1);
}

TEST_F(ComboTest, IndexOutsideTheItemsClearsTheSelection)
{
    for (const int index : {4, -1, -7}) {
        m_combo.SelectIndex(1);
        m_combo.SelectIndex(index);
        EXPECT_EQ(m_combo.currentIndex(), -1) << index;
        EXPECT_EQ(m_combo.LastSelection(), -1) << index;
    }
    Choose(1);
    EXPECT_EQ(m_changes.count(), 1) << "any choice after a cleared selection is passed on";
    EXPECT_EQ(m_combo.LastSelection(), 1);
}

TEST_F(ComboTest, WheelOverTheClosedBoxChangesNothing)
{
    QComboBox plain;
    plain.addItems({"A", "B", "C"});
    ShowExposed(plain);
    m_combo.SelectIndex(1);
    for (QComboBox* box : {static_cast<QComboBox*>(&m_combo), &plain}) {
        box->setCurrentIndex(1);
        const QPointF centre = QRectF(box->rect()).center();
        QWheelEvent down(centre, box->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(box, &down);
    }
    EXPECT_EQ(plain.currentIndex(), 2) << "the event turns a plain box";
    EXPECT_EQ(m_combo.currentIndex(), 1);
    EXPECT_EQ(m_changes.count(), 0);
}

TEST_F(ComboTest, OpeningTheListIsAnnouncedFirst)
{
    QSignalSpy drop_downs(&m_combo, &CKRQCombo::DropDown);
    m_combo.showPopup();
    EXPECT_EQ(drop_downs.count(), 1);
    m_combo.hidePopup();
}

} // namespace
