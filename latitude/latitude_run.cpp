#include "latitude/latitude_run.h"

#include "app/rand15.h"

#include <algorithm>

namespace {

constexpr double s_dNormaliser = 3.051850947599719e-05; // 1/32767
constexpr double s_dTwoPi = 6.283185307179586;
constexpr double s_dPerDay = 1.1574074074074073e-05; // 1/86400
constexpr int s_nStepsPerCycle = 20;

} // namespace

int LatitudeAccuracy(int nCounter)
{
    const int nAccuracy = static_cast<int>(nCounter / 1200.0 / 1440.0 * 100.0);
    return std::clamp(nAccuracy, 1, 100);
}

double DampingDivisor(int nAccuracy)
{
    return nAccuracy > 20 ? (nAccuracy - 20) * 0.0125 + 1.0 : 1.0;
}

void RunLatitudeMeasurement(ILatitudeRunHost& host, int nDirection, int nModelDirection)
{
    const std::int64_t nStart = host.Now();
    Rand15 random(static_cast<std::uint32_t>(nStart));
    int nCounter = 1;
    double dLast = 1.0;
    LatPoint point;

    while (host.WindowAlive() && !host.Stopped()) {
        if (static_cast<double>(nStart) + 86400.0 <= static_cast<double>(host.Now()))
            break;
        const int nAccuracy = LatitudeAccuracy(nCounter);
        double dSum = 0.0;
        for (int i = 0; i < nAccuracy; ++i)
            dSum = dSum + random.Next() * s_dNormaliser - 0.5;
        if (static_cast<double>(nCounter) > 2400.0 && nDirection != nModelDirection) {
            host.ShowImplausibleValues();
            host.RequestReturnToStart();
        }
        dSum = dSum / DampingDivisor(nAccuracy);
        const double dTarget = dSum / nAccuracy + 1.0;
        point.angle = nDirection * static_cast<double>(host.Now() % 86400) * s_dTwoPi * s_dPerDay;

        bool bWindowGone = false;
        for (double dStep = 1.0; dStep < s_nStepsPerCycle; dStep += 1.0) {
            if (!host.WindowAlive()) {
                bWindowGone = true;
                break;
            }
            if (host.Stopped())
                break;
            point.value = dLast + (dTarget - dLast) * dStep * 0.05;
            host.DrawMarker(point, false, nAccuracy);
            host.Sleep50Milliseconds();
        }
        if (!bWindowGone && host.WindowAlive() && !host.Stopped()) {
            point.value = dTarget;
            host.DrawMarker(point, true, nAccuracy);
            host.Sleep50Milliseconds();
        }
        nCounter += s_nStepsPerCycle;
        dLast = dTarget;
    }

    host.StopDiskLoad();
    // A window that went away without a stop means the program is closing: no report then.
    if (!host.Stopped() && host.WindowAlive())
        host.ShowReport(point);
}
