#include "calibration/qt_leg_timer.h"

QtLegTimer::QtLegTimer()
{
    m_timer.setInterval(50);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { m_fnTick(); });
}

void QtLegTimer::Start(std::function<void()> fnTick)
{
    m_fnTick = std::move(fnTick);
    m_timer.start();
}

void QtLegTimer::Stop()
{
    m_timer.stop();
}
