#pragma once

#include "app/visit/visit_control.h"
#include "latitude/lat_point.h"
#include "latitude/latitude_clock.h"
#include "latitude/latitude_location.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One visit's state shared with its measurement and disk-load threads.
struct LatitudeVisit : VisitControl {
    // Cleared by the measurement thread as its last act: "Abbrechen" then asks nothing.
    std::atomic<bool> m_bMeasuring{true};
    // Marker steps posted by the thread and applied by the page, so a clock can keep pace.
    std::atomic<std::uint64_t> m_nPostedSteps{0};
    std::atomic<std::uint64_t> m_nAppliedSteps{0};
};

// One marker step as the page draws it: with bStore the point joins the track and
// the estimate changes.
struct LatitudeMarker {
    LatPoint point;
    bool bStore = false;
    int nAccuracy = 0;
};

// What the measurement thread gets from its page. The thread calls these and never
// the page: the first two hand something over and return at once, the last two
// return once the user has closed what they show.
struct LatitudeThreadServices {
    std::function<void(const LatitudeMarker&)> drawMarker;
    std::function<void()> returnToStart;
    std::function<void()> showImplausibleValues;
    std::function<void(const std::string& strReport)> showReport;
};

// What the report and the model need of start-up's findings.
struct LatitudeDrive {
    std::string strModel;
    int nDirection = +1;
    int nModelDirection = +1;
};

// The measurement thread of one visit: the 24-hour run below normal priority,
// holding still at the visit's gate between animation steps.
void LatitudeThreadProc(std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock, LatitudeLocation location,
                        LatitudeDrive drive, LatitudeThreadServices services);
