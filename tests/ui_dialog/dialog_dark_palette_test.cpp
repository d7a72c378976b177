// The window on a dark desktop: every text it draws itself stays readable,
// in both languages. With ORVANE_SCREENSHOTS=<folder> the two windows are
// saved there as window-dark-en.png and window-dark-cn.png.
#include "dialog_fixture.h"

#include "app/text_contrast.h"
#include "params/param_file.h"
#include "sim/default_params.h"
#include "ui/controls/ckrq_chan.h"
#include "ui/controls/system_colors.h"

#include <QApplication>
#include <QPalette>

namespace {

// The dark palette desktops commonly give Fusion.
QPalette DarkPalette()
{
    QPalette palette;
    const QColor face(53, 53, 53);
    const QColor text(230, 230, 230);
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::AlternateBase})
        palette.setColor(role, face);
    palette.setColor(QPalette::Base, QColor(35, 35, 35));
    for (const auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        palette.setColor(role, text);
    palette.setColor(QPalette::ToolTipBase, face);
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::Dark, QColor(30, 30, 30));
    palette.setColor(QPalette::Mid, QColor(45, 45, 45));
    palette.setColor(QPalette::Light, QColor(80, 80, 80));
    return palette;
}

class DialogDarkPaletteTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_light = QApplication::palette();
        QApplication::setPalette(DarkPalette());
    }
    void TearDown() override
    {
        DialogTest::TearDown();
        QApplication::setPalette(m_light);
    }

    // Every drawn text of the window, each colour the window forces on its
    // texts tried on the status line as well.
    void ExpectEveryTextReadable()
    {
        for (const CKRQStatic* label : m_dialog->findChildren<CKRQStatic*>()) {
            if (label->text().isEmpty())
                continue;
            const Rgb face = ToRgb(SystemColor(*label, SystemColorId::ButtonFace));
            EXPECT_GE(ContrastRatio(ToRgb(label->ShownColor()), face), kReadableContrast)
                << label->text().toStdString();
        }
        for (const CKRQChan* channel : m_dialog->findChildren<CKRQChan*>()) {
            EXPECT_GE(ContrastRatio(ToRgb(SystemColor(*channel, SystemColorId::WindowText)),
                                    ToRgb(SystemColor(*channel, SystemColorId::ButtonFace))),
                      kReadableContrast);
            EXPECT_GE(ContrastRatio(TextColourOn(ToRgb(DrawnColors::kGreen)), ToRgb(DrawnColors::kGreen)),
                      kReadableContrast)
                << "a label over the level bar";
        }
        auto* status = Find<CKRQStatic>(1068);
        const QString shown = Status();
        const QColor colour = status->TextColor();
        for (const QColor& forced : {DrawnColors::kBlack, DrawnColors::kRed, DrawnColors::kMagenta,
                                     DrawnColors::kBlue, DrawnColors::kGreen}) {
            status->SetText(forced, QStringLiteral("probe"));
            EXPECT_GE(ContrastRatio(ToRgb(status->ShownColor()),
                                    ToRgb(SystemColor(*status, SystemColorId::ButtonFace))),
                      kReadableContrast)
                << forced.name().toStdString();
        }
        status->SetText(colour, shown);
    }

    void SaveIfAsked(const char* name)
    {
        const char* folder = std::getenv("ORVANE_SCREENSHOTS");
        if (folder == nullptr || *folder == '\0')
            return;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        QCoreApplication::sendPostedEvents(); // the repaints asked for so far
        ASSERT_TRUE(m_dialog->grab().save(QString::fromLocal8Bit(folder) + "/" + name)) << name;
    }

    QPalette m_light;
};

} // namespace

TEST_F(DialogDarkPaletteTest, EveryTextTheWindowDrawsIsReadableInBothLanguages)
{
    StartSim();
    GimbalParams odd = DefaultGimbalParams();
    odd.m_stuck_power = 150;
    const std::string odd_file = m_folder.File("odd.rkdp");
    ASSERT_TRUE(SaveParamFile(odd_file, odd));
    for (const uint16_t language : {kLanguageEnglish, kLanguageChinese}) {
        SetUiLanguage(language);
        OpenDialog();
        Connect();
        ASSERT_TRUE(WaitUntil([&] { return !Text(1046).isEmpty(); }));
        ExpectEveryTextReadable();
        // A file the panel cannot wholly take: the status line in red.
        Click(1002);
        m_prompts.m_files = {QString::fromStdString(odd_file)};
        Click(1014);
        ASSERT_EQ(StatusColour(), QColor(255, 0, 0)) << Status().toStdString();
        SaveIfAsked(language == kLanguageChinese ? "window-dark-cn.png" : "window-dark-en.png");
        ExpectEveryTextReadable();
        m_dialog.reset();
    }
}

TEST_F(DialogDarkPaletteTest, ALightPaletteKeepsTheGivenColours)
{
    QApplication::setPalette(m_light);
    OpenDialog();
    auto* status = Find<CKRQStatic>(1068);
    for (const QColor& forced : {DrawnColors::kBlack, DrawnColors::kRed, DrawnColors::kMagenta}) {
        status->SetText(forced, QStringLiteral("probe"));
        EXPECT_EQ(status->ShownColor(), forced);
    }
}
