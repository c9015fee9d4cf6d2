#include "app/event_loop_waiter.h"

#include <QEventLoop>
#include <QTimer>

namespace tavrino::app {

void EventLoopWaiter::pause(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(duration);
    loop.exec();
}

} // namespace tavrino::app
