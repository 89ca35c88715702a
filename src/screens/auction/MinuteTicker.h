#pragma once

#include <QObject>
#include <QPointer>

namespace tvs {

class Screen;
class Ticker;

// Ticks at every whole minute of the screen's clock (hh:mm:00), so that a time
// left counted in minutes changes when the clock's minute does, however late in
// a minute the screen came into view.
class MinuteTicker : public QObject
{
    Q_OBJECT

public:
    explicit MinuteTicker(Screen *screen);

    void start();
    void stop();

signals:
    void tick();

private:
    void dropFirst();

    Screen *m_screen;
    Ticker *m_everyMinute;
    // Up to the first whole minute; made anew at each start, for the part of the
    // minute that is left then.
    QPointer<Ticker> m_first;
};

} // namespace tvs
