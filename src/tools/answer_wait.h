#pragma once

// Reading answers after the last send: the event loop runs until `wait`
// milliseconds have passed since the last send that asks for more answers.
// Each such send during the wait moves the end, but never beyond `capFactor`
// waits after the wait began, so a host that keeps answering with challenges
// cannot keep the tool running for ever.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

class AnswerWait {
public:
    AnswerWait(int waitMs, int capFactor);

    // Runs the event loop until the end; returns at once for a wait of 0.
    void run();
    // A send that asks for more answers; moves the end while run() is active.
    void sentAgain();

private:
    int m_waitMs;
    int m_capMs;
    bool m_running = false;
    QElapsedTimer m_since;
    QTimer m_timer;
    QEventLoop m_loop;
};
