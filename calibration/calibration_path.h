#pragma once

#include "app/page/rect.h"

#include <array>
#include <optional>

struct PathPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PathPoint&, const PathPoint&) = default;
};

// A line from start (drawn) to end (not drawn), or an arc of the ellipse in box,
// counter-clockwise from the ray through start to the ray through end.
struct PathPart {
    bool bArc = false;
    Rect box;
    PathPoint start;
    PathPoint end;
};

// The square walked clockwise from its bottom-left corner: four sides and
// four rounded corners of radius 20, in walking order.
std::array<PathPart, 8> CalibrationPath(const Rect& rcSquare);

// How far the leg timed in nState has come after nTicks ticks; nothing once the
// leg's expected time has passed or when no leg is timed in nState.
std::optional<PathPart> LegProgress(const Rect& rcSquare, int nState, int nTicks);
