#pragma once

#include "app/page/rect.h"

class QPainter;

// The platform's keyboard-focus mark for a framed box: a dotted one-pixel
// rectangle just inside the box's outline, every other pixel set.
void DrawFocusRect(QPainter& painter, const Rect& rcBox);
