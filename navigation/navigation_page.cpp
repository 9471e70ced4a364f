#include "navigation/navigation_page.h"

#include "app/page/marker_cross.h"
#include "app/page/pixel_line.h"
#include "app/page_index.h"
#include "app/page/text_drawing.h"
#include "calibration/disk_activity_worker.h"
#include "navigation/navigation_plot.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QWidget>

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
    m_picture = QImage();
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
    return !m_bPictureStale && Window() && m_sizePicture == Window()->contentsRect().size();
}

void CNavigationPage::OnPaletteChange()
{
    CPageWnd::OnPaletteChange();
    m_bPictureStale = true;
}

void CNavigationPage::OnPaint(QPainter& painter, int W, int H)
{
    // A new size, palette or device pixel ratio draws the picture afresh from the page's state.
    const qreal dRatio = painter.deviceTransform().m11();
    if (m_bPictureStale || m_sizePicture != QSize(W, H) || m_dPictureRatio != dRatio)
        RenderPicture(W, H, dRatio);
    if (!m_picture.isNull())
        painter.drawImage(0, 0, m_picture);
}

void CNavigationPage::RenderPicture(int W, int H, qreal dRatio)
{
    m_sizePicture = QSize(W, H);
    m_dPictureRatio = dRatio;
    m_bPictureStale = false;
    if (W <= 0 || H <= 0) {
        m_picture = QImage();
        return;
    }
    m_picture = QImage(static_cast<int>(std::ceil(W * dRatio)), static_cast<int>(std::ceil(H * dRatio)),
                       QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(dRatio);
    m_picture.fill(Window()->palette().color(QPalette::Base));
    QPainter painter(&m_picture);
    painter.setPen(Window()->palette().color(QPalette::Text));
    PaintPage(painter, W, H);
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
    return BottomLeftTextRect(strText, m_sizePicture.width(), m_sizePicture.height());
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
    painter.setBrush(Qt::NoBrush);
    DrawBox(painter, m_rcPlot);

    // Separate segments, as the ticks drew them, so both give the same pixels.
    QPoint ptFrom = MapToPlot({0.0, 0.0});
    for (const NavPoint& point : m_track) {
        const QPoint ptTo = MapToPlot(point);
        DrawPixelLine(painter, ptFrom, ptTo);
        ptFrom = ptTo;
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
    DrawStatusOpaque(rcChanged);
    InvalidateClient(rcChanged);
}

void CNavigationPage::DrawChange(const NavPoint& posOld, const NavPoint& posNew, QRect& rcChanged)
{
    QPainter painter(&m_picture);
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

void CNavigationPage::DrawStatusOpaque(QRect& rcChanged)
{
    const QString strStatus = StatusText(m_dCourse, m_dSpeed);
    const Rect rc = StatusTextRect(strStatus);
    QPainter painter(&m_picture);
    painter.setFont(m_fontText);
    painter.setPen(Window()->palette().color(QPalette::Text));
    // The new text covers the old one.
    ClearTextArea(painter, m_rcStatus, Window()->palette().color(QPalette::Base));
    ClearTextArea(painter, rc, Window()->palette().color(QPalette::Base));
    DrawText(painter, {15, rc.top, m_sizePicture.width() - 15, rc.bottom}, strStatus, TextWrap::WordWrap);
    // The plot's frame may share its bottom row with the text's top one, and a full paint draws it last.
    painter.setBrush(Qt::NoBrush);
    DrawBox(painter, m_rcPlot);
    rcChanged |= ToQRect(rc).adjusted(-1, -1, 1, 1) | ToQRect(m_rcStatus).adjusted(-1, -1, 1, 1);
    m_rcStatus = rc;
    m_parts.SetText(m_nStatusPart, rc, strStatus);
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
