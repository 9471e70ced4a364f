#include "app/page/pixel_line.h"

#include "app/page/pixel_grid.h"

#include <QPainter>

#include <cmath>
#include <cstdlib>

void DrawPixelLine(QPainter& painter, const QPoint& from, const QPoint& to)
{
    const PixelGrid grid(painter);
    const QColor color = painter.pen().color();
    const int dx = to.x() - from.x(), dy = to.y() - from.y();
    const bool bAlongX = std::abs(dx) >= std::abs(dy);
    const int nSteps = bAlongX ? std::abs(dx) : std::abs(dy);
    // The pixel of each step along the main direction, the end's step left out;
    // steps that share a row (or column) are filled as one run.
    auto across = [&](int i) {
        const double d = static_cast<double>(i) * (bAlongX ? dy : dx) / nSteps;
        return (bAlongX ? from.y() : from.x()) + static_cast<int>(std::lround(d));
    };
    const int nDirection = (bAlongX ? dx : dy) < 0 ? -1 : 1;
    const int nStart = bAlongX ? from.x() : from.y();
    int iRun = 0;
    while (iRun < nSteps) {
        const int nAcross = across(iRun);
        int iEnd = iRun + 1;
        while (iEnd < nSteps && across(iEnd) == nAcross)
            ++iEnd;
        const int a = nStart + nDirection * iRun, b = nStart + nDirection * (iEnd - 1);
        const int nLow = std::min(a, b), nHigh = std::max(a, b) + 1;
        painter.fillRect(bAlongX ? grid.Row(nLow, nHigh, nAcross) : grid.Column(nAcross, nLow, nHigh), color);
        iRun = iEnd;
    }
}

void DrawPixelDot(QPainter& painter, const QPoint& point)
{
    painter.fillRect(PixelGrid(painter).Dot(point.x(), point.y()), painter.pen().color());
}
