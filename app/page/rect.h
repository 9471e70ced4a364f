#pragma once

// A rectangle in client pixels whose right and bottom edges lie outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return !IsEmpty() && x >= left && x < right && y >= top && y < bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    void SetEmpty() { *this = Rect{}; }
    void Inflate(int d)
    {
        left -= d;
        top -= d;
        right += d;
        bottom += d;
    }
    void Offset(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// The square the plotting pages draw in: as large as fits, centred in rc, its
// side from the shorter edge's integer halves.
inline Rect CentredSquare(const Rect& rc)
{
    const int hw = rc.Width() / 2, hh = rc.Height() / 2;
    if (rc.Width() > rc.Height())
        return {rc.left + hw - hh, rc.top, rc.left + hw + hh, rc.bottom};
    return {rc.left, rc.top + hh - hw, rc.right, rc.top + hh + hw};
}
