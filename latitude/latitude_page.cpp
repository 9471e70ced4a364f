#include "latitude/latitude_page.h"

#include "app/page/marker_cross.h"
#include "app/page_index.h"
#include "app/page/text_drawing.h"
#include "app/quorvel_app.h"
#include "latitude/disk_load_thread.h"
#include "latitude/latitude_report.h"
#include "latitude/qt_area_code_resources.h"
#include "latitude/send_dlg.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QWidget>

#include <cmath>

namespace {

const QString s_strCancel = QString::fromUtf8(TEXT_CANCEL);

} // namespace

CLatitudePage::CLatitudePage(ILocationSource& locationSource, ILatitudeClock& clock, DiskLoadOpen openDiskLoad)
    : m_locationSource(locationSource), m_clock(clock), m_openDiskLoad(std::move(openDiskLoad))
{
}

bool CLatitudePage::OnCreate()
{
    if (!CPageWnd::OnCreate())
        return false;
    m_track.clear();
    m_trackOffsets.clear();
    m_bCrossShown = false;
    m_image = QImage();
    m_location.Determine(m_locationSource, ProcessAreaCodeTables(), theApp.m_nDirection, theApp.m_nModelDirection);

    m_pVisit = NewVisit<LatitudeVisit>();
    const std::shared_ptr<LatitudeVisit> pVisit = m_pVisit;
    LatitudeThreadServices services;
    services.drawMarker = VisitPoster<LatitudeMarker>([this](const LatitudeMarker& marker) { DrawMarker(marker); });
    services.returnToStart = VisitPoster<>([this] { OnReturnToStart(); });
    services.showImplausibleValues = [pVisit, &host = Host()] {
        RunOnVisitAndWait(pVisit, [&host] {
            host.MessageBox().Show(LoadString(IDS_IMPLAUSIBLE_VALUES), MessageIcon::Warning, MessageButtons::Ok);
        });
    };
    services.showReport = [this, pVisit](const std::string& strReport) {
        RunOnVisitAndWait(pVisit, [this, strReport] {
            CSendDlg dialog(Window());
            dialog.m_strReport = strReport;
            dialog.DoModal();
        });
    };
    LatitudeDrive drive{theApp.ModelText(), theApp.m_nDirection, theApp.m_nModelDirection};
    if (!StartThread([pVisit, &clock = m_clock, location = m_location, drive, services] {
            LatitudeThreadProc(pVisit, clock, location, drive, services);
        }))
        return false;
    pVisit->m_bDiskRun.store(true, std::memory_order_relaxed);
    StartThread([pVisit, open = m_openDiskLoad] { DiskLoadThreadProc(pVisit, open); });
    return true;
}

CLatitudePage::DialOffset CLatitudePage::OffsetOnDial(const LatPoint& point)
{
    return {std::cos(point.angle) * (2.0 - point.value), std::sin(point.angle) * (2.0 - point.value)};
}

QPoint CLatitudePage::PointOnDial(DialOffset offset) const
{
    const int nHalf = (m_rcDial.right - m_rcDial.left) / 2;
    const double x = offset.x * nHalf * 0.6666666666666666 + (m_rcDial.left + nHalf);
    const double y = offset.y * nHalf * 0.6666666666666666 + (m_rcDial.top + nHalf);
    return {static_cast<int>(x), static_cast<int>(y)};
}

QString CLatitudePage::EstimateText() const
{
    const DegreesMinutes latitude =
        DisplayedLatitude(m_dLastValue, m_location.m_dLatitudeScale, m_location.m_dLatitudeBase);
    return QString::fromStdString(
        FormatString(IDS_LATITUDE_ESTIMATE, latitude.nDegrees, latitude.nMinutes, m_nLastAccuracy));
}

