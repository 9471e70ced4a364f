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
