#include "ui/dialog/posted_events.h"

#include <QCoreApplication>

QEvent::Type SerialPostedEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void PostSerialEvent(QObject* receiver)
{
    QCoreApplication::postEvent(receiver, new QEvent(SerialPostedEventType()));
}

QEvent::Type IapPostedEvent::Type()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
