#pragma once

#include "resources/dialog_template.h"

// Which drawn class the window gives a control of its template.
enum class WrapperClass {
    None, // the control keeps the toolkit's plain widget (the 3D view's host)
    Prog,
    Chan,
    List,
    Edit,
    Static,
    Combo,
    Button,
    Radio,
    Check,
    Group,
};

// The attachment rule: a few controls by id first, then by window class
// and, for buttons, by button type. A class or type the rule does not know
// gets no wrapper.
WrapperClass WrapperFor(const TemplateControl& control);
