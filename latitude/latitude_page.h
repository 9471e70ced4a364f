#pragma once

#include "app/page/page_picture.h"
#include "app/page/page_wnd.h"
#include "app/visit/visit_control.h"
#include "latitude/disk_load_thread.h"
#include "latitude/lat_point.h"
#include "latitude/latitude_clock.h"
#include "latitude/latitude_location.h"
#include "latitude/latitude_thread.h"

#include <memory>
#include <vector>

// The long-term measurement: a marker circling the dial once a day, one track
// pixel per cycle, and the latest estimate of the latitude with its accuracy.
class CLatitudePage : public CPageWnd {
public:
    // openDiskLoad opens the file the disk-load thread reads, the program's own.
    CLatitudePage(ILocationSource& locationSource, ILatitudeClock& clock, DiskLoadOpen openDiskLoad);

    void OnPaint(QPainter& painter, int nWidth, int nHeight) override;
    void OnPaletteChange() override;
    void OnReturnToStart();

    // A marker step of the measurement thread, applied on the GUI thread.
    void DrawMarker(const LatitudeMarker& marker);

    std::shared_ptr<LatitudeVisit> Visit() const { return m_pVisit; }
    const std::vector<LatPoint>& Track() const { return m_track; }
    const LatitudeLocation& Location() const { return m_location; }
    // The estimate text as the page shows it last.
    QString EstimateText() const;
    QString ScreenReaderName() const override;

protected:
    bool OnCreate() override;
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

    void RenderPage(const QPainter& window, int nWidth, int nHeight);
    Rect DrawEstimate(QPainter& painter, int nWidth, int nHeight);

    ILocationSource& m_locationSource;
    ILatitudeClock& m_clock;
    const DiskLoadOpen m_openDiskLoad;
    LatitudeLocation m_location;

    std::shared_ptr<LatitudeVisit> m_pVisit;
    std::vector<LatPoint> m_track;
    std::vector<DialOffset> m_trackOffsets;
    DialOffset m_crossOffset; // the point the cross marks, where it is drawn on every new picture
    bool m_bCrossShown = false;
    Rect m_rcDial;
    Rect m_rcEstimate; // where the estimate was drawn last
    int m_nEstimatePart = 0; // where the estimate goes among the page's parts
    double m_dLastValue = 0.0;
    int m_nLastAccuracy = 0;
    int m_nSaidAccuracy = 0; // the accuracy a screen reader said last

    // The client area as drawn at the latest paint's ratio and place; marker steps change it in place.
    PagePicture m_picture;
};
