#pragma once

#include <QPen>

// The pages' one-pixel pen. Its lines include their start point and leave out
// their end point, as on the pages' original platform, so a polyline drawn
// segment by segment covers each corner once and leaves its last point free.
QPen LinePen(const QColor& color);
