#include "libs/view3d_qt/attitude_view_widget.h"

#include <QEvent>
#include <QPainter>

AttitudeViewWidget::AttitudeViewWidget(QWidget& host, ModelVariant variant, double zoom,
                                       const Attitude& attitude)
    : QWidget(&host), m_picture(variant, zoom), m_attitude(attitude)
{
    // Every pixel is painted, and the host keeps the mouse.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    host.installEventFilter(this);
    FillHost();
    show();
}

void AttitudeViewWidget::SetAttitude(const Attitude& attitude)
{
    if (attitude == m_attitude) {
        return;
    }
    m_attitude = attitude;
    update();
}

void AttitudeViewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.Paint(painter, size(), m_attitude);
}

bool AttitudeViewWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::ContentsRectChange)) {
        FillHost();
    }
    return false;
}

void AttitudeViewWidget::FillHost()
{
    setGeometry(parentWidget()->contentsRect());
}