Rect CLatitudePage::DrawEstimate(QPainter& painter, int W, int H)
{
    const QString strText = EstimateText();
    const Rect rc = BottomLeftTextRect(strText, W, H);
    painter.setFont(m_fontText);
    DrawText(painter, rc, strText, TextWrap::WordWrap);
    m_parts.SetText(m_nEstimatePart, rc, strText);
    return rc;
}

void CLatitudePage::RenderPage(int W, int H)
{
    m_image = QImage(W, H, QImage::Format_RGB32);
    m_image.fill(Window()->palette().color(QPalette::Base));
    QPainter painter(&m_image);
    painter.setPen(Window()->palette().color(QPalette::Text));
    painter.setBrush(m_brushFace);

    const Rect rcTitle = DrawTitle(painter, W, H);
    m_rcDial = {15, rcTitle.bottom + 10, W - 15, H};
    m_rcLink[PAGE_START] = DrawCornerButton(painter, s_strCancel, W, H);
    m_parts.AddLink(m_rcLink[PAGE_START], s_strCancel);
    m_rcDial.bottom = m_rcLink[PAGE_START].top - 10;

    m_nEstimatePart = m_parts.Count();
    if (!m_track.empty())
        DrawEstimate(painter, W, H);

    m_rcDial = CentredSquare(m_rcDial);

    painter.end();
    // A day's track is 86,400 pixels: set them straight in the picture's memory.
    auto* pPixels = reinterpret_cast<QRgb*>(m_image.bits());
    const qsizetype nStride = m_image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    const QRect bounds = m_image.rect();
    for (const DialOffset offset : m_trackOffsets) {
        const QPoint pixel = PointOnDial(offset);
        if (bounds.contains(pixel))
            pPixels[pixel.y() * nStride + pixel.x()] = qRgb(0, 0, 0);
    }
    // The fresh picture has no cross on it.
    m_bCrossShown = false;
}

void CLatitudePage::OnPaint(QPainter& painter, int W, int H)
{
    if (m_image.size() != QSize(W, H))
        RenderPage(W, H);
    painter.drawImage(0, 0, m_image);
}

void CLatitudePage::DrawMarker(const LatitudeMarker& marker)
{
    m_pVisit->m_nAppliedSteps.fetch_add(1, std::memory_order_relaxed);
    const LatPoint& point = marker.point;
    const bool bStore = marker.bStore;
    const QSize client = Window()->contentsRect().size();
    if (m_image.size() != client)
        RenderPage(client.width(), client.height());

    const DialOffset offset = OffsetOnDial(point);
    const QPoint pixel = PointOnDial(offset);
    QPainter painter(&m_image);
    painter.setPen(Window()->palette().color(QPalette::Text));
    QRect changed = MarkerCrossBounds(pixel);
    if (m_bCrossShown) {
        DrawMarkerCross(painter, m_ptCross);
        changed |= MarkerCrossBounds(m_ptCross);
    }
    if (bStore)
        painter.fillRect(QRect(pixel, QSize(1, 1)), Qt::black);
    DrawMarkerCross(painter, pixel);
    m_bCrossShown = true;

    if (bStore) {
        m_track.push_back(point);
        m_trackOffsets.push_back(offset);
        m_dLastValue = point.value;
        m_nLastAccuracy = marker.nAccuracy;
        painter.setBackground(Window()->palette().color(QPalette::Base));
        painter.setBackgroundMode(Qt::OpaqueMode);
        changed |= ToQRect(DrawEstimate(painter, client.width(), client.height()));
    }
    Window()->update(changed.translated(Window()->contentsRect().topLeft()));
    m_ptCross = pixel;
}

void CLatitudePage::OnLinkClicked(const Rect& rcLink)
{
    if (&rcLink != &m_rcLink[PAGE_START])
        return;
    if (m_pVisit->m_bMeasuring.load(std::memory_order_acquire))
        AskToLeave();
    else
        OnReturnToStart();
}

void CLatitudePage::OnReturnToStart()
{
    m_pVisit->m_bStop.store(true, std::memory_order_release);
    Host().SwitchPage(PAGE_START);
}
