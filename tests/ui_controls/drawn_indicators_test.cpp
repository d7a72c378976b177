#include "ui/controls/ckrq_chan.h"
#include "ui/controls/ckrq_list.h"
#include "ui/controls/ckrq_prog.h"
#include "ui/controls/dialog_font.h"
#include "ui/controls/system_colors.h"
#include "widget_probe.h"

#include <QHeaderView>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Columns of row `y` in [from, to) that do not have `color`.
std::optional<int> FirstOtherThan(const QImage& image, int y, int from, int to, const QColor& color)
{
    for (int x = from; x < to; ++x) {
        if (!HasColor(image, x, y, color)) {
            return x;
        }
    }
    return std::nullopt;
}

// Bounding box of the pixels inside `area` that differ from `background`.
QRect InkBounds(const QImage& image, const QRect& area, const QColor& background)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!HasColor(image, x, y, background)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

class ProgTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_bar.resize(250, 6);
        ShowExposed(m_bar);
        m_face = SystemColor(m_bar, SystemColorId::ButtonFace);
    }

    CKRQProg m_bar;
    PaintCounter m_paints{m_bar};
    QColor m_face;
};

TEST_F(ProgTest, FillsThePercentOfTheWidthTruncated)
{
    m_bar.SetPos(40, DrawnColors::kGreen);
    const QImage image = Render(m_bar);
    for (const int y : {0, 5}) {
        EXPECT_EQ(FirstOtherThan(image, y, 0, 250, DrawnColors::kGreen), 100);
        EXPECT_EQ(FirstOtherThan(image, y, 100, 250, m_face), std::nullopt);
    }
    m_bar.SetPos(33, DrawnColors::kBlue);
    EXPECT_EQ(FirstOtherThan(Render(m_bar), 3, 0, 250, DrawnColors::kBlue), 82) << "250 x 33 / 100 = 82.5";
    m_bar.SetPos(100, DrawnColors::kRed);
    EXPECT_EQ(FirstOtherThan(Render(m_bar), 3, 0, 250, DrawnColors::kRed), std::nullopt);
}

TEST_F(ProgTest, ZeroAndNegativeLevelsLeaveOnlyTheBackground)
{
    for (const int level : {0, -5}) {
        m_bar.SetPos(level, DrawnColors::kGreen);
        EXPECT_EQ(FirstOtherThan(Render(m_bar), 3, 0, 250, m_face), std::nullopt) << level;
    }
    m_bar.SetPos(std::numeric_limits<std::int32_t>::max(), DrawnColors::kRed);
    EXPECT_EQ(FirstOtherThan(Render(m_bar), 3, 0, 250, DrawnColors::kRed), std::nullopt) << "no overflow";
}

TEST_F(ProgTest, RepaintsOnlyOnAChangeOfLevelOrColour)
{
    const auto paints_for = [this](int level, const QColor& color) {
        return PaintsCausedBy(m_paints, [&] { m_bar.SetPos(level, color); });
    };
    EXPECT_EQ(paints_for(0, DrawnColors::kBlack), 0) << "the values of a new bar";
    EXPECT_GE(paints_for(0, DrawnColors::kGreen), 1) << "same level, other colour";
    EXPECT_EQ(paints_for(0, DrawnColors::kGreen), 0);
    EXPECT_GE(paints_for(1, DrawnColors::kGreen), 1);
}

class ChanTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_strip.setFont(DialogFont());
        m_strip.resize(1600, 30);
        ShowExposed(m_strip);
        m_face = SystemColor(m_strip, SystemColorId::ButtonFace);
        m_shadow = SystemColor(m_strip, SystemColorId::ButtonShadow);
    }

    CKRQChan m_strip;
    PaintCounter m_paints{m_strip};
    QColor m_face;
    QColor m_shadow;
};

TEST_F(ChanTest, FramesAre95WideAroundSixteenEqualSlots)
{
    const QImage image = Render(m_strip);
    for (int channel = 0; channel < CKRQChan::kChannelCount; ++channel) {
        const int left = 50 + 100 * channel - 47;
        for (const int y : {0, 29}) {
            EXPECT_TRUE(HasColor(image, left - 1, y, m_face)) << channel;
            EXPECT_EQ(FirstOtherThan(image, y, left, left + 95, m_shadow), std::nullopt) << channel;
            EXPECT_TRUE(HasColor(image, left + 95, y, m_face)) << channel;
        }
        EXPECT_TRUE(HasColor(image, left, 15, m_shadow));
        EXPECT_TRUE(HasColor(image, left + 94, 15, m_shadow));
        EXPECT_TRUE(HasColor(image, left + 1, 15, m_face));
    }
}

TEST_F(ChanTest, LevelFillsItsShareOfTheBarFromTheFrameEdge)
{
    CKRQChan::Levels levels{};
    levels[0] = 50;
    levels[15] = 100;
    m_strip.SetLevels(levels);
    const QImage image = Render(m_strip);
    EXPECT_EQ(FirstOtherThan(image, 2, 3, 98, DrawnColors::kGreen), 3 + 47);
    EXPECT_TRUE(HasColor(image, 97, 2, m_shadow));
    EXPECT_EQ(FirstOtherThan(image, 2, 1503, 1598, DrawnColors::kGreen), std::nullopt);
    EXPECT_EQ(FirstOtherThan(image, 2, 104, 197, m_face), std::nullopt) << "level 0 fills nothing";
}

