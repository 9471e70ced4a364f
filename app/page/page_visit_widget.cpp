#include "app/page/page_visit_widget.h"

#include "app/page/focus_rect.h"
#include "app/page/page_accessibility.h"
#include "app/page/page_wnd.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Keys that belong to the menu: Alt itself, F10 and whatever is pressed while
// Alt is held. They never reach a page as key presses. AltGr is no Alt: its
// combinations are characters.
bool IsMenuKey(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Alt || event.key() == Qt::Key_F10 || event.modifiers().testFlag(Qt::AltModifier);
}

} // namespace

CPageVisitWidget::CPageVisitWidget(CPageWnd& page, QWidget* pParent) : QFrame(pParent), m_pPage(&page)
{
    InstallPageAccessibility();
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // The page's background is the palette's base colour, whichever palette is in use.
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void CPageVisitWidget::changeEvent(QEvent* pEvent)
{
    QFrame::changeEvent(pEvent);
    if (m_pPage && pEvent->type() == QEvent::PaletteChange) {
        m_pPage->OnPaletteChange();
        update();
    }
}

void CPageVisitWidget::showEvent(QShowEvent* pEvent)
{
    QFrame::showEvent(pEvent);
    if (!m_pPage)
        return;
    // Shown again by the program, not restored by the desktop: a new visit.
    if (!pEvent->spontaneous())
        m_pPage->ResetKeyboardFocus();
    m_pPage->HitTestAtPointer();
    m_bHitTestAfterPaint = true;
}

void CPageVisitWidget::paintEvent(QPaintEvent* pEvent)
{
    const QRect client = contentsRect();
    // A page's small updates, a marker step's or a tick's, leave the edge as it is.
    if (!client.contains(pEvent->rect()))
        QFrame::paintEvent(pEvent);
    if (!m_pPage)
        return;
    QPainter painter(this);
    painter.setClipRect(client);
    painter.translate(client.topLeft());
    painter.setPen(palette().color(QPalette::Text));
    m_pPage->OnPaint(painter, client.width(), client.height());
    if (const Rect* pFocus = m_pPage->KeyboardFocusLink()) {
        painter.setPen(palette().color(QPalette::Text));
        DrawFocusRect(painter, *pFocus);
    }
    m_pPage->PublishParts();
    if (m_bHitTestAfterPaint) {
        m_bHitTestAfterPaint = false;
        m_pPage->HitTestAtPointer();
    }
}

bool CPageVisitWidget::event(QEvent* pEvent)
{
    // Tab is a key of the page, not a move to another widget.
    if (pEvent->type() == QEvent::KeyPress) {
        auto* pKeyEvent = static_cast<QKeyEvent*>(pEvent);
        if (pKeyEvent->key() == Qt::Key_Tab || pKeyEvent->key() == Qt::Key_Backtab) {
            keyPressEvent(pKeyEvent);
            return true;
        }
    }
    return QFrame::event(pEvent);
}

QPoint CPageVisitWidget::ClientPoint(const QMouseEvent& event) const
{
    return event.position().toPoint() - contentsRect().topLeft();
}

void CPageVisitWidget::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (m_pPage) {
        const QPoint point = ClientPoint(*pEvent);
        m_pPage->OnMouseMove(point.x(), point.y());
    }
}

void CPageVisitWidget::mousePressEvent(QMouseEvent* pEvent)
{
    if (m_pPage && pEvent->button() == Qt::LeftButton) {
        const QPoint point = ClientPoint(*pEvent);
        m_pPage->OnLButtonDown(point.x(), point.y());
    }
}

void CPageVisitWidget::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (m_pPage && pEvent->button() == Qt::LeftButton) {
        const QPoint point = ClientPoint(*pEvent);
        m_pPage->OnLButtonUp(point.x(), point.y());
    }
}

void CPageVisitWidget::keyPressEvent(QKeyEvent* pEvent)
{
    if (IsMenuKey(*pEvent)) {
        QFrame::keyPressEvent(pEvent);
        return;
    }
    if (m_pPage)
        m_pPage->OnKeyDown(*pEvent);
}

void CPageVisitWidget::keyReleaseEvent(QKeyEvent* pEvent)
{
    if (m_pPage)
        m_pPage->OnKeyUp(*pEvent);
}
