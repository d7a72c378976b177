#include "ui/controls/ckrq_edit.h"

#include "widget_probe.h"

#include <QApplication>
#include <QClipboard>
#include <gtest/gtest.h>

namespace {

class EditTest : public testing::Test {
protected:
    void SetUp() override
    {
        ShowExposed(m_edit);
        m_edit.setFocus();
    }

    void Bind(EditKind kind, double min, double max)
    {
        m_edit.m_kind = kind;
        m_edit.m_min = min;
        m_edit.m_max = max;
    }

    // Puts `text` in the field from code and the caret at `caret`.
    void Show(const QString& text, int caret)
    {
        m_edit.setText(text);
        m_edit.setCursorPosition(caret);
    }

    void Type(const char* keys) { QTest::keyClicks(&m_edit, keys); }

    CKRQEdit m_edit;
};

TEST_F(EditTest, RefusedKeystrokePutsTheTextBackWithTheCaretBeforeIt)
{
    Bind(EditKind::Integer, 0, 90);
    Type("9");
    Type("5");
    EXPECT_EQ(m_edit.text(), "9");
    EXPECT_EQ(m_edit.cursorPosition(), 1);

    Show("12", 1);
    Type("9");
    EXPECT_EQ(m_edit.text(), "12") << "192 is out of range";
    EXPECT_EQ(m_edit.cursorPosition(), 1);
    EXPECT_EQ(m_edit.AcceptedText(), "12");
}

TEST_F(EditTest, LoneMinusReadsAsZero)
{
    Bind(EditKind::Integer, 0, 90);
    Type("-");
    EXPECT_EQ(m_edit.text(), "-");
    Type("5");
    EXPECT_EQ(m_edit.text(), "-");
    EXPECT_EQ(m_edit.cursorPosition(), 1);
}

TEST_F(EditTest, DeletingTheOnlyDigitIsRefusedWhenZeroIsOutOfRange)
{
    Bind(EditKind::Integer, 1, 255);
    Show("7", 1);
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    EXPECT_EQ(m_edit.text(), "7");
    EXPECT_EQ(m_edit.cursorPosition(), 0);

    m_edit.selectAll();
    Type("8");
    EXPECT_EQ(m_edit.text(), "8") << "replacing the selection never passes through an empty text";
}

TEST_F(EditTest, DecimalKeystrokes)
{
    Bind(EditKind::Decimal, -100, 100);
    Type(".");
    EXPECT_EQ(m_edit.text(), "") << "a point alone is no number";
    Type("5");
    QTest::keyClick(&m_edit, Qt::Key_Home);
    Type(".");
    EXPECT_EQ(m_edit.text(), ".5");
    m_edit.clear();
    Type("5.");
    EXPECT_EQ(m_edit.text(), "5.");
    m_edit.clear();
    Type("1e3");
    EXPECT_EQ(m_edit.text(), "13") << "the 'e' alone is refused";
    m_edit.clear();
    Type("1,5");
    EXPECT_EQ(m_edit.text(), "15");
}

TEST_F(EditTest, HexTakesEightDigitsAndNoNinth)
{
    Bind(EditKind::Hex, 0, 4294967295.0);
    Type("FFFFFFFF");
    EXPECT_EQ(m_edit.text(), "FFFFFFFF");
    Type("0");
    EXPECT_EQ(m_edit.text(), "FFFFFFFF");
    EXPECT_EQ(m_edit.cursorPosition(), 8);
}

TEST_F(EditTest, TextFromCodeIsCheckedLikeTypedText)
{
    Bind(EditKind::Integer, 0, 90);
    m_edit.setText("45");
    m_edit.setText("91");
    EXPECT_EQ(m_edit.text(), "45");
    m_edit.setText("4.5");
    EXPECT_EQ(m_edit.text(), "45");
    m_edit.setText("007");
    EXPECT_EQ(m_edit.text(), "007");
    EXPECT_EQ(m_edit.AcceptedText(), "007");
}

TEST_F(EditTest, PastedTextIsCheckedAsAWhole)
{
    Bind(EditKind::Integer, 0, 90);
    Show("1", 1);
    QApplication::clipboard()->setText("23");
    m_edit.paste();
    EXPECT_EQ(m_edit.text(), "1") << "123 is out of range";
    QApplication::clipboard()->setText("2");
    m_edit.paste();
    EXPECT_EQ(m_edit.text(), "12");
}

TEST_F(EditTest, NewRangeAppliesFromTheNextChangeOnly)
{
    m_edit.setText("hello");
    EXPECT_EQ(m_edit.AcceptedText(), "hello") << "a None field accepts anything";
    Bind(EditKind::Integer, 0, 9);
    EXPECT_EQ(m_edit.text(), "hello");
    m_edit.setText("hello world");
    EXPECT_EQ(m_edit.text(), "hello");
    m_edit.setText("5");
    EXPECT_EQ(m_edit.text(), "5");
}

TEST_F(EditTest, UndoneTextIsCheckedToo)
{
    Bind(EditKind::Integer, 0, 90);
    Type("8");
    Bind(EditKind::Integer, 1, 90);
    m_edit.undo();
    EXPECT_EQ(m_edit.text(), "8") << "undoing to an empty text would leave 0, out of range now";
}

} // namespace
