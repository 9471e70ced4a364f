#include "app/marker_cross.h"

#include <QPainter>

void DrawMarkerCross(QPainter& painter, const QPoint& centre)
{
    // Qt's lines include their end points: each bar is 11 pixels, and the
    // centre, inverted by both, keeps its colour.
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.drawLine(centre.x(), centre.y() - 5, centre.x(), centre.y() + 5);
    painter.drawLine(centre.x() - 5, centre.y(), centre.x() + 5, centre.y());
    painter.setCompositionMode(previous);
}

QRect MarkerCrossBounds(const QPoint& centre)
{
    return {centre.x() - 5, centre.y() - 5, 11, 11};
}
