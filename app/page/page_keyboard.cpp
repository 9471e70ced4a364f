// The page base's keyboard focus among the link boxes, and presses of a box
// that come from the keyboard or from assistive technology.
#include "app/page/page_accessibility.h"
#include "app/page/page_visit_widget.h"
#include "app/page/page_wnd.h"
#include "app/page/text_drawing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

bool IsActivationKey(int nKey)
{
    return nKey == Qt::Key_Space || nKey == Qt::Key_Return || nKey == Qt::Key_Enter;
}

} // namespace

const Rect* CPageWnd::KeyboardFocusLink() const
{
    return m_pFocusLink && m_parts.HasLink(m_pFocusLink) && !m_pFocusLink->IsEmpty() ? m_pFocusLink : nullptr;
}

void CPageWnd::ResetKeyboardFocus()
{
    RepaintLink(KeyboardFocusLink());
    m_pFocusLink = nullptr;
    m_pKeyPressedLink = nullptr;
    m_nActivationKey = 0;
}

void CPageWnd::RepaintLink(const Rect* pLink)
{
    if (pLink && m_pWindow)
        m_pWindow->update(ToQRect(*pLink).translated(m_pWindow->contentsRect().topLeft()));
}

void CPageWnd::MoveKeyboardFocus(bool bForward)
{
    // The boxes in drawing order, then the page itself: there a screen reader reads
    // the page's texts again, its estimate or course among them.
    std::vector<const Rect*> stops = m_parts.Links();
    if (stops.empty())
        return;
    stops.push_back(nullptr);
    const Rect* pOld = KeyboardFocusLink();
    const int nCount = static_cast<int>(stops.size());
    const int nOld = static_cast<int>(std::find(stops.begin(), stops.end(), pOld) - stops.begin());
    m_pFocusLink = stops[static_cast<std::size_t>((nOld + (bForward ? 1 : nCount - 1)) % nCount)];
    m_pKeyPressedLink = nullptr;
    RepaintLink(pOld);
    RepaintLink(m_pFocusLink);
    AnnounceKeyboardFocus(*this);
}

void CPageWnd::OnKeyDown(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return;
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) {
        MoveKeyboardFocus(event.key() == Qt::Key_Tab && !(event.modifiers() & Qt::ShiftModifier));
        return;
    }
    // Like a button, a box fires for a press and a release on it; a held key fires once.
    if (IsActivationKey(event.key()) && !event.isAutoRepeat()) {
        m_pKeyPressedLink = KeyboardFocusLink();
        m_nActivationKey = event.key();
    }
}

void CPageWnd::OnKeyUp(const QKeyEvent& event)
{
    if (event.isAutoRepeat() || event.key() != m_nActivationKey)
        return;
    const Rect* pPressed = std::exchange(m_pKeyPressedLink, nullptr);
    m_nActivationKey = 0;
    if (pPressed && pPressed == KeyboardFocusLink())
        OnLinkClicked(*pPressed);
}

void CPageWnd::PressLink(const Rect& rcLink)
{
    QWidget* pWindow = m_pWindow;
    if (!pWindow)
        return;
    // Queued, so the caller (an assistive technology waiting for its answer) is
    // not held up by a question the click may ask.
    QMetaObject::invokeMethod(
        pWindow,
        [this, pWindow, pLink = &rcLink] {
            if (m_pWindow != pWindow || !pWindow->isVisible() || QApplication::activeModalWidget() ||
                !m_parts.HasLink(pLink) || pLink->IsEmpty())
                return;
            OnLinkClicked(*pLink);
        },
        Qt::QueuedConnection);
}

QString CPageWnd::ScreenReaderName() const
{
    return {};
}

void CPageWnd::AnnounceToScreenReader(const QString& strNews) const
{
    AnnounceNews(*this, strNews);
}

void CPageWnd::PublishParts()
{
    if (m_parts == m_partsPublished)
        return;
    const PageParts partsBefore = std::exchange(m_partsPublished, m_parts);
    if (m_pWindow)
        AnnouncePartsChanged(*this, partsBefore);
}
