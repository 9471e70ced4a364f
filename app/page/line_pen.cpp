#include "app/page/line_pen.h"

QPen LinePen(const QColor& color)
{
    // A flat cap does not cover the end point of a line.
    return QPen(color, 1, Qt::SolidLine, Qt::FlatCap);
}
