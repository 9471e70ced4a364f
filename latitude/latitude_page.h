#pragma once

#include "app/page/page_wnd.h"
#include "app/visit/visit_control.h"
#include "latitude/disk_load_thread.h"
#include "latitude/lat_point.h"
#include "latitude/latitude_clock.h"
#include "latitude/latitude_location.h"

#include <QImage>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// One visit's state shared with its measurement and disk-load threads.
struct LatitudeVisit : VisitControl {
    // Cleared by the measurement thread as its last act: "Abbrechen" then asks nothing.
    std::atomic<bool> m_bMeasuring{true};
    // Marker steps posted by the thread and applied by the page, so a clock can keep pace.
    std::atomic<std::uint64_t> m_nPostedSteps{0};
    std::atomic<std::uint64_t> m_nAppliedSteps{0};
};

// The long-term measurement: a marker circling the dial once a day, one track
// pixel per cycle, and the latest estimate of the latitude with its accuracy.
class CLatitudePage : public CPageWnd {
public:
    // openDiskLoad opens the file the disk-load thread reads, the program's own.
    CLatitudePage(ILocationSource& locationSource, ILatitudeClock& clock, DiskLoadOpen openDiskLoad);

    void OnPaint(QPainter& painter, int nWidth, int nHeight) override;
    void OnReturnToStart();

    // The marker step of the measurement thread, applied on the GUI thread.
    void DrawMarker(const std::shared_ptr<LatitudeVisit>& pVisit, const LatPoint& point, bool bStore, int nAccuracy);

    std::shared_ptr<LatitudeVisit> Visit() const { return m_pVisit; }
    const std::vector<LatPoint>& Track() const { return m_track; }
    const LatitudeLocation& Location() const { return m_location; }
    // The estimate text as the page shows it last.
    QString EstimateText() const;
    QString ScreenReaderName() const override;

protected:
    bool OnCreate() override;
    void OnDestroy() override;
    void OnLinkClicked(const Rect& rcLink) override;

private:
    // A point's place relative to the dial's centre, in units of two thirds of its half width:
    // worked out once per point, so a repaint of the day's track needs no trigonometry.
    struct DialOffset {
        double x = 0.0;
        double y = 0.0;
    };
    static DialOffset OffsetOnDial(const LatPoint& point);
    QPoint PointOnDial(DialOffset offset) const;

    void RenderPage(int nWidth, int nHeight);
    void ApplyMarker(const LatPoint& point, bool bStore, int nAccuracy);
    Rect DrawEstimate(QPainter& painter, int nWidth, int nHeight);

    ILocationSource& m_locationSource;
    ILatitudeClock& m_clock;
    const DiskLoadOpen m_openDiskLoad;
    LatitudeLocation m_location;

    std::shared_ptr<LatitudeVisit> m_pVisit;
    std::vector<LatPoint> m_track;
    std::vector<DialOffset> m_trackOffsets;
    QPoint m_ptCross;
    bool m_bCrossShown = false;
    Rect m_rcDial;
    int m_nEstimatePart = 0; // where the estimate goes among the page's parts
    double m_dLastValue = 0.0;
    int m_nLastAccuracy = 0;
    int m_nSaidAccuracy = 0; // the accuracy a screen reader said last

    // The client area as drawn; marker steps change it in place.
    QImage m_image;
    bool m_bQuestionOpen = false;
    std::vector<std::function<void()>> m_deferredSteps;
};
