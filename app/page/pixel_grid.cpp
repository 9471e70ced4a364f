#include "app/page/pixel_grid.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

PixelGrid::PixelGrid(const QPainter& painter)
{
    const QTransform& toDevice = painter.deviceTransform();
    m_dScaleX = toDevice.m11();
    m_dScaleY = toDevice.m22();
    m_dOffsetX = toDevice.dx();
    m_dOffsetY = toDevice.dy();
    m_nThickness = std::max(1, static_cast<int>(std::lround(m_dScaleX)));
}

int PixelGrid::DeviceX(int x) const
{
    return static_cast<int>(std::lround(x * m_dScaleX + m_dOffsetX));
}

int PixelGrid::DeviceY(int y) const
{
    return static_cast<int>(std::lround(y * m_dScaleY + m_dOffsetY));
}

QRectF PixelGrid::Area(int left, int top, int right, int bottom) const
{
    const double x0 = ToPainterX(DeviceX(left)), y0 = ToPainterY(DeviceY(top));
    return {x0, y0, ToPainterX(DeviceX(right)) - x0, ToPainterY(DeviceY(bottom)) - y0};
}

QRectF PixelGrid::Row(int x0, int x1, int y) const
{
    const double left = ToPainterX(DeviceX(x0));
    return {left, ToPainterY(DeviceY(y)), ToPainterX(DeviceX(x1)) - left, LineHeight()};
}

QRectF PixelGrid::Column(int x, int y0, int y1) const
{
    const double top = ToPainterY(DeviceY(y0));
    return {ToPainterX(DeviceX(x)), top, LineWidth(), ToPainterY(DeviceY(y1)) - top};
}
