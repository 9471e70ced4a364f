#include "calibration/calibration_path.h"

namespace {

PathPart Line(int x0, int y0, int x1, int y1)
{
    return {false, {}, {x0, y0}, {x1, y1}};
}

PathPart Arc(int left, int top, int right, int bottom, PathPoint start, PathPoint end)
{
    return {true, {left, top, right, bottom}, start, end};
}

} // namespace

std::array<PathPart, 8> CalibrationPath(const Rect& rc)
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    return {
        Line(L, B - 20, L, T + 19),
        Arc(L, T, L + 41, T + 41, {L + 20, T}, {L, T + 21}),
        Line(L + 20, T, R - 19, T),
        Arc(R - 40, T, R + 1, T + 41, {R, T + 20}, {R - 21, T}),
        Line(R, T + 20, R, B - 19),
        Arc(R - 40, B - 40, R + 1, B + 1, {R - 20, B}, {R, B - 21}),
        Line(R - 20, B, L + 19, B),
        Arc(L, B - 40, L + 41, B + 1, {L, B - 20}, {L + 21, B}),
    };
}

std::optional<PathPart> LegProgress(const Rect& rc, int nState, int n)
{
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const bool bWalk = nState % 4 == 2;
    if (nState < 2 || nState > 16 || nState % 2 != 0 || n > (bWalk ? 84 : 24))
        return std::nullopt;
    const int c = n * 20 / 24;
    switch (nState) {
    case 2: return Line(L, B - 20, L, B - 20 - (B - T - 40) * n / 84);
    case 4: return Arc(L, T, L + 41, T + 41, {L + c, T + 20 - c}, {L, T + 21});
    case 6: return Line(L + 20, T, L + 20 + (R - L - 40) * n / 84, T);
    case 8: return Arc(R - 40, T, R + 1, T + 41, {R - 20 + c, T + c}, {R - 21, T});
    case 10: return Line(R, T + 20, R, T + 20 + (B - T - 40) * n / 84);
    case 12: return Arc(R - 40, B - 40, R + 1, B + 1, {R - c, B - 20 + c}, {R, B - 21});
    case 14: return Line(R - 20, B, R - 20 - (R - L - 40) * n / 84, B);
    default: return Arc(L, B - 40, L + 41, B + 1, {L + 20 - c, B - c}, {L + 21, B});
    }
}
