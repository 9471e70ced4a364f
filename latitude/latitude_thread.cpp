#include "latitude/latitude_thread.h"

#include "app/visit/gui_post.h"
#include "app/visit/linux_thread_priority.h"
#include "app/quorvel_app.h"
#include "latitude/latitude_page.h"
#include "latitude/latitude_report.h"
#include "latitude/latitude_run.h"
#include "latitude/send_dlg.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <chrono>
#include <future>

namespace {

class LatitudeThreadHost : public ILatitudeRunHost {
public:
    LatitudeThreadHost(CLatitudePage& page, std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock,
                       LatitudeLocation location)
        : m_page(page), m_pVisit(std::move(pVisit)), m_clock(clock), m_location(std::move(location))
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
        PostToGui([&page = m_page, pVisit = m_pVisit, point, bStore, nAccuracy] {
            pVisit->m_nAppliedSteps.fetch_add(1, std::memory_order_relaxed);
            // Past its window the visit's page may be gone with the frame.
            if (pVisit->WindowAlive())
                page.DrawMarker(pVisit, point, bStore, nAccuracy);
        });
    }

    void ShowImplausibleValues() override
    {
        RunOnGuiAndWait([] {
            theApp.MessageBox().Show(LoadString(IDS_IMPLAUSIBLE_VALUES), MessageIcon::Warning, MessageButtons::Ok);
        });
    }

    void RequestReturnToStart() override
    {
        PostToGui([&page = m_page, pVisit = m_pVisit] {
            if (pVisit->WindowAlive() && page.Visit() == pVisit)
                page.OnReturnToStart();
        });
    }

    void StopDiskLoad() override { m_pVisit->m_bDiskRun.store(false, std::memory_order_relaxed); }

    void ShowReport(const LatPoint& last) override
    {
        const std::string strReport = FormatLatitudeReport(
            theApp.ModelText(), theApp.m_nDirection, m_location.m_strCountryCode, m_location.m_strCityCode,
            DisplayedLatitude(last.value, m_location.m_dLatitudeScale, m_location.m_dLatitudeBase));
        RunOnGuiAndWait([&page = m_page, strReport] {
            CSendDlg dialog(page.Window());
            dialog.m_strReport = strReport;
            dialog.DoModal();
        });
    }

private:
    // Runs fn on the GUI thread while this visit's window exists, and waits for it
    // as a thread showing its own box would. Waiting counts as a safe point of the
    // gate, and a window closed meanwhile ends the wait.
    void RunOnGuiAndWait(std::function<void()> fn)
    {
        auto pDone = std::make_shared<std::promise<void>>();
        std::future<void> done = pDone->get_future();
        PostToGui([pVisit = m_pVisit, pDone, fn = std::move(fn)] {
            if (pVisit->WindowAlive())
                fn();
            pDone->set_value();
        });
        while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready && m_pVisit->WindowAlive())
            m_pVisit->m_gate.Pass();
    }

    CLatitudePage& m_page;
    std::shared_ptr<LatitudeVisit> m_pVisit;
    ILatitudeClock& m_clock;
    const LatitudeLocation m_location;
};

} // namespace

void LatitudeThreadProc(CLatitudePage& page, std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock,
                        LatitudeLocation location)
{
    RunThisThreadBelowNormal();
    LatitudeThreadHost host(page, pVisit, clock, std::move(location));
    RunLatitudeMeasurement(host, theApp.m_nDirection, theApp.m_nModelDirection);
    pVisit->m_bMeasuring.store(false, std::memory_order_release);
}