TEST_F(ChanTest, LabelsAreCentredOnTheirBarsAndInTheStrip)
{
    const QImage image = Render(m_strip);
    for (int channel = 0; channel < CKRQChan::kChannelCount; ++channel) {
        const int centre = 50 + 100 * channel;
        const QRect ink = InkBounds(image, QRect(centre - 46, 1, 93, 28), m_face);
        ASSERT_FALSE(ink.isEmpty()) << channel;
        EXPECT_NEAR(ink.center().x(), centre, 2) << channel;
        EXPECT_NEAR(ink.center().y(), 15, 3) << channel;
        EXPECT_LE(ink.height(), 14) << "a 14-pixel cell";
    }
}

TEST_F(ChanTest, SteadyLevelsNeverRepaint)
{
    CKRQChan::Levels levels{};
    const auto paints_for = [&] { return PaintsCausedBy(m_paints, [&] { m_strip.SetLevels(levels); }); };
    EXPECT_EQ(paints_for(), 0);
    levels[9] = 1;
    EXPECT_GE(paints_for(), 1) << "one changed byte";
    EXPECT_EQ(m_strip.CurrentLevels(), levels);
    EXPECT_EQ(paints_for(), 0);
}

TEST(ChanGeometry, NarrowStripKeepsTheFormulas)
{
    CKRQChan strip;
    strip.resize(363, 20);
    const QImage image = Render(strip);
    const QColor shadow = SystemColor(strip, SystemColorId::ButtonShadow);
    // B = 363 x 95 / 1600 = 21, first centre (363 + 16) / 32 = 11, left 1.
    EXPECT_TRUE(HasColor(image, 1, 0, shadow));
    EXPECT_TRUE(HasColor(image, 21, 0, shadow));
    EXPECT_FALSE(HasColor(image, 22, 0, shadow));
    EXPECT_FALSE(HasColor(image, 0, 0, shadow));
}

class ListTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_list.resize(202, 120);
        ShowExposed(m_list);
    }

    CKRQList m_list;
};

TEST_F(ListTest, FourEqualColumnsFourRowsNoHeaderNoScrollBars)
{
    EXPECT_EQ(m_list.rowCount(), 4);
    EXPECT_EQ(m_list.columnCount(), 4);
    const int width = (m_list.viewport()->width() + 2) / 4;
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(m_list.columnWidth(column), width);
    }
    EXPECT_FALSE(m_list.horizontalHeader()->isVisible());
    EXPECT_FALSE(m_list.verticalHeader()->isVisible());
    EXPECT_FALSE(m_list.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(m_list.verticalScrollBar()->isVisible());
    m_list.resize(302, 120);
    EXPECT_EQ(m_list.columnWidth(3), (m_list.viewport()->width() + 2) / 4);
}

TEST_F(ListTest, CellsAreReadAndWrittenByRowAndColumn)
{
    EXPECT_TRUE(m_list.SetItemText(3, 2, "-42"));
    EXPECT_EQ(m_list.ItemText(3, 2), "-42");
    EXPECT_EQ(m_list.ItemText(2, 3), "");
    EXPECT_FALSE(m_list.SetItemText(4, 0, "x"));
    EXPECT_FALSE(m_list.SetItemText(0, -1, "x"));
    EXPECT_EQ(m_list.ItemText(-1, 0), "");

    PaintCounter paints(*m_list.viewport());
    EXPECT_EQ(PaintsCausedBy(paints, [this] { EXPECT_FALSE(m_list.SetItemText(3, 2, "-42")); }), 0);
    EXPECT_GE(PaintsCausedBy(paints, [this] { EXPECT_TRUE(m_list.SetItemText(0, 0, "1")); }), 1);
}

TEST_F(ListTest, ShadowLinesUnderRowsAndAtColumnEdges)
{
    const QImage image = m_list.viewport()->grab().toImage();
    const QColor shadow = SystemColor(m_list, SystemColorId::ButtonShadow);
    const int row_height = m_list.rowHeight(0);
    const int column_width = m_list.columnWidth(0);
    for (int row = 0; row < 4; ++row) {
        const int y = row_height * (row + 1);
        if (y < image.height()) {
            EXPECT_TRUE(HasColor(image, 5, y, shadow)) << row;
            EXPECT_FALSE(HasColor(image, 5, y - 2, shadow)) << row;
        }
    }
    for (int column = 0; column < 3; ++column) {
        EXPECT_TRUE(HasColor(image, column_width * (column + 1), 3, shadow)) << column;
        EXPECT_FALSE(HasColor(image, column_width * (column + 1) - 2, 3, shadow)) << column;
    }
}

TEST_F(ListTest, ClickingSelectsNothing)
{
    m_list.SetItemText(1, 1, "7");
    const QRect cell = m_list.visualItemRect(m_list.item(1, 1));
    QTest::mouseClick(m_list.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(&m_list, Qt::Key_Down);
    EXPECT_TRUE(m_list.selectedItems().isEmpty());
    EXPECT_FALSE(m_list.hasFocus());
}

} // namespace
