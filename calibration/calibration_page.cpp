#include "calibration/calibration_page.h"

#include "app/page_index.h"
#include "app/quorvel_app.h"
#include "app/page/pixel_grid.h"
#include "app/page/pixel_line.h"
#include "app/page/text_drawing.h"
#include "calibration/calibration_path.h"
#include "calibration/disk_activity_worker.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

QString WalkText(const char* pszDirection)
{
    return QString::fromStdString(FormatString(IDS_WALK, pszDirection));
}

QString StringText(unsigned nId)
{
    return QString::fromUtf8(LoadString(nId));
}

QString FirstStatusText(int nState)
{
    switch (nState) {
    case 0: return QString::fromUtf8(TEXT_EMPTY_FIRST_LINE);
    case 1: case 2: return WalkText(TEXT_NORTH);
    case 5: case 6: return WalkText(TEXT_EAST);
    case 9: case 10: return WalkText(TEXT_SOUTH);
    case 13: case 14: return WalkText(TEXT_WEST);
    case CalibrationProcedure::STATE_SUCCEEDED: return StringText(IDS_CALIBRATION_SUCCEEDED);
    case CalibrationProcedure::STATE_FAILED: return StringText(IDS_CALIBRATION_FAILED);
    default: return StringText(IDS_TURN_RIGHT);
    }
}

QString SecondStatusText(int nState)
{
    if (nState == CalibrationProcedure::STATE_SUCCEEDED)
        return StringText(IDS_PRESS_TO_RETURN);
    if (nState == CalibrationProcedure::STATE_FAILED)
        return QString::fromUtf8(TEXT_BLANK_SECOND_LINE);
    return StringText(nState % 2 == 0 && nState > 0 ? IDS_PRESS_WHEN_ARRIVED : IDS_PRESS_WHEN_READY);
}

double RayAngle(double cx, double cy, const PathPoint& point)
{
    return std::atan2(cy - point.y, point.x - cx) * 180.0 / std::numbers::pi;
}

