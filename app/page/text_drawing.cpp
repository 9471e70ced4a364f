#include "app/page/text_drawing.h"

#include "app/page/pixel_grid.h"
#include "app/page/word_wrap.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

std::u16string_view Utf16(const QString& str)
{
    return {reinterpret_cast<const char16_t*>(str.utf16()), static_cast<std::size_t>(str.size())};
}

// The lines the text is drawn in; measuring and drawing both take them from here.
std::vector<QString> LayOut(const QFontMetrics& metrics, const QString& strText, int nWidth, TextWrap wrap)
{
    if (wrap == TextWrap::SingleLine)
        return {strText};
    std::vector<QString> lines;
    for (const TextLine& line : WrapAtSpaces(Utf16(strText), nWidth, [&metrics](std::u16string_view piece) {
             return metrics.horizontalAdvance(
                 QString::fromRawData(reinterpret_cast<const QChar*>(piece.data()), static_cast<qsizetype>(piece.size())));
         }))
        lines.push_back(strText.mid(static_cast<qsizetype>(line.nBegin), static_cast<qsizetype>(line.nEnd - line.nBegin)));
    return lines;
}

} // namespace

QRect ToQRect(const Rect& rc)
{
    return {rc.left, rc.top, rc.Width(), rc.Height()};
}

void MeasureText(const QFont& font, QPaintDevice* pDevice, Rect& rc, const QString& strText, TextWrap wrap)
{
    const QFontMetrics metrics(font, pDevice);
    int nWidest = 0;
    const std::vector<QString> lines = LayOut(metrics, strText, rc.Width(), wrap);
    for (const QString& strLine : lines)
        nWidest = std::max(nWidest, metrics.horizontalAdvance(strLine));
    rc.right = rc.left + nWidest;
    rc.bottom = rc.top + static_cast<int>(lines.size()) * metrics.height();
}

void DrawText(QPainter& painter, const Rect& rc, const QString& strText, TextWrap wrap)
{
    const QFontMetrics metrics = painter.fontMetrics();
    int nBaseline = rc.top + metrics.ascent();
    for (const QString& strLine : LayOut(metrics, strText, rc.Width(), wrap)) {
        painter.drawText(rc.left, nBaseline, strLine);
        nBaseline += metrics.height();
    }
}

void ClearTextArea(QPainter& painter, const Rect& rc, const QColor& background)
{
    if (rc.IsEmpty())
        return;
    // Not above it: the pages put their status texts just below a plot.
    painter.fillRect(PixelGrid(painter).Area(rc.left - 1, rc.top, rc.right + 1, rc.bottom + 1), background);
}

void DrawBox(QPainter& painter, const Rect& rc)
{
    if (rc.IsEmpty())
        return;
    // The outline lies inside the box's device pixels, as thick as any one-pixel line.
    const PixelGrid grid(painter);
    const QRectF box = grid.Area(rc.left, rc.top, rc.right, rc.bottom);
    const QColor color = painter.pen().color();
    const double w = grid.LineWidth(), h = grid.LineHeight();
    if (painter.brush().style() != Qt::NoBrush)
        painter.fillRect(box.adjusted(w, h, -w, -h), painter.brush());
    painter.fillRect(QRectF(box.left(), box.top(), box.width(), h), color);
    painter.fillRect(QRectF(box.left(), box.bottom() - h, box.width(), h), color);
    painter.fillRect(QRectF(box.left(), box.top() + h, w, box.height() - 2 * h), color);
    painter.fillRect(QRectF(box.right() - w, box.top() + h, w, box.height() - 2 * h), color);
}
