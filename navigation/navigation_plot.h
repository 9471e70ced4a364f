#pragma once

#include "app/page/rect.h"
#include "navigation/nav_point.h"

#include <string>
#include <vector>

// What the navigation page computes for its plot, apart from the drawing.

struct PlotPixel {
    int x = 0;
    int y = 0;
    friend bool operator==(const PlotPixel&, const PlotPixel&) = default;
};

// Plot units to pixels: (0, 0) at the square's centre, +-dScale on its edges.
PlotPixel MapToPlot(const Rect& rcPlot, double dScale, const NavPoint& p);

// Grows dScale until pos fits, x first; true when it grew. It never shrinks.
bool FitScale(double& dScale, const NavPoint& pos);

// The track keeps corner points only: on the same course the last point moves
// along, otherwise (and for the first point) a new stretch begins.
void ExtendTrack(std::vector<NavPoint>& track, const NavPoint& pos, bool bSameCourse);

// The two-line status text: course in whole degrees, speed scaled for display.
std::string CourseAndSpeedText(double dCourse, double dSpeed);
