#include "app/page/marker_cross.h"

#include "app/page/line_pen.h"

#include <QPainter>

void DrawMarkerCross(QPainter& painter, const QPoint& centre)
{
    // Two bars of 11 pixels, end points left out; the centre, inverted by both,
    // keeps the colour it had.
    const QPen previousPen = painter.pen();
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setPen(LinePen(previousPen.color()));
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.drawLine(centre.x(), centre.y() - 5, centre.x(), centre.y() + 6);
    painter.drawLine(centre.x() - 5, centre.y(), centre.x() + 6, centre.y());
    painter.setCompositionMode(previous);
    painter.setPen(previousPen);
}

QRect MarkerCrossBounds(const QPoint& centre)
{
    return {centre.x() - 5, centre.y() - 5, 11, 11};
}
