#include "params/panel_binding.h"

#include "app/app_settings.h"
#include "params/param_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace {

// The panel as plain data. Edit fields refuse texts the way the window's
// fields do: by the real acceptance rule under their binding's kind and range.
class FakePanel : public ParamPanel {
public:
    FakePanel()
    {
        for (const PanelBinding& binding : PanelBindings()) {
            m_controls[binding.control] = {};
        }
        m_controls[1070].items = {"AUTO", "NORMAL", "INVERT"};
        m_controls[1092].items = {"OLD", "NEW"};
        for (const int control : {1005, 1006, 1085}) {
            m_controls[control].items = {"0", "1", "2"};
        }
        for (int control = 1174; control <= 1178; ++control) {
            m_controls[control].items = SplitTypeList(
                "NULL;CH01;CH02;CH03;CH04;CH05;CH06;CH07;CH08;CH09;CH10;CH11;CH12;CH13;CH14;CH15;CH16");
        }
    }

    void Fill(int control, std::string_view list) { m_controls.at(control).items = SplitTypeList(list); }
    void UserSelects(int control, int index) { m_controls.at(control).selection = index; }
    // Typed text passes the same check as text set by code.
    void UserTypes(int control, const std::string& text) { SetTextIfChanged(control, text); }

    int Selection(int control) const override { return m_controls.at(control).selection; }
    int ItemCount(int control) const override
    {
        return static_cast<int>(m_controls.at(control).items.size());
    }
    std::string ItemText(int control, int index) const override
    {
        return m_controls.at(control).items.at(static_cast<size_t>(index));
    }
    void SelectIndex(int control, int index) override
    {
        m_controls.at(control).selection = index >= 0 && index < ItemCount(control) ? index : -1;
    }
    int CheckState(int control) const override { return m_controls.at(control).check; }
    void SetCheckState(int control, int state) override { m_controls.at(control).check = state; }
    std::string Text(int control) const override { return m_controls.at(control).text; }
    void SetTextIfChanged(int control, const std::string& text) override
    {
        const PanelBinding& binding = *FindPanelBinding(control);
        if (IsAcceptable(binding.kind, binding.min, binding.max, std::wstring(text.begin(), text.end()))) {
            m_controls.at(control).text = text;
        }
    }

private:
    struct Control {
        std::vector<std::string> items;
        int selection = -1;
        int check = 0;
        std::string text;
    };
    std::map<int, Control> m_controls;
};

const PanelBinding& Binding(int control)
{
    const PanelBinding* binding = FindPanelBinding(control);
    EXPECT_NE(binding, nullptr) << control;
    return *binding;
}

// Whether the file's key and the binding name the same record field.
bool SameField(const ParamSlot& slot, const PanelField& field)
{
    if (const auto* entry = std::get_if<ChannelMapEntry>(&slot)) {
        return static_cast<int>(entry->index) == field.channel;
    }
    if (const auto* member = std::get_if<int32_t GimbalParams::*>(&slot)) {
        return *member == field.integer && field.channel < 0;
    }
    if (const auto* member = std::get_if<uint32_t GimbalParams::*>(&slot)) {
        return *member == field.unsigned_;
    }
    if (const auto* member = std::get_if<double GimbalParams::*>(&slot)) {
        return *member == field.real;
    }
    return false;
}

TEST(PanelBindingTable, HoldsComboBoxesThenCheckBoxesThenEditsEachOnItsOwnField)
{
    const auto bindings = PanelBindings();
    ASSERT_EQ(bindings.size(), 97u);
    std::set<int> controls;
    std::set<std::string_view> keys;
    for (size_t row = 0; row < bindings.size(); ++row) {
        const PanelBinding& binding = bindings[row];
        const bool is_combo = binding.type == PanelControlType::ComboByIndex ||
                              binding.type == PanelControlType::ComboByProductCode;
        EXPECT_EQ(is_combo, row < 14) << binding.control;
        EXPECT_EQ(binding.type == PanelControlType::Check, row >= 14 && row < 23) << binding.control;
        EXPECT_EQ(binding.type == PanelControlType::Edit, row >= 23) << binding.control;
        const ParamField* file_field = FindParamField(binding.key);
        ASSERT_NE(file_field, nullptr) << binding.key;
        EXPECT_TRUE(SameField(file_field->slot, binding.field)) << binding.key;
        controls.insert(binding.control);
        keys.insert(binding.key);
    }
    EXPECT_EQ(controls.size(), 97u);
    EXPECT_EQ(keys.size(), 97u); // every file key but the calibration block
    EXPECT_EQ(bindings.front().control, 1009);
    EXPECT_EQ(bindings[23].control, 1102);
    EXPECT_EQ(bindings.back().control, 1121);
}

