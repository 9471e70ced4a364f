#include "navigation/navigation_page.h"

#include "app/page/marker_cross.h"
#include "app/page/pixel_grid.h"
#include "app/page/pixel_line.h"
#include "app/page_index.h"
#include "app/page/text_drawing.h"
#include "calibration/disk_activity_worker.h"
#include "navigation/navigation_plot.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString s_strCancel = QString::fromUtf8(TEXT_CANCEL);
const QString s_strSpeedZero = QString::fromUtf8(TEXT_SPEED_ZERO);

QString StatusText(double dCourse, double dSpeed)
{
    return QString::fromStdString(CourseAndSpeedText(dCourse, dSpeed));
}

} // namespace

CNavigationPage::CNavigationPage(NavigationPageServices services) : m_services(std::move(services)) {}

bool CNavigationPage::OnCreate()
{
    if (!CPageWnd::OnCreate())
        return false;
    m_pVisit = NewVisit();
    m_track.clear();
    m_pos = {};
    m_dScale = 1.5;
    m_bPictureStale = true;
    m_rcStatus.SetEmpty();
    // The last visit's button is no longer on the screen.
    m_rcSpeedZero.SetEmpty();

    const std::shared_ptr<VisitControl> pVisit = m_pVisit;
    NavigationThreadServices services{m_services.timeSeconds, m_services.sleep,
                                      VisitPoster<NavigationUpdate>([this](const NavigationUpdate& update) {
                                          UpdatePosition(update.pos, update.dCourse, update.dSpeed);
                                      })};
    if (!StartThread([pVisit, pHold = m_pHold, services] { NavigationThreadProc(pVisit, *pHold, services); }))
        return false;
    pVisit->m_bDiskRun.store(true, std::memory_order_relaxed);
    StartThread([pVisit, strRoot = m_services.strDiskRoot] { DiskActivityThreadProc(pVisit, strRoot); });
    return true;
}

QString CNavigationPage::ScreenReaderName() const
{
    return QString::fromUtf8(TEXT_NAVIGATION_PAGE_NAME);
}

void CNavigationPage::OnDestroy()
{
    m_picture.Clear();
    m_bPictureStale = true;
    m_bAnnounceHeldStatus = false;
}

QPoint CNavigationPage::MapToPlot(const NavPoint& p) const
{
    const PlotPixel pixel = ::MapToPlot(m_rcPlot, m_dScale, p);
    return {pixel.x, pixel.y};
}

bool CNavigationPage::PictureFitsWindow() const
{
    return !m_bPictureStale && Window() && !m_picture.IsNull() && m_picture.Size() == Window()->contentsRect().size();
}

void CNavigationPage::OnPaletteChange()
{
    CPageWnd::OnPaletteChange();
    m_bPictureStale = true;
}

void CNavigationPage::OnPaint(QPainter& painter, int W, int H)
{
    if (W <= 0 || H <= 0)
        return;
    // A new size, palette, device pixel ratio or place draws the picture afresh from the page's state.
    if (m_bPictureStale || !m_picture.Fits(painter, QSize(W, H))) {
        m_bPictureStale = false;
        QPainter picture;
        m_picture.Begin(picture, painter, QSize(W, H), Window()->palette().color(QPalette::Base));
        picture.setPen(Window()->palette().color(QPalette::Text));
        PaintPage(picture, W, H);
    }
    m_picture.Show(painter);
}

void CNavigationPage::DrawButton(QPainter& painter, Rect& rc, const QString& strText) const
{
    DrawBox(painter, rc);
    rc.Inflate(-2);
    DrawText(painter, rc, strText, TextWrap::SingleLine);
    rc.Inflate(2);
}

Rect CNavigationPage::StatusTextRect(const QString& strText) const
{
    return BottomLeftTextRect(strText, m_picture.Size().width(), m_picture.Size().height());
}

