#pragma once

#include "latitude/latitude_clock.h"
#include "latitude/latitude_location.h"

#include <memory>

class CLatitudePage;
struct LatitudeVisit;

// The measurement thread of one visit. It reaches the page only through steps
// posted to the GUI thread, which the page applies while the visit is current.
void LatitudeThreadProc(CLatitudePage& page, std::shared_ptr<LatitudeVisit> pVisit, ILatitudeClock& clock,
                        LatitudeLocation location);
