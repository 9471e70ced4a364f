#include "app/page/focus_rect.h"

#include "app/page/pixel_line.h"

#include <QPainter>

void DrawFocusRect(QPainter& painter, const Rect& rcBox)
{
    Rect rc = rcBox;
    rc.Inflate(-1);
    if (rc.IsEmpty())
        return;
    auto dot = [&](int x, int y) {
        if ((x - rc.left + y - rc.top) % 2 == 0)
            DrawPixelDot(painter, {x, y});
    };
    for (int x = rc.left; x < rc.right; ++x) {
        dot(x, rc.top);
        dot(x, rc.bottom - 1);
    }
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y) {
        dot(rc.left, y);
        dot(rc.right - 1, y);
    }
}
