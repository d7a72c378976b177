#pragma once

#include "libs/view3d_qt/attitude_picture.h"

#include <QWidget>

// The child widget that shows the attitude picture over the whole inside of
// its host (inside the host's frame, if it has one), following the host's
// size. It repaints only when the attitude it shows changes or Qt asks.
class AttitudeViewWidget : public QWidget {
    Q_OBJECT
public:
    AttitudeViewWidget(QWidget& host, ModelVariant variant, double zoom, const Attitude& attitude);

    // Schedules a repaint when `attitude` differs from the one shown.
    void SetAttitude(const Attitude& attitude);
    const Attitude& ShownAttitude() const { return m_attitude; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillHost();

    AttitudePicture m_picture;
    Attitude m_attitude;
};
