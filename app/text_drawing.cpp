#include "app/text_drawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

constexpr int s_nUnbounded = 1 << 20;

int Flags(TextWrap wrap)
{
    return Qt::AlignLeft | Qt::AlignTop | (wrap == TextWrap::WordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
}

} // namespace

QRect ToQRect(const Rect& rc)
{
    return {rc.left, rc.top, rc.Width(), rc.Height()};
}

void MeasureText(const QFont& font, QPaintDevice* pDevice, Rect& rc, const QString& strText, TextWrap wrap)
{
    const QFontMetrics metrics(font, pDevice);
    const int nWidth = wrap == TextWrap::WordWrap ? rc.Width() : s_nUnbounded;
    const QRect bounds = metrics.boundingRect(QRect(rc.left, rc.top, nWidth, s_nUnbounded), Flags(wrap), strText);
    rc.right = rc.left + bounds.width();
    rc.bottom = rc.top + bounds.height();
}

void DrawText(QPainter& painter, const Rect& rc, const QString& strText, TextWrap wrap)
{
    const int nWidth = wrap == TextWrap::WordWrap ? rc.Width() : s_nUnbounded;
    painter.drawText(QRect(rc.left, rc.top, nWidth, s_nUnbounded), Flags(wrap), strText);
}

void DrawBox(QPainter& painter, const Rect& rc)
{
    painter.drawRect(QRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
}
