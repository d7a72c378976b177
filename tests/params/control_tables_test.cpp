#include "app/telemetry_fields.h"
#include "params/panel_binding.h"
#include "platform/ui_language.h"
#include "protocol/command_table.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// The ids of the binding, command and telemetry field tables, and the named
// ids, agree with the dialog template: the dialog's message map is built
// from these tables, so a control they name must be there, of the right kind.
class ControlTablesTest : public testing::Test {
protected:
    std::string_view ClassOf(int id) const
    {
        const TemplateControl* control = FindTemplateControl(m_dialog, id);
        return control == nullptr ? "missing" : control->window_class;
    }
    uint32_t ButtonTypeOf(int id) const
    {
        return FindTemplateControl(m_dialog, id)->style & ControlStyle::kButtonTypeMask;
    }

    const DialogTemplate& m_dialog = MainDialogTemplate(kLanguageEnglish);
};

TEST_F(ControlTablesTest, BoundControlsAreOfTheirKindAndBoundOnce)
{
    std::set<int> seen;
    for (const PanelBinding& binding : PanelBindings()) {
        EXPECT_TRUE(seen.insert(binding.control).second) << binding.control;
        switch (binding.type) {
        case PanelControlType::Check:
            ASSERT_EQ(ClassOf(binding.control), kClassButton) << binding.control;
            EXPECT_EQ(ButtonTypeOf(binding.control), ControlStyle::kAutoCheckBox) << binding.control;
            break;
        case PanelControlType::ComboByIndex:
        case PanelControlType::ComboByProductCode:
            EXPECT_EQ(ClassOf(binding.control), kClassComboBox) << binding.control;
            break;
        case PanelControlType::Edit:
            EXPECT_EQ(ClassOf(binding.control), kClassEdit) << binding.control;
            break;
        }
    }
}

TEST_F(ControlTablesTest, CommandButtonsAndNamedControlsAreThere)
{
    std::set<int> buttons;
    for (const CommandRow& command : Commands()) {
        EXPECT_TRUE(buttons.insert(command.control_id).second) << command.name;
        ASSERT_EQ(ClassOf(command.control_id), kClassButton) << command.name;
        EXPECT_EQ(ButtonTypeOf(command.control_id), ControlStyle::kPushButton) << command.name;
        EXPECT_EQ(FindPanelBinding(command.control_id), nullptr) << command.name;
    }
    using C = ControlId;
    for (const ControlId button :
         {C::kLinkButton, C::kUploadButton, C::kDownloadButton, C::kFlashButton, C::kOpenParamButton,
          C::kSaveParamButton, C::kOpenFirmwareButton, C::kUpgradeButton}) {
        ASSERT_EQ(ClassOf(Id(button)), kClassButton) << Id(button);
        EXPECT_EQ(ButtonTypeOf(Id(button)), ControlStyle::kPushButton) << Id(button);
    }
    for (int radio = Id(C::kViewRadio3D); radio <= Id(C::kViewRadioLast); ++radio)
        EXPECT_EQ(ButtonTypeOf(radio), ControlStyle::kAutoRadioButton) << radio;
    for (const ControlId box : {C::kPortBox, C::kLanguageBox, C::kProductTypeBox, C::kGimbalTypeBox,
                                C::kCameraTypeBox, C::kRangerTypeBox})
        EXPECT_EQ(ClassOf(Id(box)), kClassComboBox) << Id(box);
    for (const ControlId shown : {C::kMainVersion, C::kGimbalState, C::kHardwareSummary, C::kStatusCode,
                                  C::kStatusLine, C::kLevelBar, C::kChannelLevels, C::kGrid, C::kViewHost})
        EXPECT_NE(ClassOf(Id(shown)), "missing") << Id(shown);
}

TEST_F(ControlTablesTest, TelemetryFieldsShowInStaticControls)
{
    for (const TelemetryField& field : TelemetryFields()) {
        for (size_t index = 0; field.page != TelemetryPage::kNone && index < field.count; ++index)
            EXPECT_EQ(ClassOf(field.controls[index]), kClassStatic) << field.key << " " << index;
    }
}

TEST(MessageIds, EveryNamedMessageHasATextInBothLanguages)
{
    using M = MessageId;
    for (const MessageId message : {M::kPortOpenFailed,
                                    M::kTransmitError,
                                    M::kGimbalIdle,
                                    M::kGimbalPaused,
                                    M::kConditionsNotSatisfied,
                                    M::kParamUploading,
                                    M::kParamUploadDone,
                                    M::kParamDownloading,
                                    M::kParamDownloadDone,
                                    M::kEnteringUpgrade,
                                    M::kUpgradeSuccessful,
                                    M::kUpgrading,
                                    M::kDeviceTypeError,
                                    M::kUpgradeFailed,
                                    M::kUpgrade,
                                    M::kCancel,
                                    M::kStartDebug,
                                    M::kStopDebug,
                                    M::kRollGainTip,
                                    M::kAllGainTip,
                                    M::kYawGainTip,
                                    M::kParamFileOpened}) {
        EXPECT_NE(LoadMessage(Id(message), kLanguageEnglish), "") << Id(message);
        EXPECT_NE(LoadMessage(Id(message), kLanguageChinese), "") << Id(message);
    }
}

} // namespace
