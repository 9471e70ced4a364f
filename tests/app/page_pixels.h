#pragma once

#include <QImage>

#include <vector>

// Reading a page's geometry back from the pixels it painted.

inline bool Dark(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

// The first dark pixel met walking from (x, y) in steps of (dx, dy): its x for a
// horizontal walk, its y for a vertical one; -1 if there is none.
inline int FirstDark(const QImage& image, int x, int y, int dx, int dy)
{
    for (; image.rect().contains(x, y); x += dx, y += dy)
        if (Dark(image, x, y))
            return dx != 0 ? x : y;
    return -1;
}

// The top row of the dark vertical line through (x, yBottom).
inline int TopOfLine(const QImage& image, int x, int yBottom)
{
    int y = yBottom;
    while (Dark(image, x, y - 1))
        --y;
    return y;
}

// An 11 by 11 marker cross centred on (x, y): its four arms, not its middle.
inline bool CrossAt(const QImage& image, int x, int y)
{
    return Dark(image, x - 5, y) && Dark(image, x + 5, y) && Dark(image, x, y - 5) && Dark(image, x, y + 5) &&
           !Dark(image, x, y) && !Dark(image, x - 6, y) && !Dark(image, x + 6, y) && !Dark(image, x, y - 6) &&
           !Dark(image, x, y + 6);
}

// The rows where a framed box's outline runs along from x over nLength pixels, top to bottom.
inline std::vector<int> OutlineRows(const QImage& image, int x, int nLength)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        bool bAll = true;
        for (int i = 0; i < nLength && bAll; ++i)
            bAll = Dark(image, x + i, y);
        if (bAll)
            rows.push_back(y);
    }
    return rows;
}