TEST(PanelBindingTable, EditsShowTheirKindInTheMatchingFormat)
{
    for (const PanelBinding& binding : PanelBindings()) {
        const PanelFormat expected = binding.kind == EditKind::Integer   ? PanelFormat::General
                                     : binding.kind == EditKind::Decimal ? PanelFormat::OneDecimal
                                     : binding.kind == EditKind::Hex     ? PanelFormat::Hex8
                                                                         : PanelFormat::None;
        EXPECT_EQ(binding.shown_as, expected) << binding.control;
        EXPECT_EQ(binding.kind != EditKind::None, binding.type == PanelControlType::Edit) << binding.control;
    }
    struct Row {
        int control;
        EditKind kind;
        double min;
        double max;
    };
    for (const Row& row : {Row{1102, EditKind::Hex, 0, 4294967295.0}, Row{1101, EditKind::Integer, 0, 90},
                           Row{1076, EditKind::Integer, 1, 255}, Row{1120, EditKind::Decimal, 0, 25.5},
                           Row{1123, EditKind::Decimal, 0, 10}, Row{1161, EditKind::Integer, -32768, 32767},
                           Row{1166, EditKind::Integer, 0, 65535}, Row{1099, EditKind::Integer, 0, 100}}) {
        const PanelBinding& binding = Binding(row.control);
        EXPECT_EQ(binding.kind, row.kind) << row.control;
        EXPECT_EQ(binding.min, row.min) << row.control;
        EXPECT_EQ(binding.max, row.max) << row.control;
    }
}

TEST(PanelBindingTable, FindsRowsByControlAndByKeyInAnyCase)
{
    EXPECT_EQ(Binding(1023).key, "m_roll_pid_kp");
    EXPECT_EQ(Binding(1035).key, "m_gb_roll_pid_kp");
    EXPECT_EQ(Binding(1034).key, "m_gb_roll_pid_ki");
    EXPECT_EQ(Binding(1177).key, "m_chan_map_3");
    ASSERT_NE(FindPanelBindingByKey("M_ROLL_PID_KP"), nullptr);
    EXPECT_EQ(FindPanelBindingByKey("M_ROLL_PID_KP")->control, 1023);
    EXPECT_EQ(FindPanelBinding(1000), nullptr);
    EXPECT_EQ(FindPanelBindingByKey("m_mtr_cal_par"), nullptr);
}

TEST(ProductCode, IsTheThreeCharactersBetweenTheFirstBrackets)
{
    EXPECT_EQ(ProductCodeOf("Model [007]"), 7);
    EXPECT_EQ(ProductCodeOf("[ 12]"), 12);
    EXPECT_EQ(ProductCodeOf("[abc]"), 0);
    EXPECT_EQ(ProductCodeOf("[-12]"), -12);
    EXPECT_EQ(ProductCodeOf("A [001] B [002]"), 1);
    EXPECT_EQ(ProductCodeOf("X [1]"), std::nullopt);
    EXPECT_EQ(ProductCodeOf("Y [0012]"), std::nullopt);
    EXPECT_EQ(ProductCodeOf("Z] [123]"), std::nullopt); // the first "]" comes before "["
    EXPECT_EQ(ProductCodeOf("no code"), std::nullopt);
    EXPECT_EQ(ProductCodeOf("[滚]"), std::nullopt); // one character, three bytes
    EXPECT_EQ(ProductCodeOf("[滚12]"), 0);
}

TEST(PanelCopies, ProductComboSelectsAndReadsByCode)
{
    FakePanel panel;
    panel.Fill(1009, "Model [001];Other [002];X [1];Neg [-12];Big [300]");
    GimbalParams params{};
    params.m_product_type = 2;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Selection(1009), 1);

    panel.UserSelects(1009, 0);
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_product_type, 1);

    // Items without a storable code leave the field as it was.
    for (const int item : {2, 3, 4}) {
        panel.UserSelects(1009, item);
        CopyPanelToParams(panel, params);
        EXPECT_EQ(params.m_product_type, 1) << item;
    }

    // A code that no item carries clears the box and survives later copies.
    params.m_product_type = 9;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Selection(1009), -1);
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_product_type, 9);
}

