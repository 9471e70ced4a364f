#pragma once

#include "latitude/lat_point.h"

#include <cstdint>

// What a latitude measurement needs of its page, its clock and its thread.
class ILatitudeRunHost {
public:
    virtual ~ILatitudeRunHost() = default;
    virtual bool WindowAlive() = 0;
    virtual bool Stopped() = 0;
    // Calendar time in seconds.
    virtual std::int64_t Now() = 0;
    // Waits one animation step, and holds still there while the page asks a question.
    virtual void Sleep50Milliseconds() = 0;
    virtual void DrawMarker(const LatPoint& point, bool bStore, int nAccuracy) = 0;
    // Shows the implausible-values message and returns once it is closed.
    virtual void ShowImplausibleValues() = 0;
    // Asks the page to stop and return to the start page.
    virtual void RequestReturnToStart() = 0;
    virtual void StopDiskLoad() = 0;
    // The 24 hours are over: offer the report for the last estimate.
    virtual void ShowReport(const LatPoint& last) = 0;
};

// The values of one cycle, from the counter that grows by 20 a cycle.
int LatitudeAccuracy(int nCounter);
double DampingDivisor(int nAccuracy);

// The 24-hour measurement: a cycle about every second whose random deviation
// narrows with the accuracy, animated in 20 steps of 50 ms towards its target,
// the marker circling once a day at the angle of the time of day.
void RunLatitudeMeasurement(ILatitudeRunHost& host, int nDirection, int nModelDirection);
