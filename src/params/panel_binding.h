#pragma once

#include "params/edit_acceptance.h"
#include "params/gimbal_params.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The binding between the parameter record and the dialog's parameter
// controls: which control shows which field, how, and what it accepts. The
// window copies through it; the command-line tool checks files against the
// same kinds and ranges.

enum class PanelControlType {
    ComboByIndex,       // the field holds the selected item's index
    ComboByProductCode, // the field holds the code in "[...]" of the selected item
    Check,              // the field holds the check state
    Edit,               // the field's value as text, in `shown_as`
};

// How an edit field shows its field.
enum class PanelFormat {
    None,       // not an edit field
    General,    // "%g"
    OneDecimal, // "%.1f"
    Hex8,       // "%08X"
};

// Which record field a control holds.
struct PanelField {
    int32_t GimbalParams::*integer = nullptr;    // type boxes, indexes, check states
    uint32_t GimbalParams::*unsigned_ = nullptr; // m_camera_opts
    double GimbalParams::*real = nullptr;        // every other edit field
    int channel = -1;                            // 0..4 for m_chan_map[channel]
};

struct PanelBinding {
    int control;
    std::string_view caption; // label, column header or tooltip that names the control
    std::string_view key;     // the parameter-file key of the field
    PanelControlType type;
    PanelField field;
    PanelFormat shown_as;
    EditKind kind; // edit fields only
    // The values the control accepts, inclusive. For an index combo box the
    // item count is known only to the window, so the top is open.
    double min;
    double max;
};

// The 97 bound controls in the order both copies visit them: the 14 combo
// boxes, the 9 check boxes, then the 74 edit fields.
std::span<const PanelBinding> PanelBindings();

const PanelBinding* FindPanelBinding(int control);
const PanelBinding* FindPanelBindingByKey(std::string_view key);

// The code an item text carries: the three characters between the first "["
// and the first "]", read like atoi, when "]" stands exactly four characters
// after "[". "Model [007]" gives 7; "X [1]" carries none.
std::optional<int> ProductCodeOf(std::string_view item_text);

// The controls as the two copies see them. The window implements it on its
// widgets; texts are UTF-8.
class ParamPanel {
public:
    virtual int Selection(int control) const = 0; // -1 for none
    virtual int ItemCount(int control) const = 0;
    virtual std::string ItemText(int control, int index) const = 0;
    // Selects without notifying anyone; an index outside the items clears the selection.
    virtual void SelectIndex(int control, int index) = 0;
    virtual int CheckState(int control) const = 0;
    virtual void SetCheckState(int control, int state) = 0;
    virtual std::string Text(int control) const = 0;
    // Replaces the text only when it differs; the edit field may refuse it.
    virtual void SetTextIfChanged(int control, const std::string& text) = 0;

protected:
    ~ParamPanel() = default;
};

// The record into the panel (UpdatePanelFromParams).
void CopyParamsToPanel(const GimbalParams& params, ParamPanel& panel);

// The panel into the record, then the record back into the panel
// (UpdateParamsFromPanel).
void CopyPanelToParams(ParamPanel& panel, GimbalParams& params);

// A field's value as its edit field shows it ("%g", "%.1f" or "%08X", in C
// conventions whatever the locale); a combo box or check box field as "%d".
std::string FormatPanelValue(const GimbalParams& params, const PanelBinding& binding);

// The value of the binding's field, whatever its type.
double PanelValueOf(const GimbalParams& params, const PanelBinding& binding);

// Whether the control would take `value` from the record: an edit field its
// formatted text under the field's kind and range, a combo box an index of 0
// or more (or a product code 0..255), a check box 0 or 1. When it would not,
// the accepted range in English: "0..255", "0.0..25.5", "00000000..FFFFFFFF".
std::optional<std::string> CheckPanelValue(const PanelBinding& binding, double value);

// `value` as the panel shows it and a copy from the panel stores it back:
// one decimal for "%.1f" fields, six significant digits for "%g" fields,
// unchanged otherwise. A read-back compared with it compares like with like.
double PanelRoundedValue(const PanelBinding& binding, double value);
