#include "platform/event_pump.h"

#include <QCoreApplication>
#include <QThread>

void QtEventPump::pump() { QCoreApplication::processEvents(); }

void QtEventPump::sleep(int milliseconds)
{
    if (milliseconds > 0)
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}
