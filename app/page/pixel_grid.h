#pragma once

#include <QRectF>

class QPainter;

// Where the pages' logical pixels land on the device a painter draws on, at any
// device pixel ratio. Each logical edge goes to the nearest device-pixel edge, and
// a one-pixel line or dot is as many device pixels thick as the ratio rounds to,
// wherever it lies: a pixel covers the same device pixels every time it is drawn,
// and the two bars of a cross come out alike. Rectangles are in the painter's
// coordinates, with their edges on device-pixel edges.
class PixelGrid {
public:
    // The painter draws unrotated, at whatever scale and offset the device gives it.
    explicit PixelGrid(const QPainter& painter);

    // The logical pixels from (left, top) up to, not including, (right, bottom).
    QRectF Area(int left, int top, int right, int bottom) const;
    // Row y of a one-pixel line from x0 up to, not including, x1.
    QRectF Row(int x0, int x1, int y) const;
    // Column x of a one-pixel line from y0 up to, not including, y1.
    QRectF Column(int x, int y0, int y1) const;
    QRectF Dot(int x, int y) const { return {Row(x, x + 1, y).left(), Column(x, y, y + 1).top(), LineWidth(), LineHeight()}; }

    // How wide a vertical and how high a horizontal one-pixel line is, in the painter's coordinates.
    double LineWidth() const { return m_nThickness / m_dScaleX; }
    double LineHeight() const { return m_nThickness / m_dScaleY; }
    // The same in device pixels.
    int Thickness() const { return m_nThickness; }
    // The device pixel where logical pixel x or y begins.
    int DeviceX(int x) const;
    int DeviceY(int y) const;

private:
    double ToPainterX(int nDeviceX) const { return (nDeviceX - m_dOffsetX) / m_dScaleX; }
    double ToPainterY(int nDeviceY) const { return (nDeviceY - m_dOffsetY) / m_dScaleY; }

    double m_dScaleX = 1.0;
    double m_dScaleY = 1.0;
    double m_dOffsetX = 0.0;
    double m_dOffsetY = 0.0;
    int m_nThickness = 1;
};
