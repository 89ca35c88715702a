#include "MinuteTicker.h"

#include "Screen.h"
#include "Services.h"

namespace tvs {

using namespace std::chrono_literals;

MinuteTicker::MinuteTicker(Screen *screen)
    : QObject(screen), m_screen(screen), m_everyMinute(screen->makeTicker(1min))
{
    connect(m_everyMinute, &Ticker::tick, this, &MinuteTicker::tick);
}

void MinuteTicker::start()
{
    stop();
    const QTime time = m_screen->now().time();
    const std::chrono::milliseconds intoMinute{time.second() * 1000 + time.msec()};
    m_first = m_screen->makeTicker(1min - intoMinute);
    connect(m_first, &Ticker::tick, this, [this] {
        dropFirst();
        m_everyMinute->start();
        emit tick();
    });
    m_first->start();
}

void MinuteTicker::stop()
{
    dropFirst();
    m_everyMinute->stop();
}

void MinuteTicker::dropFirst()
{
    // Also called from its own tick: stopped now, deleted once the tick is over.
    if (m_first) {
        m_first->stop();
        m_first->deleteLater();
        m_first = nullptr;
    }
}

} // namespace tvs
