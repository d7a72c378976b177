#include "ui/controls/dialog_font.h"
#include "ui/controls/skinned_buttons.h"

#include <QFontInfo>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

TEST(SkinnedButtons, KeepTheirOwnTypeNamesAndTakeTheDialogFont)
{
    QWidget dialog;
    dialog.setFont(DialogFont());
    auto* layout = new QVBoxLayout(&dialog);
    const std::vector<std::pair<QAbstractButton*, const char*>> buttons = {
        {new CKRQButton("Start Debug"), "CKRQButton"},
        {new CKRQCheck("[M0]RotatRevers"), "CKRQCheck"},
        {new CKRQRadio("GA"), "CKRQRadio"},
    };
    for (const auto& [button, name] : buttons) {
        layout->addWidget(button);
        EXPECT_STREQ(button->metaObject()->className(), name);
        EXPECT_EQ(button->font(), DialogFont());
    }
    auto* group = new CKRQGroup("Gimbal");
    layout->addWidget(group);
    EXPECT_STREQ(group->metaObject()->className(), "CKRQGroup");
    EXPECT_EQ(group->font(), DialogFont());
}

TEST(DialogFont, IsMonospaceAndCellHeightFits)
{
    const QFont font = DialogFont();
    EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(font.pointSize(), 11);
    const QFont cell = FontWithCellHeight(font, 14);
    EXPECT_LE(QFontMetrics(cell).height(), 14);
    EXPECT_GE(QFontMetrics(cell).height(), 12);
}

} // namespace
