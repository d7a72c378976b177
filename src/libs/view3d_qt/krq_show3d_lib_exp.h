#pragma once

#include "libs/view3d/rotation.h"

#include <QPointer>

class AttitudeViewWidget;
class QWidget;

// Draws a three-axis gimbal model turned by roll, pitch and yaw into a host
// widget. The host keeps its own life: the view copes with it being gone.
// All calls come from the thread that owns the widgets. See README.md.
class KRQShow3DLibExp {
public:
    KRQShow3DLibExp();
    virtual ~KRQShow3DLibExp();
    KRQShow3DLibExp(const KRQShow3DLibExp&) = delete;
    KRQShow3DLibExp& operator=(const KRQShow3DLibExp&) = delete;

    // `host` is the widget drawn into: the view becomes a child filling it.
    // `variant` picks the model: 0 the gimbal, 1 the camera alone; other
    // values draw the gimbal. `zoom` scales the model: 1.0 fits it to the
    // host's height; it is clamped to 0.25..4, and zero, negative or not a
    // number means 1.0. A second Init replaces the first view.
    void Init(QWidget* host, int variant, double zoom);

    // Degrees. Stores the angles and schedules a repaint only when they
    // changed; returns at once. An angle that is not a finite number leaves
    // that angle as it was.
    void Update(double roll, double pitch, double yaw);

private:
    QPointer<AttitudeViewWidget> m_view;
    Attitude m_attitude;
};
