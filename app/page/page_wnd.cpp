#include "app/page/page_wnd.h"

#include "app/page/page_visit_widget.h"
#include "app/page/text_drawing.h"
#include "app/page_index.h"
#include "resources/page_texts.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QCursor>
#include <QPainter>
#include <QPalette>

#include <utility>

namespace {

// A point-size font as the page's device sees it: pixel height = dpi x tenths / 720.
QFont PageFont(const QWidget& window, int nTenthsOfPoint, bool bBold, bool bItalic)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(window.logicalDpiY() * nTenthsOfPoint / 720);
    font.setBold(bBold);
    font.setItalic(bItalic);
    return font;
}

} // namespace

CPageWnd::~CPageWnd()
{
    // A derived page is already gone here, so its OnDestroy cannot run: the visit
    // ends through the control block, and its threads are joined before the
    // members they might share with the page go too.
    DestroyWindow();
    m_threads.JoinAll();
}

bool CPageWnd::Create(QWidget* pParent, IPageHost& host)
{
    if (m_pWindow)
        return false;
    m_pHost = &host;
    m_parts.Clear();
    m_partsPublished.Clear();
    ResetKeyboardFocus();
    // A new window has no areas until it paints them.
    for (Rect& rc : m_rcLink)
        rc.SetEmpty();
    m_pHotLink = nullptr;
    m_bLinkPressed = false;
    m_pWindow = new CPageVisitWidget(*this, pParent);
    if (!OnCreate()) {
        EndVisit();
        m_pWindow->Detach();
        delete m_pWindow;
        m_pWindow = nullptr;
        return false;
    }
    return true;
}

void CPageWnd::EndVisit()
{
    if (m_pVisitControl)
        m_pVisitControl->m_bWindowAlive.store(false, std::memory_order_release);
    m_pVisitControl.reset();
    m_deferred.clear();
}

void CPageWnd::DestroyWindow()
{
    if (!m_pWindow)
        return;
    EndVisit();
    OnDestroy();
    CPageVisitWidget* pWindow = m_pWindow;
    m_pWindow = nullptr;
    pWindow->Detach();
    pWindow->hide();
    // The window may be in the middle of delivering the click that closes it.
    pWindow->deleteLater();
}

QWidget* CPageWnd::Window() const
{
    return m_pWindow;
}

bool CPageWnd::OnCreate()
{
    m_fontTitle = PageFont(*m_pWindow, 140, true, true);
    m_fontText = PageFont(*m_pWindow, 100, false, false);
    m_brushFace = m_pWindow->palette().brush(QPalette::Button);
    return true;
}

void CPageWnd::OnPaletteChange()
{
    // The window's own creation may already bring one.
    if (!m_pWindow)
        return;
    m_brushFace = m_pWindow->palette().brush(QPalette::Button);
}

Rect CPageWnd::DrawTitle(QPainter& painter, int W, int H)
{
    painter.setFont(m_fontTitle);
    Rect rcTitle{10, 10, W - 10, H};
    const QString strTitle = QString::fromUtf8(LoadString(IDS_TITLE));
    MeasureText(m_fontTitle, m_pWindow, rcTitle, strTitle, TextWrap::SingleLine);
    DrawText(painter, rcTitle, strTitle, TextWrap::SingleLine);
    m_parts.Clear();
    m_parts.AddText(rcTitle, strTitle);
    return rcTitle;
}

Rect CPageWnd::DrawCornerButton(QPainter& painter, const QString& strText, int W, int H) const
{
    painter.setFont(m_fontText);
    Rect rcBox{15, 15, W - 15, H - 15};
    MeasureText(m_fontText, m_pWindow, rcBox, strText, TextWrap::SingleLine);
    rcBox.Inflate(2);
    rcBox.Offset(W - 15 - rcBox.right, H - 15 - rcBox.bottom);
    DrawBox(painter, rcBox);
    rcBox.Inflate(-2);
    DrawText(painter, rcBox, strText, TextWrap::SingleLine);
    rcBox.Inflate(2);
    return rcBox;
}

Rect CPageWnd::BottomLeftTextRect(const QString& strText, int W, int H) const
{
    Rect rc{15, 15, W - 15, H - 15};
    MeasureText(m_fontText, m_pWindow, rc, strText, TextWrap::WordWrap);
    rc.Offset(0, H - 15 - rc.bottom);
    return rc;
}

const Rect* CPageWnd::HitLink(int x, int y) const
{
    for (const Rect& rc : m_rcLink)
        if (rc.Contains(x, y))
            return &rc;
    return nullptr;
}

void CPageWnd::SetCursorFromHotLink()
{
    m_pWindow->setCursor(m_pHotLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CPageWnd::SetHotArea(const Rect* pCandidate)
{
    if (pCandidate != m_pHotLink) {
        m_pHotLink = pCandidate;
        m_bLinkPressed = false;
    }
    SetCursorFromHotLink();
}

void CPageWnd::OnMouseMove(int x, int y)
{
    SetHotArea(HotAreaAt(x, y));
}

void CPageWnd::HitTestAtPointer()
{
    const QRect client = m_pWindow->contentsRect();
    const QPoint point = m_pWindow->mapFromGlobal(QCursor::pos());
    // A pointer elsewhere is over no area of this page.
    SetHotArea(client.contains(point) ? HotAreaAt(point.x() - client.left(), point.y() - client.top()) : nullptr);
}

void CPageWnd::OnLButtonDown(int, int)
{
    SetCursorFromHotLink();
    if (m_pHotLink)
        m_bLinkPressed = true;
}

void CPageWnd::OnLButtonUp(int, int)
{
    SetCursorFromHotLink();
    if (m_bLinkPressed && m_pHotLink)
        OnLinkClicked(*m_pHotLink);
}

void CPageWnd::OnLinkClicked(const Rect& rcLink)
{
    for (int i = 0; i < 5; ++i)
        if (&rcLink == &m_rcLink[i]) {
            m_pHost->SwitchPage(i);
            return;
        }
}

void CPageWnd::ApplyOrDefer(std::function<void()> fnApply)
{
    if (m_bQuestionOpen)
        m_deferred.push_back(std::move(fnApply));
    else
        fnApply();
}

bool CPageWnd::AskToLeave()
{
    const std::shared_ptr<VisitControl> pVisit = m_pVisitControl;
    m_bQuestionOpen = true;
    pVisit->m_gate.Hold();
    const bool bLeave = m_pHost->MessageBox().Show(TEXT_ARE_YOU_SURE, MessageIcon::Question, MessageButtons::YesNo) ==
                        MessageAnswer::Yes;
    // Stopped before they are let go, the threads take no further step; a navigation
    // tick would use up a held speed that the next visit is owed.
    if (bLeave)
        pVisit->m_bStop.store(true, std::memory_order_release);
    pVisit->m_gate.Release();
    m_bQuestionOpen = false;
    std::vector<std::function<void()>> deferred = std::exchange(m_deferred, {});
    if (bLeave) {
        m_pHost->SwitchPage(PAGE_START);
        return true;
    }
    // The window may have gone while the question was open.
    if (pVisit->WindowAlive())
        for (const std::function<void()>& fnApply : deferred)
            fnApply();
    return false;
}
