#include "app/page/text_drawing.h"

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

void DrawBox(QPainter& painter, const Rect& rc)
{
    painter.drawRect(QRect(rc.left, rc.top, rc.Width() - 1, rc.Height() - 1));
}
