#include "app/page/page_accessibility.h"

#include "app/page/page_visit_widget.h"
#include "app/page/page_wnd.h"
#include "app/page/text_drawing.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

class CPageAccessible;

// A child of a page's pane that has no children of its own and no object behind it.
class CPageChildAccessible : public QAccessibleInterface {
public:
    explicit CPageChildAccessible(CPageAccessible& parent) : m_parent(parent) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    CPageAccessible& m_parent;
};

// News for the user to hear at once: a notification child of the page, never drawn.
class CPageNewsAccessible : public CPageChildAccessible {
public:
    CPageNewsAccessible(CPageAccessible& parent, QString strNews)
        : CPageChildAccessible(parent), m_strNews(std::move(strNews))
    {
    }

    bool isValid() const override;
    QString text(QAccessible::Text type) const override { return type == QAccessible::Name ? m_strNews : QString(); }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    const QString m_strNews;
};

// One part of a page: static text, or a link box as a button with a press action.
class CPagePartAccessible : public CPageChildAccessible, public QAccessibleActionInterface {
public:
    CPagePartAccessible(CPageAccessible& parent, int nIndex, const Rect* pLink)
        : CPageChildAccessible(parent), m_nIndex(nIndex), m_pLink(pLink)
    {
    }

    // The part no longer exists; the interface is about to be deleted.
    void Remove() { m_bRemoved = true; }

    bool isValid() const override;
    QString text(QAccessible::Text type) const override;
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
        if (m_newsId)
            QAccessible::deleteAccessibleInterface(m_newsId);
    }

    // nullptr once the window is about to go.
    CPageWnd* Page() const { return static_cast<CPageVisitWidget*>(widget())->Page(); }
    QWidget* Window() const { return widget(); }

    QString text(QAccessible::Text type) const override
    {
        const CPageWnd* pPage = Page();
        if (pPage && type == QAccessible::Name)
            return pPage->ScreenReaderName();
        return QAccessibleWidget::text(type);
    }

    // Orca presents a changed name or description only when the event carries the
    // new text, which Qt's bridge does not. From Qt 6.8 the bridge sends the text as an
    // announcement, which Orca 48 says as it is. Before, a notification that appears Orca
    // says wherever the focus is; the latest news stays the page's last child until the next.
    void Announce(const QString& strNews)
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessibleAnnouncementEvent event(this, strNews);
        QAccessible::updateAccessibility(&event);
#else
        if (m_newsId) {
            Announce(QAccessible::accessibleInterface(m_newsId), QAccessible::ObjectDestroyed);
            QAccessible::deleteAccessibleInterface(std::exchange(m_newsId, 0));
        }
        m_newsId = QAccessible::registerAccessibleInterface(new CPageNewsAccessible(*this, strNews));
        QAccessibleInterface* pNews = QAccessible::accessibleInterface(m_newsId);
        Announce(pNews, QAccessible::ObjectCreated);
        Announce(pNews, QAccessible::ObjectShow);
#endif
    }

    int PartCount() const
    {
        const CPageWnd* pPage = Page();
        return pPage ? pPage->Parts().Count() : 0;
    }

    int childCount() const override { return PartCount() + (m_newsId ? 1 : 0); }

    QAccessibleInterface* child(int nIndex) const override
    {
        if (nIndex == PartCount() && m_newsId)
            return QAccessible::accessibleInterface(m_newsId);
        if (nIndex < 0 || nIndex >= PartCount())
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
        for (int i = 0; i < PartCount(); ++i)
            if (QAccessibleInterface* pChild = child(i); pChild->rect().contains(x, y))
                return pChild;
        return nullptr;
    }

    QAccessibleInterface* focusChild() const override
    {
        if (const CPageWnd* pPage = Page(); pPage && widget()->hasFocus())
            if (const Rect* pFocus = pPage->KeyboardFocusLink())
                for (int i = 0; i < PartCount(); ++i)
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
    QAccessible::Id m_newsId = 0;
};

bool CPageNewsAccessible::isValid() const
{
    return m_parent.isValid();
}

QWindow* CPageChildAccessible::window() const
{
    return m_parent.window();
}

QAccessibleInterface* CPageChildAccessible::parent() const
{
    return &m_parent;
}

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

void AnnounceNews(const CPageWnd& page, const QString& strNews)
{
    // Without a listener there is no one to tell.
    if (!QAccessible::isActive())
        return;
    if (CPageAccessible* pInterface = PageInterface(page))
        pInterface->Announce(strNews);
}

void AnnounceKeyboardFocus(const CPageWnd& page)
{
    CPageAccessible* pInterface = PageInterface(page);
    if (!pInterface || !page.Window()->hasFocus())
        return;
    QAccessibleInterface* pFocus = pInterface->focusChild();
    CPageAccessible::Announce(pFocus ? pFocus : pInterface, QAccessible::Focus);
}
