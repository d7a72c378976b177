#pragma once

#include "libs/iap/brevon_iap_lib_exp.h"

#include <QEvent>

class QObject;

// Events the link's and the upgrade's threads post to the window. The
// event queue owns them, and drops those of a receiver that is destroyed, so
// a late post can never reach a window that is gone.

// "Bytes are queued or the port was lost": the window runs its receive pump.
QEvent::Type SerialPostedEventType();
void PostSerialEvent(QObject* receiver);

// One event of the firmware upgrade, copied out of the library's thread.
class IapPostedEvent : public QEvent {
public:
    explicit IapPostedEvent(const IapEvent& event) : QEvent(Type()), m_event(event) {}
    static QEvent::Type Type();
    const IapEvent& Event() const { return m_event; }

private:
    IapEvent m_event;
};
