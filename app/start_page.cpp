#include "app/start_page.h"

#include "app/quorvel_app.h"
#include "app/page/text_drawing.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QWidget>

namespace {
QString Text(const std::string& str)
{
    return QString::fromStdString(str);
}
} // namespace

QString CStartPage::ScreenReaderName() const
{
    return QString::fromUtf8(TEXT_START_PAGE_NAME);
}

void CStartPage::DrawLink(QPainter& painter, Rect& rc, const QString& strText, bool bFramed)
{
    MeasureText(m_fontText, Window(), rc, strText, TextWrap::WordWrap);
    if (bFramed) {
        rc.Inflate(2);
        DrawBox(painter, rc);
        rc.Inflate(-2);
    }
    DrawText(painter, rc, strText, TextWrap::WordWrap);
    if (!bFramed)
        m_parts.AddText(rc, strText);
    rc.Inflate(2);
    if (bFramed)
        m_parts.AddLink(rc, strText);
}

void CStartPage::OnPaint(QPainter& painter, int W, int H)
{
    painter.setBrush(m_brushFace);

    const Rect rcTitle = DrawTitle(painter, W, H);

    painter.setFont(m_fontText);
    Rect rcIntroduction{10, rcTitle.bottom + 10, W - 10, H};
    const QString strIntroduction = QString::fromUtf8(LoadString(IDS_INTRODUCTION));
    MeasureText(m_fontText, Window(), rcIntroduction, strIntroduction, TextWrap::WordWrap);
    DrawText(painter, rcIntroduction, strIntroduction, TextWrap::WordWrap);
    m_parts.AddText(rcIntroduction, strIntroduction);

    Rect rcDrive{10, rcIntroduction.bottom, W - 10, H};
    const QString strDriveLine = Text(FormatString(IDS_DRIVE_LINE, theApp.ModelText().c_str(),
                                                   theApp.m_bSupported ? TEXT_NOTEBOOK_DRIVE : TEXT_NO_NOTEBOOK_DRIVE));
    MeasureText(m_fontText, Window(), rcDrive, strDriveLine, TextWrap::WordWrap);
    DrawText(painter, rcDrive, strDriveLine, TextWrap::WordWrap);
    m_parts.AddText(rcDrive, strDriveLine);

    Rect& rcCalibration = m_rcLink[1];
    Rect& rcNavigation = m_rcLink[2];
    Rect& rcLatitude = m_rcLink[3];
    if (theApp.m_bSupported) {
        rcCalibration = {15, rcDrive.bottom + 5, W - 15, H};
        DrawLink(painter, rcCalibration,
                 Text(FormatString(IDS_LINK_CALIBRATION, theApp.m_bCalibrated ? TEXT_CALIBRATE_AGAIN : "")), true);
        rcNavigation = {15, rcCalibration.bottom + 5, W - 15, H};
        DrawLink(painter, rcNavigation,
                 Text(FormatString(IDS_LINK_NAVIGATION, theApp.m_bCalibrated ? "" : TEXT_CALIBRATION_REQUIRED)),
                 theApp.m_bCalibrated);
        rcLatitude = {15, rcNavigation.bottom + 5, W - 15, H};
        if (!theApp.m_bCalibrated)
            rcNavigation.SetEmpty();
    } else {
        rcCalibration.SetEmpty();
        rcNavigation.SetEmpty();
        rcLatitude = {15, rcDrive.bottom + 5, W - 15, H};
    }
    DrawLink(painter, rcLatitude, QString::fromUtf8(LoadString(IDS_LINK_LATITUDE)), true);
}
