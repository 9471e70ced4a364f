#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <cmath>

// A page window's client area painted as a screen of the given device pixel ratio
// would show it, and the pixels a logical pixel of it came out as.

inline QImage ClientAtRatio(QWidget& window, qreal dRatio)
{
    const QRect client = window.contentsRect();
    QImage image(static_cast<int>(std::ceil(client.width() * dRatio)),
                 static_cast<int>(std::ceil(client.height() * dRatio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(dRatio);
    image.fill(Qt::magenta);
    window.render(&image, QPoint(), QRegion(client));
    return image;
}

// The device pixel at the middle of logical pixel (x, y).
inline QRgb LogicalPixel(const QImage& image, int x, int y)
{
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>((x + 0.5) * r), static_cast<int>((y + 0.5) * r));
}
