#pragma once

#include "libs/view3d/gimbal_model.h"
#include "libs/view3d/rotation.h"
#include "libs/view3d/scene.h"
#include "libs/view3d_qt/gauge_painter.h"

#include <QImage>
#include <QSizeF>

class QPainter;

// The whole view as a picture: a soft background, the gimbal turned to the
// attitude above its compass disc, and the roll, pitch and yaw dials. It
// paints in logical pixels; the painter's device brings the pixel ratio.
// What no angle moves (background, disc, dial faces) is drawn once per size
// and ratio into a backdrop image that each paint starts from.
class AttitudePicture {
public:
    AttitudePicture(ModelVariant variant, double zoom);

    void Paint(QPainter& painter, QSizeF size, const Attitude& attitude);

private:
    SceneRequest Request(QSizeF size, const Attitude& attitude) const;
    const QImage& Backdrop(QSizeF size, double ratio);

    Mesh m_mesh;
    GaugePointers m_pointers;
    ModelVariant m_variant;
    double m_zoom;
    QImage m_backdrop;
};
