#include "latitude/latitude_page.h"

#include "app/page/marker_cross.h"
#include "app/page_index.h"
#include "app/quorvel_app.h"
#include "app/page/text_drawing.h"
#include "latitude/disk_load_thread.h"
#include "latitude/latitude_report.h"
#include "latitude/latitude_thread.h"
#include "latitude/qt_area_code_resources.h"
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

QString CLatitudePage::ScreenReaderName() const
{
    return QString::fromUtf8(TEXT_LATITUDE_PAGE_NAME);
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
    if (!StartThread([this, pVisit = m_pVisit, &clock = m_clock, location = m_location] {
            LatitudeThreadProc(*this, pVisit, clock, location);
        }))
        return false;
    m_pVisit->m_bDiskRun.store(true, std::memory_order_relaxed);
    StartThread([pVisit = m_pVisit, open = m_openDiskLoad] { DiskLoadThreadProc(pVisit, open); });
    return true;
}

void CLatitudePage::OnDestroy()
{
    m_deferredSteps.clear();
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

void CLatitudePage::DrawMarker(const std::shared_ptr<LatitudeVisit>& pVisit, const LatPoint& point, bool bStore,
                               int nAccuracy)
{
    if (pVisit != m_pVisit || !Window())
        return;
    if (m_bQuestionOpen) {
        m_deferredSteps.push_back([this, point, bStore, nAccuracy] { ApplyMarker(point, bStore, nAccuracy); });
        return;
    }
    ApplyMarker(point, bStore, nAccuracy);
}

void CLatitudePage::ApplyMarker(const LatPoint& point, bool bStore, int nAccuracy)
{
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
        m_nLastAccuracy = nAccuracy;
        painter.setBackground(Window()->palette().color(QPalette::Base));
        painter.setBackgroundMode(Qt::OpaqueMode);
        changed |= ToQRect(DrawEstimate(painter, client.width(), client.height()));
    }
    // Said every cycle, the estimate would drown everything else: only the first one
    // and each new accuracy are said, the others are there to be read.
    if (bStore && (m_track.size() == 1 || m_nLastAccuracy != m_nSaidAccuracy)) {
        m_nSaidAccuracy = m_nLastAccuracy;
        AnnounceToScreenReader(EstimateText());
    }
    Window()->update(changed.translated(Window()->contentsRect().topLeft()));
    m_ptCross = pixel;
}

void CLatitudePage::OnLinkClicked(const Rect& rcLink)
{
    if (&rcLink != &m_rcLink[PAGE_START])
        return;
    if (m_pVisit->m_bMeasuring.load(std::memory_order_acquire)) {
        m_bQuestionOpen = true;
        m_pVisit->m_gate.Hold();
        const MessageAnswer answer =
            theApp.MessageBox().Show(TEXT_ARE_YOU_SURE, MessageIcon::Question, MessageButtons::YesNo);
        m_pVisit->m_gate.Release();
        m_bQuestionOpen = false;
        for (const std::function<void()>& fnStep : std::exchange(m_deferredSteps, {}))
            fnStep();
        if (answer != MessageAnswer::Yes)
            return;
    }
    OnReturnToStart();
}

void CLatitudePage::OnReturnToStart()
{
    m_pVisit->m_bStop.store(true, std::memory_order_release);
    theApp.SwitchPage(PAGE_START);
}
