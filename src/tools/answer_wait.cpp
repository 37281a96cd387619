#include "tools/answer_wait.h"

#include <algorithm>

AnswerWait::AnswerWait(int waitMs, int capFactor)
    : m_waitMs(waitMs), m_capMs(waitMs * capFactor)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_loop, &QEventLoop::quit);
}

void AnswerWait::run()
{
    if (m_waitMs <= 0)
        return;
    m_since.start();
    m_running = true;
    m_timer.start(m_waitMs);
    m_loop.exec();
    m_running = false;
}

void AnswerWait::sentAgain()
{
    if (!m_running)
        return;
    const qint64 left = m_capMs - m_since.elapsed();
    m_timer.start(static_cast<int>(std::clamp<qint64>(left, 0, m_waitMs)));
}
