#include "ui/controls/ckrq_static.h"

#include "ui/controls/dialog_font.h"
#include "ui/controls/system_colors.h"
#include "ui/controls/window_text.h"
#include "widget_probe.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

class StaticTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_label.setFont(DialogFont());
        m_label.resize(120, 24);
        ShowExposed(m_label);
    }

    // What the label must look like: button face, then the text as one line
    // at (x, vertically centred) in `color`.
    QImage Expected(int x, const QColor& color) const
    {
        QImage image(m_label.size(), QImage::Format_RGB32);
        image.fill(SystemColor(m_label, SystemColorId::ButtonFace));
        QPainter painter(&image);
        painter.setFont(m_label.font());
        painter.setPen(color);
        const QFontMetrics metrics = painter.fontMetrics();
        painter.drawText(QPoint(x, (m_label.height() - metrics.height()) / 2 + metrics.ascent()),
                         m_label.text());
        return image;
    }

    int TextWidth() const { return QFontMetrics(m_label.font()).horizontalAdvance(m_label.text()); }

    CKRQStatic m_label;
    PaintCounter m_paints{m_label};
};

TEST_F(StaticTest, RepaintsOnlyWhenTextOrColourChanges)
{
    const auto paints_for = [this](const QColor& color, const char* text) {
        return PaintsCausedBy(m_paints, [&] { m_label.SetText(color, text); });
    };
    EXPECT_GE(paints_for(DrawnColors::kBlack, "Ready"), 1);
    EXPECT_EQ(paints_for(DrawnColors::kBlack, "Ready"), 0) << "same text and colour";
    EXPECT_GE(paints_for(DrawnColors::kBlack, "ready"), 1) << "texts compare case-sensitively";
    EXPECT_GE(paints_for(DrawnColors::kRed, "ready"), 1) << "same text, other colour";
    EXPECT_EQ(Render(m_label), Expected(0, DrawnColors::kRed));
}

TEST_F(StaticTest, TextOnlyFormUsesWindowTextColourOfTheMoment)
{
    m_label.SetText(DrawnColors::kRed, "Fault");
    QPalette palette = m_label.palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_label.setPalette(palette);

    EXPECT_GE(PaintsCausedBy(m_paints, [this] { m_label.SetText("Fault"); }), 1);
    EXPECT_EQ(m_label.TextColor(), QColor(0, 0, 128));
    EXPECT_EQ(Render(m_label), Expected(0, QColor(0, 0, 128)));
}

TEST_F(StaticTest, PlacesTheLineByAlignmentWithCentreTestedFirst)
{
    m_label.SetText(DrawnColors::kBlack, "&Open 1068");
    const int free_width = m_label.width() - TextWidth();
    EXPECT_EQ(Render(m_label), Expected(0, DrawnColors::kBlack)) << "left, '&' shown as it is";

    m_label.setAlignment(Qt::AlignRight | Qt::AlignTop);
    EXPECT_EQ(Render(m_label), Expected(free_width, DrawnColors::kBlack))
        << "right, still vertically centred";

    m_label.setAlignment(Qt::AlignRight | Qt::AlignHCenter);
    EXPECT_EQ(Render(m_label), Expected(free_width / 2, DrawnColors::kBlack)) << "both bits: centred";
}

TEST_F(StaticTest, WideTextIsCutOnBothSidesWhenCentredAndOnTheRightOtherwise)
{
    m_label.SetText(DrawnColors::kBlack, "A text much wider than its little field");
    ASSERT_GT(TextWidth(), m_label.width());
    EXPECT_EQ(Render(m_label), Expected(0, DrawnColors::kBlack));

    m_label.setAlignment(Qt::AlignHCenter);
    const int x = (m_label.width() - TextWidth()) / 2;
    EXPECT_LT(x, 0);
    EXPECT_EQ(Render(m_label), Expected(x, DrawnColors::kBlack));
}

TEST_F(StaticTest, EmptyTextShowsOnlyTheButtonFaceAndDisabledLooksTheSame)
{
    m_label.SetText(DrawnColors::kRed, "");
    EXPECT_EQ(Render(m_label), Expected(0, DrawnColors::kRed));

    m_label.SetText(DrawnColors::kRed, "Off");
    const QImage enabled = Render(m_label);
    m_label.setEnabled(false);
    EXPECT_EQ(Render(m_label), enabled) << "no grey text for a disabled label";
}

TEST(WindowText, ReplacesTheTextOfEveryKindOfControlOnlyWhenItDiffers)
{
    CKRQStatic label("A");
    QPushButton button("A");
    QLineEdit edit("A");
    QGroupBox group("A");
    QWidget window;
    window.setWindowTitle("A");
    for (QWidget* control : std::initializer_list<QWidget*>{&label, &button, &edit, &group, &window}) {
        EXPECT_FALSE(SetWindowTextIfChanged(control, "A")) << control->metaObject()->className();
        EXPECT_TRUE(SetWindowTextIfChanged(control, "a")) << control->metaObject()->className();
        EXPECT_EQ(WindowText(control), "a");
    }
    EXPECT_EQ(button.text(), "a");
    EXPECT_EQ(group.title(), "a");
    EXPECT_FALSE(SetWindowTextIfChanged(nullptr, "a"));
}

TEST(WindowText, UnchangedEditTextRaisesNoChangeAndUnchangedLabelNoRepaint)
{
    QLineEdit edit("12");
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    SetWindowTextIfChanged(&edit, "12");
    EXPECT_EQ(changes.count(), 0);

    CKRQStatic label("Stop Debug");
    ShowExposed(label);
    PaintCounter paints(label);
    EXPECT_EQ(PaintsCausedBy(paints, [&] { SetWindowTextIfChanged(&label, "Stop Debug"); }), 0);
}

} // namespace
