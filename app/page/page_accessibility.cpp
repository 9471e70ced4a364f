#include "app/page/page_accessibility.h"

#include "app/page/page_visit_widget.h"
#include "app/page/page_wnd.h"
#include "app/page/text_drawing.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

class CPageAccessible;

// One part of a page: static text, or a link box as a button with a press action.
class CPagePartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    CPagePartAccessible(CPageAccessible& parent, int nIndex, const Rect* pLink)
        : m_parent(parent), m_nIndex(nIndex), m_pLink(pLink)
    {
    }

    // The part no longer exists; the interface is about to be deleted.
    void Remove() { m_bRemoved = true; }

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text type) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return m_pLink ? QAccessible::Button : QAccessible::StaticText; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ActionInterface && m_pLink)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& strAction) override;

private:
    const PagePart* Part() const;
    CPageWnd* Page() const;

    CPageAccessible& m_parent;
    const int m_nIndex;
    const Rect* const m_pLink;
    bool m_bRemoved = false;
};

// A page window: a pane whose children are the parts of the page's latest drawing.
class CPageAccessible : public QAccessibleWidget {
public:
    explicit CPageAccessible(CPageVisitWidget* pWindow) : QAccessibleWidget(pWindow, QAccessible::Pane) {}
    ~CPageAccessible() override
    {
        for (QAccessible::Id id : m_childIds)
            if (id)
                QAccessible::deleteAccessibleInterface(id);
    }

    // nullptr once the window is about to go.
    CPageWnd* Page() const { return static_cast<CPageVisitWidget*>(widget())->Page(); }
    QWidget* Window() const { return widget(); }

    int childCount() const override
    {
        const CPageWnd* pPage = Page();
        return pPage ? pPage->Parts().Count() : 0;
    }

    QAccessibleInterface* child(int nIndex) const override
    {
        if (nIndex < 0 || nIndex >= childCount())
            return nullptr;
        if (m_childIds.size() <= static_cast<std::size_t>(nIndex))
            m_childIds.resize(static_cast<std::size_t>(nIndex) + 1, 0);
        QAccessible::Id& id = m_childIds[static_cast<std::size_t>(nIndex)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new CPagePartAccessible(
                const_cast<CPageAccessible&>(*this), nIndex, Page()->Parts()[nIndex].pLink));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* pChild) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == pChild)
                return i;
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* pChild = child(i); pChild->rect().contains(x, y))
                return pChild;
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (const CPageWnd* pPage = Page(); pPage && widget()->hasFocus())
            if (const Rect* pFocus = pPage->KeyboardFocusLink())
                for (int i = 0; i < childCount(); ++i)
                    if (pPage->Parts()[i].pLink == pFocus)
                        return child(i);
        return QAccessibleWidget::focusChild();
    }

    void Update(const PageParts& partsBefore)
    {
        const PageParts& parts = Page()->Parts();
        const int nBefore = partsBefore.Count(), nNow = parts.Count();
        std::vector<int> created;
        for (int i = 0; i < std::max(nBefore, nNow); ++i) {
            const bool bGone = i < nBefore && (i >= nNow || parts[i].pLink != partsBefore[i].pLink);
            const bool bNew = i < nNow && (i >= nBefore || parts[i].pLink != partsBefore[i].pLink);
            if (bGone)
                RemoveChild(i);
            if (bNew)
                created.push_back(i);
            else if (i < nNow && parts[i].strText != partsBefore[i].strText)
                Announce(child(i), QAccessible::NameChanged);
        }
        if (m_childIds.size() > static_cast<std::size_t>(nNow))
            m_childIds.resize(static_cast<std::size_t>(nNow));
        for (int i : created)
            Announce(child(i), QAccessible::ObjectCreated);
    }

    static void Announce(QAccessibleInterface* pInterface, QAccessible::Event type)
    {
        QAccessibleEvent event(pInterface, type);
        QAccessible::updateAccessibility(&event);
    }

private:
    void RemoveChild(int nIndex)
    {
        if (m_childIds.size() <= static_cast<std::size_t>(nIndex))
            return;
        const QAccessible::Id id = m_childIds[static_cast<std::size_t>(nIndex)];
        if (!id)
            return;
        QAccessibleInterface* pChild = QAccessible::accessibleInterface(id);
        // A listener may ask for other children meanwhile, which can grow m_childIds.
        Announce(pChild, QAccessible::ObjectDestroyed);
        static_cast<CPagePartAccessible*>(pChild)->Remove();
        m_childIds[static_cast<std::size_t>(nIndex)] = 0;
        QAccessible::deleteAccessibleInterface(id);
    }

    mutable std::vector<QAccessible::Id> m_childIds; // by part; 0 until asked for
};

bool CPagePartAccessible::isValid() const
{
    return !m_bRemoved && m_parent.isValid() && Page();
}

CPageWnd* CPagePartAccessible::Page() const
{
    return m_parent.Page();
}

const PagePart* CPagePartAccessible::Part() const
{
    const CPageWnd* pPage = Page();
    if (m_bRemoved || !pPage || m_nIndex >= pPage->Parts().Count())
        return nullptr;
    return &pPage->Parts()[m_nIndex];
}

QWindow* CPagePartAccessible::window() const
{
    return m_parent.window();
}

QAccessibleInterface* CPagePartAccessible::parent() const
{
    return &m_parent;
}

QString CPagePartAccessible::text(QAccessible::Text type) const
{
    const PagePart* pPart = Part();
    return pPart && type == QAccessible::Name ? pPart->strText : QString();
}

QRect CPagePartAccessible::rect() const
{
    const PagePart* pPart = Part();
    if (!pPart)
        return {};
    const QWidget* pWindow = m_parent.Window();
    return ToQRect(pPart->rc).translated(pWindow->mapToGlobal(pWindow->contentsRect().topLeft()));
}

QAccessible::State CPagePartAccessible::state() const
{
    QAccessible::State state;
    const CPageWnd* pPage = Page();
    if (!pPage || !m_parent.Window()->isVisible()) {
        state.invisible = true;
        return state;
    }
    if (m_pLink && pPage->LinksTakeKeyboardFocus()) {
        state.focusable = true;
        state.focused = m_pLink == pPage->KeyboardFocusLink() && m_parent.Window()->hasFocus();
    }
    return state;
}

void CPagePartAccessible::doAction(const QString& strAction)
{
    if (strAction == pressAction() && m_pLink && Part())
        Page()->PressLink(*m_pLink);
}

QAccessibleInterface* PageAccessibleFactory(const QString&, QObject* pObject)
{
    if (auto* pWindow = dynamic_cast<CPageVisitWidget*>(pObject))
        return new CPageAccessible(pWindow);
    return nullptr;
}

CPageAccessible* PageInterface(const CPageWnd& page)
{
    return page.Window() ? dynamic_cast<CPageAccessible*>(QAccessible::queryAccessibleInterface(page.Window()))
                         : nullptr;
}

} // namespace

void InstallPageAccessibility()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(PageAccessibleFactory);
        return true;
    }();
    (void)s_bInstalled;
}

void AnnouncePartsChanged(const CPageWnd& page, const PageParts& partsBefore)
{
    if (CPageAccessible* pInterface = PageInterface(page))
        pInterface->Update(partsBefore);
}

void AnnounceKeyboardFocus(const CPageWnd& page)
{
    CPageAccessible* pInterface = PageInterface(page);
    if (!pInterface || !page.Window()->hasFocus())
        return;
    if (QAccessibleInterface* pFocus = pInterface->focusChild(); pFocus && pFocus != pInterface)
        CPageAccessible::Announce(pFocus, QAccessible::Focus);
}
