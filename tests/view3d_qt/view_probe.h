#pragma once

// Helpers for the attitude view's tests: a host window with the view in it,
// and measurements on its rendered pixels.
#include "libs/view3d/rotation.h"
#include "libs/view3d/view_geometry.h"
#include "libs/view3d_qt/attitude_picture.h"
#include "libs/view3d_qt/attitude_view_widget.h"
#include "libs/view3d_qt/krq_show3d_lib_exp.h"
#include "ui_controls/widget_probe.h"

#include <QFrame>
#include <QImage>
#include <memory>

// The host the window gives the view: a sunken frame, 455 x 210 pixels.
struct HostedView {
    HostedView()
    {
        host->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        host->resize(455, 210);
        view.Init(host.get(), 0, 1.0);
        ShowExposed(*host);
    }

    AttitudeViewWidget* Widget() const { return host->findChild<AttitudeViewWidget*>(); }

    QImage Shot(const Attitude& attitude)
    {
        view.Update(attitude.roll, attitude.pitch, attitude.yaw);
        Settle();
        return Render(*Widget());
    }

    std::unique_ptr<QFrame> host = std::make_unique<QFrame>();
    KRQShow3DLibExp view;
};

// How many pixels of `a` and `b` (same size) differ clearly inside `area`.
int CountDifferentPixels(const QImage& a, const QImage& b, const Rect& area);

// `image` mirrored left to right about the vertical centre line of `area`.
QImage MirroredWithin(const QImage& image, const Rect& area);

// How much lower (in pixels, y grows down) the dark pixels of the right
// half of `area` lie than those of its left half: positive when the right
// side dips.
double DarkTilt(const QImage& image, const Rect& area);

// The view's picture painted into a black image of the host's size (455 x
// 210 logical pixels) at the pixel `ratio`.
QImage PaintedPicture(ModelVariant variant, const Attitude& attitude, double ratio);
