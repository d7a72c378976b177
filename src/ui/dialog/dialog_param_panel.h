#pragma once

#include "params/panel_binding.h"

class ControlMap;

// The parameter controls of the dialog as the record copies see them.
// Selecting and checking from here notifies no one, so a copy never sets
// off an upload.
class DialogParamPanel : public ParamPanel {
public:
    explicit DialogParamPanel(const ControlMap& controls) : m_controls(controls) {}

    int Selection(int control) const override;
    int ItemCount(int control) const override;
    std::string ItemText(int control, int index) const override;
    void SelectIndex(int control, int index) override;
    int CheckState(int control) const override;
    void SetCheckState(int control, int state) override;
    std::string Text(int control) const override;
    void SetTextIfChanged(int control, const std::string& text) override;

private:
    const ControlMap& m_controls;
};