void CNavigationPage::PaintPage(QPainter& painter, int W, int H)
{
    painter.setBrush(m_brushFace);
    const Rect rcTitle = DrawTitle(painter, W, H);
    Rect rcPlotArea{15, rcTitle.bottom + 10, W - 15, H};
    m_rcLink[PAGE_START] = DrawCornerButton(painter, s_strCancel, W, H);
    m_parts.AddLink(m_rcLink[PAGE_START], s_strCancel);
    rcPlotArea.bottom = m_rcLink[PAGE_START].top - 10;

    m_rcSpeedZero = {15, 15, 15, 15};
    MeasureText(m_fontText, Window(), m_rcSpeedZero, s_strSpeedZero, TextWrap::SingleLine);
    m_rcSpeedZero.Inflate(2);
    m_rcSpeedZero.Offset((W - m_rcSpeedZero.Width()) / 2 - m_rcSpeedZero.left, H - 15 - m_rcSpeedZero.bottom);
    DrawButton(painter, m_rcSpeedZero, s_strSpeedZero);
    m_parts.AddLink(m_rcSpeedZero, s_strSpeedZero);

    m_nStatusPart = m_parts.Count();
    if (!m_track.empty()) {
        const QString strStatus = StatusText(m_dCourse, m_dSpeed);
        m_rcStatus = StatusTextRect(strStatus);
        DrawText(painter, {15, m_rcStatus.top, W - 15, m_rcStatus.bottom}, strStatus, TextWrap::WordWrap);
        m_parts.AddText(m_rcStatus, strStatus);
    }

    m_rcPlot = CentredSquare(rcPlotArea);
    DrawPlot(painter, QRect(0, 0, W, H));
}

void CNavigationPage::DrawPlot(QPainter& painter, const QRect& rcArea)
{
    painter.setBrush(Qt::NoBrush);
    DrawBox(painter, m_rcPlot);
    // Separate segments, as the ticks drew them, so both give the same pixels. Those that
    // stay outside the area in plot units, with a pixel to spare, are passed over unmapped.
    const int nHalf = m_rcPlot.Width() / 2;
    const double dUnit = nHalf > 0 ? m_dScale / nHalf : 0.0;
    const int xCentre = m_rcPlot.left + nHalf, yCentre = m_rcPlot.top + nHalf;
    const double xLow = (rcArea.left() - 2 - xCentre) * dUnit, xHigh = (rcArea.right() + 2 - xCentre) * dUnit;
    const double yLow = (rcArea.top() - 2 - yCentre) * dUnit, yHigh = (rcArea.bottom() + 2 - yCentre) * dUnit;
    NavPoint from{0.0, 0.0};
    for (const NavPoint& to : m_track) {
        if (nHalf == 0 || (std::max(from.x, to.x) >= xLow && std::min(from.x, to.x) <= xHigh &&
                           std::max(from.y, to.y) >= yLow && std::min(from.y, to.y) <= yHigh))
            DrawPixelLine(painter, MapToPlot(from), MapToPlot(to));
        from = to;
    }
    DrawMarkerCross(painter, MapToPlot(m_pos));
}

void CNavigationPage::UpdatePosition(const NavPoint& pos, double dCourse, double dSpeed)
{
    const NavPoint posOld = m_pos;
    const bool bFits = PictureFitsWindow();
    const bool bGrew = FitScale(m_dScale, pos);
    QRect rcChanged;
    if (bFits && !bGrew)
        DrawChange(posOld, pos, rcChanged);

    ExtendTrack(m_track, pos, dCourse == m_dCourse);
    m_pos = pos;
    m_dCourse = dCourse;
    m_dSpeed = dSpeed;
    // Said at the rate of the ticks, course and speed would drown everything else. A tick
    // on its way before "Geschw. auf 0" still has its speed: the first held one is said.
    if (m_bAnnounceHeldStatus && m_dSpeed == 0.0) {
        m_bAnnounceHeldStatus = false;
        AnnounceToScreenReader(StatusText(m_dCourse, m_dSpeed));
    }

    if (!Window())
        return;
    if (!bFits) {
        m_bPictureStale = true;
        Window()->update();
        return;
    }
    if (bGrew) {
        // Everything in the plot moves: the next paint renders the picture afresh.
        m_bPictureStale = true;
        Rect rcPlot = m_rcPlot;
        rcPlot.Inflate(7);
        InvalidateClient(ToQRect(rcPlot) | ToQRect(m_rcStatus) |
                         ToQRect(StatusTextRect(StatusText(m_dCourse, m_dSpeed))));
        return;
    }
    RedrawStatus(rcChanged);
    InvalidateClient(rcChanged);
}