TEST(PanelCopies, IndexCombosSelectByValueAndClearOutsideTheirItems)
{
    FakePanel panel;
    panel.Fill(1003, "A;B;;C;");
    ASSERT_EQ(panel.ItemCount(1003), 3);
    GimbalParams params{};
    params.m_gimbal_type = 2;
    params.m_chan_map[3] = 16;
    params.m_udmode_type = -1;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.ItemText(1003, panel.Selection(1003)), "C");
    EXPECT_EQ(panel.ItemText(1177, panel.Selection(1177)), "CH16");
    EXPECT_EQ(panel.Selection(1070), -1);

    params.m_gimbal_type = 3;
    params.m_chan_map[3] = 17;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Selection(1003), -1);
    EXPECT_EQ(panel.Selection(1177), -1);

    // Without a selection the record keeps its value; with one it takes the index.
    panel.UserSelects(1070, 2);
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_gimbal_type, 3);
    EXPECT_EQ(params.m_chan_map[3], 17);
    EXPECT_EQ(params.m_udmode_type, 2);
}

TEST(PanelCopies, CheckBoxesCarryTheirState)
{
    FakePanel panel;
    GimbalParams params{};
    params.m_sensor_y_sign = 1;
    params.m_motor2_angle_rev = 2; // passed on as the record holds it
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.CheckState(1131), 1);
    EXPECT_EQ(panel.CheckState(1126), 2);

    panel.SetCheckState(1131, 0);
    panel.SetCheckState(1127, 1);
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_sensor_y_sign, 0);
    EXPECT_EQ(params.m_motor0_dir_rev, 1);
}

TEST(PanelCopies, RefusedValuesKeepTheEditTextWhichTheNextCopyStores)
{
    FakePanel panel;
    GimbalParams params{};
    params.m_roll_pid_kp = 10;
    params.m_motor0_pole_pairs = 7;
    CopyParamsToPanel(params, panel);
    ASSERT_EQ(panel.Text(1023), "10");
    ASSERT_EQ(panel.Text(1076), "7");

    params.m_roll_pid_kp = 300;     // above 0..255
    params.m_motor0_pole_pairs = 0; // below 1..255
    params.m_gimbal_alpha = 4.5;    // a fraction in an integer field
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Text(1023), "10");
    EXPECT_EQ(panel.Text(1076), "7");
    EXPECT_EQ(panel.Text(1101), "0");
    EXPECT_EQ(params.m_roll_pid_kp, 300);

    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_roll_pid_kp, 10);
    EXPECT_EQ(params.m_motor0_pole_pairs, 7);
    EXPECT_EQ(params.m_gimbal_alpha, 0);
}

TEST(PanelCopies, EmptyEditsStoreZero)
{
    FakePanel panel;
    GimbalParams params{};
    params.m_roll_pid_kp = 10;
    params.m_camera_opts = 0x1234;
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_roll_pid_kp, 0);
    EXPECT_EQ(params.m_camera_opts, 0u);
    EXPECT_EQ(panel.Text(1023), "0");
    EXPECT_EQ(panel.Text(1102), "00000000");
}

TEST(PanelCopies, DecimalsShowOneDecimalAndTheCopyStoresWhatIsShown)
{
    FakePanel panel;
    GimbalParams params{};
    params.m_max_rate_scale = 2.26;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Text(1120), "2.3");
    EXPECT_EQ(params.m_max_rate_scale, 2.26);
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_max_rate_scale, 2.3);

    panel.UserTypes(1108, "5.");
    ASSERT_EQ(panel.Text(1108), "5.");
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_roll_pidtgain_ratio, 5.0);
    EXPECT_EQ(panel.Text(1108), "5.0");
}

TEST(PanelCopies, CameraOptionsTravelAsEightHexDigits)
{
    FakePanel panel;
    GimbalParams params{};
    params.m_camera_opts = 0xA05F;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Text(1102), "0000A05F");

    params.m_camera_opts = 0xFFFFFFFF;
    CopyParamsToPanel(params, panel);
    EXPECT_EQ(panel.Text(1102), "FFFFFFFF");

    panel.UserTypes(1102, "a05f");
    CopyPanelToParams(panel, params);
    EXPECT_EQ(params.m_camera_opts, 0xA05Fu);
    EXPECT_EQ(panel.Text(1102), "0000A05F");
}

int32_t& IndexField(GimbalParams& params, const PanelField& field)
{
    return field.channel >= 0 ? params.m_chan_map[field.channel] : params.*field.integer;
}

