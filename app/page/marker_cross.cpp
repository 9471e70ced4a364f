#include "app/page/marker_cross.h"

#include "app/page/pixel_grid.h"

#include <QPainter>

void DrawMarkerCross(QPainter& painter, const QPoint& centre)
{
    // Two bars of 11 pixels, end points left out; the centre, inverted by both,
    // keeps the colour it had.
    const PixelGrid grid(painter);
    const QPainter::CompositionMode previous = painter.compositionMode();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.fillRect(grid.Column(centre.x(), centre.y() - 5, centre.y() + 6), Qt::white);
    painter.fillRect(grid.Row(centre.x() - 5, centre.x() + 6, centre.y()), Qt::white);
    painter.setCompositionMode(previous);
}

QRect MarkerCrossBounds(const QPoint& centre)
{
    return {centre.x() - 5, centre.y() - 5, 11, 11};
}
