#include "latitude/latitude_page.h"

#include "app/page/marker_cross.h"
#include "app/page/pixel_grid.h"
#include "app/page/pixel_line.h"
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

#include <algorithm>
#include <cmath>
#include <vector>

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
    m_picture.Clear();
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

inline QPoint CLatitudePage::PointOnDial(DialOffset offset) const
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
    ClearTextArea(painter, rc, Window()->palette().color(QPalette::Base));
    DrawText(painter, rc, strText, TextWrap::WordWrap);
    m_parts.SetText(m_nEstimatePart, rc, strText);
    return rc;
}

void CLatitudePage::RenderPage(const QPainter& window, int W, int H)
{
    const QPalette& palette = Window()->palette();
    QPainter painter;
    m_picture.Begin(painter, window, QSize(W, H), palette.color(QPalette::Base));
    painter.setPen(palette.color(QPalette::Text));
    painter.setBrush(m_brushFace);

    const Rect rcTitle = DrawTitle(painter, W, H);
    m_rcDial = {15, rcTitle.bottom + 10, W - 15, H};
    m_rcLink[PAGE_START] = DrawCornerButton(painter, s_strCancel, W, H);
    m_parts.AddLink(m_rcLink[PAGE_START], s_strCancel);
    m_rcDial.bottom = m_rcLink[PAGE_START].top - 10;

    m_nEstimatePart = m_parts.Count();
    m_rcEstimate.SetEmpty();
    if (!m_track.empty())
        m_rcEstimate = DrawEstimate(painter, W, H);

    m_rcDial = CentredSquare(m_rcDial);

    // A day's track is 86,400 dots: set them straight in the picture's memory,
    // with each logical row's and column's device pixel looked up, not worked out.
    const PixelGrid grid(painter);
    QImage& image = m_picture.Image();
    painter.end();
    std::vector<int> deviceX(static_cast<std::size_t>(W)), deviceY(static_cast<std::size_t>(H));
    for (int x = 0; x < W; ++x)
        deviceX[static_cast<std::size_t>(x)] = grid.DeviceX(x);
    for (int y = 0; y < H; ++y)
        deviceY[static_cast<std::size_t>(y)] = grid.DeviceY(y);
    auto* pPixels = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype nStride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    const int n = grid.Thickness();
    const QRect bounds = image.rect().adjusted(0, 0, -(n - 1), -(n - 1));
    const QRgb foreground = palette.color(QPalette::Text).rgb();
    for (const DialOffset offset : m_trackOffsets) {
        const QPoint pixel = PointOnDial(offset);
        if (pixel.x() < 0 || pixel.x() >= W || pixel.y() < 0 || pixel.y() >= H)
            continue;
        const int x = deviceX[static_cast<std::size_t>(pixel.x())], y = deviceY[static_cast<std::size_t>(pixel.y())];
        if (!bounds.contains(x, y))
            continue;
        QRgb* pRow = pPixels + y * nStride + x;
        for (int dy = 0; dy < n; ++dy, pRow += nStride)
            std::fill_n(pRow, n, foreground);
    }
    // The cross, if one was shown, marks the same point on the new picture.
    if (m_bCrossShown) {
        QPainter crossPainter;
        m_picture.BeginChange(crossPainter);
        DrawMarkerCross(crossPainter, PointOnDial(m_crossOffset));
    }
}

void CLatitudePage::OnPaletteChange()
{
    CPageWnd::OnPaletteChange();
    m_picture.Clear();
}

void CLatitudePage::OnPaint(QPainter& painter, int W, int H)
{
    if (W <= 0 || H <= 0)
        return;
    // A new size, palette, device pixel ratio or place draws the picture afresh from the page's state.
    if (!m_picture.Fits(painter, QSize(W, H)))
        RenderPage(painter, W, H);
    m_picture.Show(painter);
}

void CLatitudePage::DrawMarker(const LatitudeMarker& marker)
{
    m_pVisit->m_nAppliedSteps.fetch_add(1, std::memory_order_relaxed);
    const LatPoint& point = marker.point;
    const bool bStore = marker.bStore;
    const DialOffset offset = OffsetOnDial(point);
    const DialOffset offsetOld = m_crossOffset;
    const bool bCrossWasShown = m_bCrossShown;
    m_bCrossShown = true;
    m_crossOffset = offset;
    if (bStore) {
        m_track.push_back(point);
        m_trackOffsets.push_back(offset);
        m_dLastValue = point.value;
        m_nLastAccuracy = marker.nAccuracy;
    }
    // Said every cycle, the estimate would drown everything else: only the first one
    // and each new accuracy are said, the others are there to be read.
    if (bStore && (m_track.size() == 1 || m_nLastAccuracy != m_nSaidAccuracy)) {
        m_nSaidAccuracy = m_nLastAccuracy;
        AnnounceToScreenReader(EstimateText());
    }

    const QSize client = Window()->contentsRect().size();
    if (m_picture.IsNull() || m_picture.Size() != client) {
        // The next paint draws the page afresh from its state, the step included.
        Window()->update();
        return;
    }
    const QPoint pixel = PointOnDial(offset);
    QPainter painter;
    m_picture.BeginChange(painter);
    painter.setPen(Window()->palette().color(QPalette::Text));
    QRect changed = MarkerCrossBounds(pixel);
    if (bCrossWasShown) {
        const QPoint ptOld = PointOnDial(offsetOld);
        DrawMarkerCross(painter, ptOld);
        changed |= MarkerCrossBounds(ptOld);
    }
    if (bStore)
        DrawPixelDot(painter, pixel);
    DrawMarkerCross(painter, pixel);
    if (bStore) {
        // The new estimate covers the old one.
        ClearTextArea(painter, m_rcEstimate, Window()->palette().color(QPalette::Base));
        const Rect rcEstimate = DrawEstimate(painter, client.width(), client.height());
        changed |= ToQRect(rcEstimate).adjusted(-1, -1, 1, 1) | ToQRect(m_rcEstimate).adjusted(-1, -1, 1, 1);
        m_rcEstimate = rcEstimate;
    }
    Window()->update(changed.translated(Window()->contentsRect().topLeft()));
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
