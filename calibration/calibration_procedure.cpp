#include "calibration/calibration_procedure.h"

#include "resources/string_ids.h"

CalibrationProcedure::CalibrationProcedure(ICalibrationHost& host, int nDirection, int nModelDirection)
    : m_host(host), m_nDirection(nDirection), m_nModelDirection(nModelDirection)
{
}

void CalibrationProcedure::KeyPress()
{
    if (m_nState == 0)
        m_host.StartDiskWorker();
    if (m_nState == 1)
        m_bOnMains = m_host.OnMains();
    if (m_nState >= STATE_SUCCEEDED) {
        m_host.StopDiskWorker();
        m_host.ReturnToStart();
        return;
    }

    ++m_nState;
    m_host.RepaintNow();

    if (m_nState % 2 == 0) {
        // Every leg's start clears a stored calibration; only the first one writes.
        m_host.SetCalibrated(false);
        m_nTicks = 0;
        m_host.StartLegTimer();
        m_bTimerRunning = true;
        return;
    }
    if (m_bTimerRunning)
        EndLeg();
}

void CalibrationProcedure::EndLeg()
{
    m_host.StopLegTimer();
    m_bTimerRunning = false;

    const bool bWalk = m_nState == 3 || m_nState == 7 || m_nState == 11 || m_nState == 15;
    const int nExpected = bWalk ? WALK_TICKS : TURN_TICKS;
    if (m_nTicks < nExpected - TOLERANCE_TICKS || m_nTicks > nExpected + TOLERANCE_TICKS)
        return Fail(IDS_FAILED_TIMING);
    if (m_nState == 9 && m_nDirection != m_nModelDirection)
        return Fail(IDS_FAILED_DIRECTION);
    if (m_nState == 7 && m_bOnMains)
        return Fail(IDS_FAILED_ACCELERATION);

    if (m_nState == STATE_SUCCEEDED) {
        m_host.StopDiskWorker();
        m_host.SetCalibrated(true);
    }
}

void CalibrationProcedure::Fail(unsigned nStringId)
{
    m_nState = STATE_FAILED;
    m_host.Invalidate();
    m_host.StopDiskWorker();
    m_host.ShowFailure(nStringId);
    m_host.ReturnToStart();
}

void CalibrationProcedure::Tick()
{
    ++m_nTicks;
}