void CNavigationPage::DrawChange(const NavPoint& posOld, const NavPoint& posNew, QRect& rcChanged)
{
    QPainter painter;
    m_picture.BeginChange(painter);
    painter.setPen(Window()->palette().color(QPalette::Text));
    const QPoint ptOld = MapToPlot(posOld);
    const QPoint ptNew = MapToPlot(posNew);
    DrawMarkerCross(painter, ptOld);
    DrawPixelLine(painter, ptOld, ptNew);
    DrawMarkerCross(painter, ptNew);
    // A line may reach a device pixel into the next logical one at a fractional ratio.
    rcChanged |= MarkerCrossBounds(ptOld) | MarkerCrossBounds(ptNew) |
                 QRect(ptOld, ptNew).normalized().adjusted(-1, -1, 1, 1);
}

void CNavigationPage::RedrawStatus(QRect& rcChanged)
{
    const QString strStatus = StatusText(m_dCourse, m_dSpeed);
    const Rect rcOld = m_rcStatus;
    const Rect rcNew = StatusTextRect(strStatus);
    QPainter painter;
    m_picture.BeginChange(painter);
    // Where the old text was and the new one goes, with the pixel a glyph may reach beside and
    // below it, the text is drawn afresh, and over it what of the plot a full paint draws there:
    // the frame, the track and the cross may share those pixels.
    const PixelGrid grid(painter);
    QPainterPath area;
    QRect rcArea;
    for (const Rect& rc : {rcOld, rcNew}) {
        if (rc.IsEmpty())
            continue;
        area.addRect(grid.Area(rc.left - 1, rc.top, rc.right + 1, rc.bottom + 1));
        rcArea |= QRect(rc.left - 1, rc.top, rc.Width() + 2, rc.Height() + 1);
    }
    area.setFillRule(Qt::WindingFill);
    painter.setClipPath(area);
    painter.fillPath(area, Window()->palette().color(QPalette::Base));
    painter.setPen(Window()->palette().color(QPalette::Text));
    painter.setFont(m_fontText);
    DrawText(painter, {15, rcNew.top, m_picture.Size().width() - 15, rcNew.bottom}, strStatus, TextWrap::WordWrap);
    m_rcStatus = rcNew;
    m_parts.SetText(m_nStatusPart, rcNew, strStatus);
    Rect rcReach = m_rcPlot;
    rcReach.Inflate(6); // the cross's arms and a track point on the far edge
    const QRect rcShared = rcArea & ToQRect(rcReach);
    if (!rcShared.isEmpty())
        DrawPlot(painter, rcShared);
    rcChanged |= ToQRect(rcOld).adjusted(-1, -1, 1, 1) | ToQRect(rcNew).adjusted(-1, -1, 1, 1);
}

void CNavigationPage::InvalidateClient(const QRect& rcClient)
{
    Window()->update(rcClient.translated(Window()->contentsRect().topLeft()));
}

const Rect* CNavigationPage::HotAreaAt(int x, int y) const
{
    return m_rcSpeedZero.Contains(x, y) ? &m_rcSpeedZero : HitLink(x, y);
}

void CNavigationPage::OnLinkClicked(const Rect& rcLink)
{
    if (&rcLink == &m_rcLink[PAGE_START]) {
        AskToLeave();
    } else if (&rcLink == &m_rcSpeedZero) {
        m_dSpeed = 0.0;
        m_pHold->Request();
        m_bAnnounceHeldStatus = true;
    }
}