// A record every control takes: each field at a value inside its range.
GimbalParams InRangeRecord(FakePanel& panel)
{
    panel.Fill(1009, "Model [001];Other [002]");
    panel.Fill(1003, "A;B;C");
    panel.Fill(1004, "Cam0;Cam1");
    panel.Fill(1063, "R0;R1;R2;R3");
    GimbalParams params{};
    double step = 0;
    for (const PanelBinding& binding : PanelBindings()) {
        step += 1;
        switch (binding.type) {
        case PanelControlType::ComboByProductCode:
            params.*binding.field.integer = 2;
            break;
        case PanelControlType::ComboByIndex:
            IndexField(params, binding.field) = 1;
            break;
        case PanelControlType::Check:
            params.*binding.field.integer = static_cast<int32_t>(step) % 2;
            break;
        case PanelControlType::Edit:
            if (binding.field.unsigned_ != nullptr) {
                params.*binding.field.unsigned_ = 0xDEADBEEF;
            } else {
                const double span = binding.max - binding.min;
                const double value = binding.min + std::fmod(step * 7.3, span);
                params.*binding.field.real =
                    binding.kind == EditKind::Integer ? std::floor(value) : std::round(value * 10) / 10;
            }
            break;
        }
    }
    return params;
}

TEST(PanelCopies, RecordToPanelToRecordIsAFixedPointForInRangeValues)
{
    FakePanel panel;
    const GimbalParams original = InRangeRecord(panel);
    for (const PanelBinding& binding : PanelBindings()) {
        ASSERT_EQ(CheckPanelValue(binding, PanelValueOf(original, binding)), std::nullopt) << binding.control;
    }
    CopyParamsToPanel(original, panel);
    GimbalParams copy{};
    CopyPanelToParams(panel, copy);
    EXPECT_EQ(std::memcmp(&copy, &original, sizeof copy), 0);
    for (const PanelBinding& binding : PanelBindings()) {
        EXPECT_EQ(PanelValueOf(copy, binding), PanelValueOf(original, binding)) << binding.key;
    }
}

TEST(PanelChecks, RoundedValueIsWhatTheCopyStores)
{
    FakePanel panel;
    GimbalParams shown = InRangeRecord(panel);
    for (const PanelBinding& binding : PanelBindings()) {
        // Decimal fields get values inside their range but finer than one decimal.
        if (binding.kind == EditKind::Decimal) {
            shown.*binding.field.real = binding.max * 0.4567;
        }
    }
    const GimbalParams before = shown;
    CopyParamsToPanel(shown, panel);
    CopyPanelToParams(panel, shown);
    for (const PanelBinding& binding : PanelBindings()) {
        EXPECT_EQ(PanelValueOf(shown, binding), PanelRoundedValue(binding, PanelValueOf(before, binding)))
            << binding.key;
    }
    EXPECT_EQ(PanelRoundedValue(Binding(1120), 2.26), 2.3);
    EXPECT_EQ(PanelRoundedValue(Binding(1023), 1234567), 1234570);
    EXPECT_EQ(PanelRoundedValue(Binding(1102), 4294967295.0), 4294967295.0);
}

TEST(PanelChecks, EveryRowTakesItsRangeEndsAndRefusesBeyondThem)
{
    for (const PanelBinding& binding : PanelBindings()) {
        EXPECT_EQ(CheckPanelValue(binding, binding.min), std::nullopt) << binding.control;
        EXPECT_EQ(CheckPanelValue(binding, binding.max), std::nullopt) << binding.control;
        EXPECT_NE(CheckPanelValue(binding, binding.min - 1), std::nullopt) << binding.control;
        if (binding.type != PanelControlType::ComboByIndex) {
            EXPECT_NE(CheckPanelValue(binding, binding.max + 1), std::nullopt) << binding.control;
        }
        EXPECT_NE(CheckPanelValue(binding, std::numeric_limits<double>::quiet_NaN()), std::nullopt)
            << binding.control;
    }
}

TEST(PanelChecks, RefusalsNameTheRangeAsTheControlShowsIt)
{
    struct Case {
        int control;
        double value;
        std::optional<std::string> refusal;
    };
    const std::vector<Case> cases = {
        {1023, 255, std::nullopt},
        {1023, 256, "0..255"},
        {1023, 1.5, "0..255"},
        {1076, 0, "1..255"},
        {1156, -32769, "-32768..32767"},
        {1120, 25.54, std::nullopt}, // shown as 25.5
        {1120, 25.56, "0.0..25.5"},
        {1108, -0.04, std::nullopt}, // shown as -0.0
        {1102, 4294967296.0, "00000000..FFFFFFFF"},
        {1102, 0.5, "00000000..FFFFFFFF"},
        {1070, 40, std::nullopt},
        {1070, -1, "an item index, 0 or more"},
        {1070, 0.5, "an item index, 0 or more"},
        {1009, 256, "0..255"},
        {1130, 2, "0..1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckPanelValue(Binding(c.control), c.value), c.refusal) << c.control << " " << c.value;
    }
}

} // namespace
