#pragma once

#include <QPoint>

class QPainter;

// The pages' one-pixel lines and dots, in the painter's pen colour and with its
// composition mode, on the device pixels that PixelGrid gives each logical pixel.
// A line includes its start point and leaves out its end point in every
// direction, so a polyline drawn segment by segment covers each corner once and
// leaves its last point free.
void DrawPixelLine(QPainter& painter, const QPoint& from, const QPoint& to);
void DrawPixelDot(QPainter& painter, const QPoint& point);
