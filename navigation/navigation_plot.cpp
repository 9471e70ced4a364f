#include "navigation/navigation_plot.h"

#include "navigation/navigation_model.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cmath>

PlotPixel MapToPlot(const Rect& rcPlot, double dScale, const NavPoint& p)
{
    const int nHalf = (rcPlot.right - rcPlot.left) / 2;
    const double dInverse = 1 / dScale;
    return {static_cast<int>((rcPlot.left + nHalf) + nHalf * (p.x * dInverse)),
            static_cast<int>((rcPlot.top + nHalf) + nHalf * (p.y * dInverse))};
}

bool FitScale(double& dScale, const NavPoint& pos)
{
    bool bGrew = false;
    if (std::fabs(pos.x) > dScale) {
        dScale = std::fabs(pos.x);
        bGrew = true;
    }
    if (std::fabs(pos.y) > dScale) {
        dScale = std::fabs(pos.y);
        bGrew = true;
    }
    return bGrew;
}

void ExtendTrack(std::vector<NavPoint>& track, const NavPoint& pos, bool bSameCourse)
{
    if (bSameCourse && !track.empty())
        track.back() = pos;
    else
        track.push_back(pos);
}

std::string CourseAndSpeedText(double dCourse, double dSpeed)
{
    const int nDegrees = static_cast<int>((dCourse / NAV_TWO_PI) * 360.0);
    return FormatString(IDS_COURSE_AND_SPEED, nDegrees, dSpeed * 2500.0);
}
