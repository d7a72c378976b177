#pragma once

class QWidget;

// Draws a three-axis gimbal model turned by roll, pitch and yaw into a host
// widget. The host keeps its own life: the view copes with it being gone.
class KRQShow3DLibExp {
public:
    KRQShow3DLibExp();
    virtual ~KRQShow3DLibExp();
    KRQShow3DLibExp(const KRQShow3DLibExp&) = delete;
    KRQShow3DLibExp& operator=(const KRQShow3DLibExp&) = delete;

    // `host` is the widget drawn into; `variant` and `zoom` are described
    // beside the implementation.
    void Init(QWidget* host, int variant, double zoom);

    // Degrees. Stores the angles and schedules a repaint only when they
    // changed; returns at once.
    void Update(double roll, double pitch, double yaw);
};
