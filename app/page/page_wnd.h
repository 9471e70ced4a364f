#pragma once

#include "app/page/page_host.h"
#include "app/page/page_parts.h"
#include "app/page/rect.h"
#include "app/visit/visit_control.h"
#include "app/visit/visit_post.h"
#include "app/visit/worker_threads.h"

#include <QBrush>
#include <QFont>

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class QKeyEvent;
class QString;
class QPainter;
class QWidget;
class CPageVisitWidget;

// The base of every page. The page object lives as long as the main frame; its
// window exists only between Create and DestroyWindow, once per visit. The page
// owns the threads of its visits: it ends its own visit and joins them when it
// goes, whatever its owner does first.
class CPageWnd {
public:
    CPageWnd() = default;
    CPageWnd(const CPageWnd&) = delete;
    CPageWnd& operator=(const CPageWnd&) = delete;
    virtual ~CPageWnd();

    // Creates the window as a child of pParent for a visit that host serves; false
    // when it cannot be created or while the window of the current visit still exists.
    bool Create(QWidget* pParent, IPageHost& host);
    // Ends the visit: its threads learn that the window is gone, and are not waited for.
    void DestroyWindow();
    // The page's window, or nullptr while it does not exist.
    QWidget* Window() const;

    // Event entry points of the window, in client coordinates.
    virtual void OnPaint(QPainter& painter, int nWidth, int nHeight) = 0;
    virtual void OnMouseMove(int x, int y);
    virtual void OnLButtonDown(int x, int y);
    virtual void OnLButtonUp(int x, int y);
    // Tab and Shift+Tab move a keyboard focus through the link boxes; Space or
    // Enter, pressed and released on the focused box, click it.
    virtual void OnKeyDown(const QKeyEvent& event);
    virtual void OnKeyUp(const QKeyEvent& event);
    // The desktop's colours changed: the page draws afresh in the new ones.
    virtual void OnPaletteChange();
    // The hit test of a mouse move, at wherever the pointer is now: a window that
    // appears under an unmoved pointer must not keep a link of an earlier visit.
    void HitTestAtPointer();

    const Rect& LinkRect(int i) const { return m_rcLink[i]; }

    // What the page showed at its latest drawing, for screen readers and the keyboard.
    const PageParts& Parts() const { return m_parts; }
    // After a drawing: tells assistive technology what changed since the last one.
    void PublishParts();
    // A press through assistive technology: does what a click on the box does, once
    // the events of the moment are handled, and nothing where a click could not
    // reach the box (a modal box open, the box gone, the window hidden).
    void PressLink(const Rect& rcLink);
    // The link box with the keyboard focus, or nullptr while none is shown.
    const Rect* KeyboardFocusLink() const;
    // The keyboard focus is shown only once Tab is pressed on a visit.
    void ResetKeyboardFocus();
    // False where every key belongs to the page itself.
    virtual bool LinksTakeKeyboardFocus() const { return true; }
    // What a screen reader calls the page, to tell it from the others.
    virtual QString ScreenReaderName() const;
    // Has a screen reader say what the user must hear now, not only read on request.
    void AnnounceToScreenReader(const QString& strNews) const;

protected:
    // Runs while the window is created; false makes the creation fail.
    virtual bool OnCreate();
    virtual void OnDestroy() {}
    // What a click on a link box does: switch to the page of the link's number.
    virtual void OnLinkClicked(const Rect& rcLink);

    // The frame's services for the current visit.
    IPageHost& Host() const { return *m_pHost; }

    // "Sind Sie sicher?" about leaving the visit. While it is open the visit's threads
    // hold at their gate and updates posted to the page wait. "Ja" stops the threads
    // before they may go on, drops the waiting updates and returns to the start page;
    // "Nein" lets the threads go and applies the waiting updates in order. True on "Ja".
    bool AskToLeave();

    // How a thread of the current visit hands the page an update without touching
    // it: fnApply runs on the GUI thread while the visit's window exists, after the
    // answer while the question is open.
    template <class... Update>
    std::function<void(const Update&...)> VisitPoster(std::type_identity_t<std::function<void(const Update&...)>> fnApply)
    {
        return [this, pVisit = m_pVisitControl, fnApply = std::move(fnApply)](const Update&... update) {
            PostToVisit(pVisit, [this, fnApply, update...] { ApplyOrDefer([fnApply, update...] { fnApply(update...); }); });
        };
    }

    // The program title at (10, 10), one line, in the title font; returns where it went.
    // Every full drawing of a page begins here, so its parts start afresh with the title.
    Rect DrawTitle(QPainter& painter, int nWidth, int nHeight);
    // A self-drawn button in the text font, 15 pixels from the right and bottom
    // edges: a framed box 2 pixels around its text. Returns the box.
    Rect DrawCornerButton(QPainter& painter, const QString& strText, int nWidth, int nHeight) const;

    // Where a page's status text goes: measured in the text font, 15 pixels from
    // the left and bottom edges.
    Rect BottomLeftTextRect(const QString& strText, int nWidth, int nHeight) const;

    // The link area containing the point: the lowest-numbered one wins.
    const Rect* HitLink(int x, int y) const;
    // The hot area at the point; a page with areas of its own adds them here.
    virtual const Rect* HotAreaAt(int x, int y) const { return HitLink(x, y); }
    // The hand over a hot area, otherwise the arrow.
    void SetCursorFromHotLink();

    // A fresh control block for the visit being created, shared with its threads;
    // DestroyWindow clears its window flag.
    template <class Control = VisitControl>
    std::shared_ptr<Control> NewVisit()
    {
        auto pVisit = std::make_shared<Control>();
        m_pVisitControl = pVisit;
        return pVisit;
    }
    // Starts a thread of the current visit; false when it cannot be started. The
    // thread may use only what it shares with the page, never the page object itself.
    bool StartThread(std::function<void()> fnWork) { return m_threads.Start(std::move(fnWork)); }

    QFont m_fontTitle;
    QFont m_fontText;
    QBrush m_brushFace;
    Rect m_rcLink[5];
    const Rect* m_pHotLink = nullptr;
    bool m_bLinkPressed = false;
    // Pages record what they draw here, in drawing order.
    PageParts m_parts;

private:
    void EndVisit();
    void ApplyOrDefer(std::function<void()> fnApply);
    // Makes pCandidate the hot area; a change of area clears the press.
    void SetHotArea(const Rect* pCandidate);

    void MoveKeyboardFocus(bool bForward);
    void RepaintLink(const Rect* pLink);

    PageParts m_partsPublished;
    const Rect* m_pFocusLink = nullptr;
    // The activation key held down on the focused box, and that box.
    int m_nActivationKey = 0;
    const Rect* m_pKeyPressedLink = nullptr;
    CPageVisitWidget* m_pWindow = nullptr;
    IPageHost* m_pHost = nullptr;
    std::shared_ptr<VisitControl> m_pVisitControl;
    bool m_bQuestionOpen = false;
    std::vector<std::function<void()>> m_deferred;
    WorkerThreads m_threads;
};
