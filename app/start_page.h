#pragma once

#include "app/page/page_wnd.h"

// The page the program opens with: title, introduction, the drive's verdict and
// the links to the activities the drive and the calibration allow.
class CStartPage : public CPageWnd {
public:
    void OnPaint(QPainter& painter, int nWidth, int nHeight) override;
    QString ScreenReaderName() const override;

private:
    // Draws a framed link box around text measured in rc; rc becomes the box.
    void DrawLink(QPainter& painter, Rect& rc, const QString& strText, bool bFramed);
};
