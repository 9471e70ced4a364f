#pragma once

#include "app/page/rect.h"

#include <QRect>
#include <QString>

class QColor;
class QFont;
class QPainter;
class QPaintDevice;

// The pages' text and box drawing. Measuring and drawing lay a text out alike:
// lines break at line feeds and, with word wrap, only at spaces (see WrapAtSpaces).
enum class TextWrap { SingleLine, WordWrap };

// Sets rc's right and bottom to the bounding box of the text laid out from its left and top.
void MeasureText(const QFont& font, QPaintDevice* pDevice, Rect& rc, const QString& strText, TextWrap wrap);

// Draws the text from rc's left and top, wrapped at its right edge as MeasureText
// wraps it, not clipped.
void DrawText(QPainter& painter, const Rect& rc, const QString& strText, TextWrap wrap);

// Fills where a text was or will be drawn with the background, and a pixel to its
// sides and below, where a glyph may reach at a fractional ratio, so a new text
// can replace an older one in place.
void ClearTextArea(QPainter& painter, const Rect& rc, const QColor& background);

// A one-pixel outline on rc's inside edge, filled with the painter's brush.
void DrawBox(QPainter& painter, const Rect& rc);

QRect ToQRect(const Rect& rc);
