#pragma once

// What the calibration walk asks of its page.
class ICalibrationHost {
public:
    virtual ~ICalibrationHost() = default;
    virtual void StartDiskWorker() = 0;
    virtual void StopDiskWorker() = 0;
    // Whether the notebook runs on mains power; a failed query counts as battery.
    virtual bool OnMains() = 0;
    virtual void SetCalibrated(bool bCalibrated) = 0;
    virtual void StartLegTimer() = 0;
    virtual void StopLegTimer() = 0;
    virtual void RepaintNow() = 0;
    virtual void Invalidate() = 0;
    // Shows the failure text modally, with the stop icon.
    virtual void ShowFailure(unsigned nStringId) = 0;
    virtual void ReturnToStart() = 0;
};

// The walk around the 5 m square: states 0 to 18, one key press at a time; the
// even states 2 to 16 time a leg in ticks of the 50 ms leg timer.
class CalibrationProcedure {
public:
    static constexpr int STATE_SUCCEEDED = 17;
    static constexpr int STATE_FAILED = 18;
    static constexpr int WALK_TICKS = 84;
    static constexpr int TURN_TICKS = 24;
    static constexpr int TOLERANCE_TICKS = 20;

    CalibrationProcedure(ICalibrationHost& host, int nDirection, int nModelDirection);

    void KeyPress();
    void Tick();

    int State() const { return m_nState; }
    int Ticks() const { return m_nTicks; }
    bool LegTimed() const { return m_bTimerRunning; }

private:
    void EndLeg();
    void Fail(unsigned nStringId);

    ICalibrationHost& m_host;
    const int m_nDirection;
    const int m_nModelDirection;
    int m_nState = 0;
    int m_nTicks = 0;
    bool m_bTimerRunning = false;
    bool m_bOnMains = false;
};
