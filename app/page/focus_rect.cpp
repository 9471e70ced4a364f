#include "app/page/focus_rect.h"

#include <QPainter>
#include <QPoint>

#include <vector>

void DrawFocusRect(QPainter& painter, const Rect& rcBox)
{
    Rect rc = rcBox;
    rc.Inflate(-1);
    if (rc.IsEmpty())
        return;
    std::vector<QPoint> dots;
    auto dot = [&](int x, int y) {
        if ((x - rc.left + y - rc.top) % 2 == 0)
            dots.emplace_back(x, y);
    };
    for (int x = rc.left; x < rc.right; ++x) {
        dot(x, rc.top);
        dot(x, rc.bottom - 1);
    }
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y) {
        dot(rc.left, y);
        dot(rc.right - 1, y);
    }
    painter.drawPoints(dots.data(), static_cast<int>(dots.size()));
}
