#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>

class QColor;
class QPainter;

// A page's client area kept as a picture, drawn afresh only for a new size, ratio
// or place on the device, and otherwise changed in place. It is drawn at the
// fraction of a device pixel where the window's painter puts the client's origin
// and shown on whole device pixels, so text and lines land on the device pixels
// a page drawing on its window would give them.
class PagePicture {
public:
    // False when a window painter shows a client of this size otherwise than the picture was drawn for.
    bool Fits(const QPainter& window, QSize size) const;
    // The logical size the picture was drawn for; empty when there is none.
    QSize Size() const { return m_size; }
    bool IsNull() const { return m_image.isNull(); }

    // A new picture for the window painter's placement, filled with the background;
    // the painter then draws into it in client coordinates.
    void Begin(QPainter& painter, const QPainter& window, QSize size, const QColor& background);
    // Draws into the present picture in client coordinates.
    void BeginChange(QPainter& painter);
    void Show(QPainter& window) const;
    // The picture's pixels, for a page that sets many of them straight.
    QImage& Image() { return m_image; }
    void Clear();

private:
    QImage m_image;
    QSize m_size;
    qreal m_dRatio = 1.0;
    QPointF m_fraction; // where in its first device pixel the client's origin lies
};
