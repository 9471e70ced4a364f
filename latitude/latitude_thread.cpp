#include "latitude/latitude_thread.h"

#include "app/visit/linux_thread_priority.h"
#include "latitude/latitude_report.h"
#include "latitude/latitude_run.h"

namespace {

class LatitudeThreadHost : public ILatitudeRunHost {
public:
    LatitudeThreadHost(std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock, LatitudeLocation location,
                       LatitudeDrive drive, LatitudeThreadServices services)
        : m_pVisit(std::move(pVisit)),
          m_clock(clock),
          m_location(std::move(location)),
          m_drive(std::move(drive)),
          m_services(std::move(services))
    {
    }

    bool WindowAlive() override { return m_pVisit->WindowAlive(); }
    bool Stopped() override { return m_pVisit->m_bStop.load(std::memory_order_acquire); }
    std::int64_t Now() override { return m_clock.Now(); }

    void Sleep50Milliseconds() override
    {
        m_clock.Sleep50Milliseconds();
        m_pVisit->m_gate.Pass();
    }

    void DrawMarker(const LatPoint& point, bool bStore, int nAccuracy) override
    {
        m_pVisit->m_nPostedSteps.fetch_add(1, std::memory_order_relaxed);
        m_services.drawMarker({point, bStore, nAccuracy});
    }

    void ShowImplausibleValues() override { m_services.showImplausibleValues(); }
    void RequestReturnToStart() override { m_services.returnToStart(); }
    void StopDiskLoad() override { m_pVisit->m_bDiskRun.store(false, std::memory_order_relaxed); }

    void ShowReport(const LatPoint& last) override
    {
        m_services.showReport(FormatLatitudeReport(
            m_drive.strModel, m_drive.nDirection, m_location.m_strCountryCode, m_location.m_strCityCode,
            DisplayedLatitude(last.value, m_location.m_dLatitudeScale, m_location.m_dLatitudeBase)));
    }

    int Direction() const { return m_drive.nDirection; }
    int ModelDirection() const { return m_drive.nModelDirection; }

private:
    std::shared_ptr<LatitudeVisit> m_pVisit;
    ILatitudeClock& m_clock;
    const LatitudeLocation m_location;
    const LatitudeDrive m_drive;
    const LatitudeThreadServices m_services;
};

} // namespace

void LatitudeThreadProc(std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock, LatitudeLocation location,
                        LatitudeDrive drive, LatitudeThreadServices services)
{
    RunThisThreadBelowNormal();
    LatitudeThreadHost host(pVisit, clock, std::move(location), std::move(drive), std::move(services));
    RunLatitudeMeasurement(host, host.Direction(), host.ModelDirection());
    pVisit->m_bMeasuring.store(false, std::memory_order_release);
}
