#include "app/page/page_picture.h"

#include <QPainter>

#include <cmath>

namespace {

double Fraction(double d)
{
    return d - std::floor(d);
}

QPointF FractionOf(const QPainter& window)
{
    const QTransform& toDevice = window.deviceTransform();
    return {Fraction(toDevice.dx()), Fraction(toDevice.dy())};
}

} // namespace

bool PagePicture::Fits(const QPainter& window, QSize size) const
{
    // Rounding noise is no new place.
    const QPointF shift = FractionOf(window) - m_fraction;
    return !m_image.isNull() && m_size == size && m_dRatio == window.deviceTransform().m11() &&
           std::abs(shift.x()) < 1e-6 && std::abs(shift.y()) < 1e-6;
}

void PagePicture::Begin(QPainter& painter, const QPainter& window, QSize size, const QColor& background)
{
    m_size = size;
    m_dRatio = window.deviceTransform().m11();
    m_fraction = FractionOf(window);
    m_image = QImage(static_cast<int>(std::ceil(size.width() * m_dRatio + m_fraction.x())),
                     static_cast<int>(std::ceil(size.height() * m_dRatio + m_fraction.y())), QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_dRatio);
    m_image.fill(background);
    BeginChange(painter);
}

void PagePicture::BeginChange(QPainter& painter)
{
    painter.begin(&m_image);
    painter.translate(m_fraction / m_dRatio);
}

void PagePicture::Show(QPainter& window) const
{
    if (m_image.isNull())
        return;
    // The picture's first device pixel is the whole device pixel the client's origin lies in.
    window.drawImage(-m_fraction / m_dRatio, m_image);
}

void PagePicture::Clear()
{
    m_image = QImage();
    m_size = QSize();
}
