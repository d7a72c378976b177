#include "resources/dialog_template.h"
#include "resources/ui_texts.h"
#include "resources/wrapper_rule.h"

#include "platform/ui_language.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TemplateControl Control(std::string_view window_class, uint32_t style, int id = kNoControlId)
{
    return TemplateControl{window_class, style, id, {}, {0, 0, 10, 10}};
}

} // namespace

TEST(WrapperRule, IdsComeBeforeTheWindowClass)
{
    EXPECT_EQ(WrapperFor(Control(kClassStatic, 0, 1018)), WrapperClass::None);
    EXPECT_EQ(WrapperFor(Control(kClassStatic, 0, 1152)), WrapperClass::Prog);
    EXPECT_EQ(WrapperFor(Control(kClassStatic, 0, 1180)), WrapperClass::Chan);
    EXPECT_EQ(WrapperFor(Control(kClassListView, 0, 1186)), WrapperClass::List);
}

TEST(WrapperRule, ClassesCompareWithoutCaseAndButtonsByTheirType)
{
    EXPECT_EQ(WrapperFor(Control("EDIT", 0)), WrapperClass::Edit);
    EXPECT_EQ(WrapperFor(Control("static", 0)), WrapperClass::Static);
    EXPECT_EQ(WrapperFor(Control("combobox", 0)), WrapperClass::Combo);
    EXPECT_EQ(WrapperFor(Control(kClassButton, ControlStyle::kPushButton)), WrapperClass::Button);
    EXPECT_EQ(WrapperFor(Control(kClassButton, ControlStyle::kAutoRadioButton | ControlStyle::kGroup)),
              WrapperClass::Radio);
    EXPECT_EQ(WrapperFor(Control(kClassButton, ControlStyle::kAutoCheckBox)), WrapperClass::Check);
    EXPECT_EQ(WrapperFor(Control(kClassButton, ControlStyle::kGroupBox)), WrapperClass::Group);
    EXPECT_EQ(WrapperFor(Control(kClassButton, 0x0002)), WrapperClass::None) << "a plain check box";
    EXPECT_EQ(WrapperFor(Control(kClassListView, 0)), WrapperClass::None) << "a list view other than 1186";
}

TEST(WrapperRule, EveryTemplateControlButTheViewHostGetsItsWrapper)
{
    std::map<WrapperClass, int> counts;
    for (const TemplateControl& control : MainDialogTemplate(kLanguageEnglish).controls)
        ++counts[WrapperFor(control)];
    EXPECT_EQ(counts[WrapperClass::None], 1);
    EXPECT_EQ(counts[WrapperClass::Edit], 74);
    EXPECT_EQ(counts[WrapperClass::Static], 65);
    EXPECT_EQ(counts[WrapperClass::Prog] + counts[WrapperClass::Chan] + counts[WrapperClass::List], 3);
    EXPECT_EQ(counts[WrapperClass::Button], 30);
    EXPECT_EQ(counts[WrapperClass::Combo], 16);
    EXPECT_EQ(counts[WrapperClass::Group], 13);
    EXPECT_EQ(counts[WrapperClass::Check], 9);
    EXPECT_EQ(counts[WrapperClass::Radio], 5);
}

TEST(UiTexts, EveryTextExistsInBothLanguagesAndTakesItsArgument)
{
    for (int id = 0; id < static_cast<int>(UiText::kCount); ++id) {
        const auto text = static_cast<UiText>(id);
        EXPECT_FALSE(LoadUiText(text, kLanguageEnglish).empty()) << id;
        EXPECT_FALSE(LoadUiText(text, kLanguageChinese).empty()) << id;
    }
    EXPECT_EQ(LoadUiText(UiText::kParamFileOpenFailed, kLanguageEnglish, "/x.rkdp"),
              "Parameter File Open Failed: /x.rkdp");
    EXPECT_EQ(LoadUiText(UiText::kUpgradeBackupWritten, kLanguageChinese, "/b"), "升级前的参数已备份到 /b");
}
