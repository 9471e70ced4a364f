#pragma once

#include <QRect>

class QPainter;

// The 11 by 11 marker cross of the plotting pages, inverted into what lies
// beneath it, so a second drawing at the same place removes it again.
void DrawMarkerCross(QPainter& painter, const QPoint& centre);

// The pixels the cross at centre covers.
QRect MarkerCrossBounds(const QPoint& centre);