// The walked parts: 5 pixels wide, in the foreground colour.
QPen ThickPen(const QColor& color)
{
    return QPen(color, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawArc(QPainter& painter, const PathPart& part)
{
    const QRectF ellipse(part.box.left, part.box.top, part.box.Width() - 1, part.box.Height() - 1);
    const QPointF centre = ellipse.center();
    const double dStart = RayAngle(centre.x(), centre.y(), part.start);
    double dSpan = std::fmod(RayAngle(centre.x(), centre.y(), part.end) - dStart + 360.0, 360.0);
    if (dSpan == 0.0)
        dSpan = 360.0;
    painter.drawArc(ellipse, static_cast<int>(std::lround(dStart * 16)), static_cast<int>(std::lround(dSpan * 16)));
}

void DrawThickPart(QPainter& painter, const PathPart& part)
{
    painter.setPen(ThickPen(painter.pen().color()));
    if (part.bArc) {
        DrawArc(painter, part);
        return;
    }
    // The end point is not drawn: stop one pixel short along the (axis-parallel) line.
    const int dx = (part.end.x > part.start.x) - (part.end.x < part.start.x);
    const int dy = (part.end.y > part.start.y) - (part.end.y < part.start.y);
    if (dx == 0 && dy == 0)
        return;
    painter.drawLine(part.start.x, part.start.y, part.end.x - dx, part.end.y - dy);
}

void DrawThinPart(QPainter& painter, const PathPart& part)
{
    if (!part.bArc) {
        DrawPixelLine(painter, {part.start.x, part.start.y}, {part.end.x, part.end.y});
        return;
    }
    // As thick as the page's other one-pixel lines at this ratio.
    QPen pen(painter.pen().color(), PixelGrid(painter).Thickness());
    pen.setCosmetic(true);
    painter.setPen(pen);
    DrawArc(painter, part);
}

} // namespace

CCalibrationPage::CCalibrationPage(IPowerStatus& powerStatus, std::string strWalkRoot, LegTimerFactory makeLegTimer)
    : m_powerStatus(powerStatus), m_strWalkRoot(std::move(strWalkRoot)), m_makeLegTimer(std::move(makeLegTimer))
{
}

bool CCalibrationPage::OnCreate()
{
    if (!CPageWnd::OnCreate())
        return false;
    m_pVisit = NewVisit();
    m_pProcedure = std::make_unique<CalibrationProcedure>(static_cast<ICalibrationHost&>(*this), theApp.m_nDirection, theApp.m_nModelDirection);
    m_pLegTimer = m_makeLegTimer();
    Window()->setFocus();
    return true;
}

void CCalibrationPage::OnDestroy()
{
    // The key press that leaves the page may still be running inside the procedure,
    // so the procedure stays until the next visit; the worker notices the closed window.
    m_pLegTimer->Stop();
}

QString CCalibrationPage::ScreenReaderName() const
{
    return QString::fromUtf8(TEXT_CALIBRATION_PAGE_NAME);
}

void CCalibrationPage::OnKeyDown(const QKeyEvent&)
{
    const int nStateBefore = m_pProcedure->State();
    m_pProcedure->KeyPress();
    // The user walks by ear: each step's instructions are said as they appear. A
    // failure says itself in its box, and the step that leaves the page says nothing.
    const int nState = m_pProcedure->State();
    if (Window() && nState != nStateBefore && nState != CalibrationProcedure::STATE_FAILED)
        AnnounceToScreenReader(FirstStatusText(nState).trimmed() + QLatin1Char(' ') + SecondStatusText(nState).trimmed());
}

void CCalibrationPage::OnTimer()
{
    m_pProcedure->Tick();
    if (const std::optional<PathPart> progress =
            LegProgress(m_rcSquare, m_pProcedure->State(), m_pProcedure->Ticks())) {
        // Only the current leg's line or arc is redrawn.
        Rect rcArea = progress->bArc ? progress->box
                                     : Rect{std::min(progress->start.x, progress->end.x),
                                            std::min(progress->start.y, progress->end.y),
                                            std::max(progress->start.x, progress->end.x) + 1,
                                            std::max(progress->start.y, progress->end.y) + 1};
        rcArea.Inflate(4);
        Window()->update(ToQRect(rcArea).translated(Window()->contentsRect().topLeft()));
    }
}

void CCalibrationPage::OnPaint(QPainter& painter, int W, int H)
{
    const int nState = m_pProcedure->State();
    painter.setBrush(m_brushFace);

    const Rect rcTitle = DrawTitle(painter, W, H);

    painter.setFont(m_fontText);
    auto drawParagraph = [&](const QString& strText, int nTop) {
        Rect rc{10, nTop, W - 10, H};
        MeasureText(m_fontText, Window(), rc, strText, TextWrap::WordWrap);
        DrawText(painter, rc, strText, TextWrap::WordWrap);
        m_parts.AddText(rc, strText);
        return rc.bottom;
    };
    const int nIntroductionBottom = drawParagraph(StringText(IDS_CALIBRATION_INTRO), rcTitle.bottom + 10);

    const QString strBack = QString::fromUtf8(TEXT_BACK);
    const Rect& rcBack = m_rcLink[PAGE_START] = DrawCornerButton(painter, strBack, W, H);
    m_parts.AddLink(rcBack, strBack);

    const int nFirstBottom = drawParagraph(FirstStatusText(nState), nIntroductionBottom);
    const int nSecondBottom = drawParagraph(SecondStatusText(nState), nFirstBottom);

    m_rcSquare = CentredSquare({15, nSecondBottom + 10, W - 15, rcBack.top - 10});
    DrawPath(painter);
    DrawLegProgress(painter);
}

void CCalibrationPage::DrawPath(QPainter& painter) const
{
    const QPen penThin = painter.pen();
    const std::array<PathPart, 8> path = CalibrationPath(m_rcSquare);
    for (int k = 1; k <= 8; ++k) {
        if (m_pProcedure->State() >= 2 * k + 1)
            DrawThickPart(painter, path[k - 1]);
        else
            DrawThinPart(painter, path[k - 1]);
        painter.setPen(penThin);
    }
}

void CCalibrationPage::DrawLegProgress(QPainter& painter) const
{
    if (!m_pProcedure->LegTimed())
        return;
    if (const std::optional<PathPart> progress =
            LegProgress(m_rcSquare, m_pProcedure->State(), m_pProcedure->Ticks())) {
        const QPen penThin = painter.pen();
        DrawThickPart(painter, *progress);
        painter.setPen(penThin);
    }
}

void CCalibrationPage::StartDiskWorker()
{
    m_pVisit->m_bDiskRun.store(true, std::memory_order_relaxed);
    StartThread([pVisit = m_pVisit, strRoot = m_strWalkRoot] { DiskActivityThreadProc(pVisit, strRoot); });
}

void CCalibrationPage::StopDiskWorker()
{
    m_pVisit->m_bDiskRun.store(false, std::memory_order_relaxed);
}

bool CCalibrationPage::OnMains()
{
    return m_powerStatus.OnMains().value_or(false);
}

void CCalibrationPage::SetCalibrated(bool bCalibrated)
{
    theApp.SetCalibrated(bCalibrated);
}

void CCalibrationPage::StartLegTimer()
{
    m_pLegTimer->Start([this] { OnTimer(); });
}

void CCalibrationPage::StopLegTimer()
{
    m_pLegTimer->Stop();
}

void CCalibrationPage::RepaintNow()
{
    Window()->repaint();
}

void CCalibrationPage::Invalidate()
{
    Window()->update();
}

void CCalibrationPage::ShowFailure(unsigned nStringId)
{
    Host().MessageBox().Show(LoadString(nStringId), MessageIcon::Error, MessageButtons::Ok);
}

void CCalibrationPage::ReturnToStart()
{
    Host().SwitchPage(PAGE_START);
}
