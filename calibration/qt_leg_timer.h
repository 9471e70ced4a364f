#pragma once

#include "calibration/leg_timer.h"

#include <QTimer>

class QtLegTimer : public ILegTimer {
public:
    QtLegTimer();
    void Start(std::function<void()> fnTick) override;
    void Stop() override;

private:
    QTimer m_timer;
    std::function<void()> m_fnTick;
};
