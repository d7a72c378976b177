#include "libs/view3d_qt/krq_show3d_lib_exp.h"

#include "libs/view3d_qt/attitude_view_widget.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSmallestZoom = 0.25;
constexpr double kLargestZoom = 4.0;

double UsableZoom(double zoom)
{
    return std::isfinite(zoom) && zoom > 0.0 ? std::clamp(zoom, kSmallestZoom, kLargestZoom) : 1.0;
}

double FiniteOr(double angle, double previous)
{
    return std::isfinite(angle) ? angle : previous;
}

} // namespace

KRQShow3DLibExp::KRQShow3DLibExp() = default;

// The host may be gone already, and its children with it; QPointer knows.
KRQShow3DLibExp::~KRQShow3DLibExp()
{
    delete m_view.data();
}

void KRQShow3DLibExp::Init(QWidget* host, int variant, double zoom)
{
    delete m_view.data();
    if (host != nullptr) {
        m_view = new AttitudeViewWidget(*host, ModelVariantFromInt(variant), UsableZoom(zoom), m_attitude);
    }
}

void KRQShow3DLibExp::Update(double roll, double pitch, double yaw)
{
    const Attitude next{FiniteOr(roll, m_attitude.roll), FiniteOr(pitch, m_attitude.pitch),
                        FiniteOr(yaw, m_attitude.yaw)};
    if (next == m_attitude) {
        return;
    }
    m_attitude = next;
    if (m_view) {
        m_view->SetAttitude(m_attitude);
    }
}
