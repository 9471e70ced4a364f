#pragma once

#include "app/page/page_wnd.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

// A page window's accessible children, read as a screen reader reads them.
struct AccessibleNode {
    QAccessible::Role role;
    QString strName;
    QRect rect;
    bool bFocusable;
    bool bFocused;
    friend bool operator==(const AccessibleNode&, const AccessibleNode&) = default;
};

inline QAccessibleInterface* PageInterface(QWidget* pWindow)
{
    return QAccessible::queryAccessibleInterface(pWindow);
}

// Paints the window first, so the tree is that of the current state.
inline std::vector<AccessibleNode> AccessibleTree(QWidget* pWindow)
{
    pWindow->grab();
    std::vector<AccessibleNode> nodes;
    QAccessibleInterface* pPage = PageInterface(pWindow);
    for (int i = 0; i < pPage->childCount(); ++i) {
        QAccessibleInterface* pChild = pPage->child(i);
        nodes.push_back({pChild->role(), pChild->text(QAccessible::Name), pChild->rect(),
                         pChild->state().focusable != 0, pChild->state().focused != 0});
    }
    return nodes;
}

inline std::vector<QString> Names(const std::vector<AccessibleNode>& nodes)
{
    std::vector<QString> names;
    for (const AccessibleNode& node : nodes)
        names.push_back(node.strName);
    return names;
}

inline std::vector<QAccessible::Role> Roles(const std::vector<AccessibleNode>& nodes)
{
    std::vector<QAccessible::Role> roles;
    for (const AccessibleNode& node : nodes)
        roles.push_back(node.role);
    return roles;
}

// The child of the page window with this name, or nullptr.
inline QAccessibleInterface* AccessibleChild(QWidget* pWindow, const QString& strName)
{
    pWindow->grab();
    QAccessibleInterface* pPage = PageInterface(pWindow);
    for (int i = 0; i < pPage->childCount(); ++i)
        if (pPage->child(i)->text(QAccessible::Name) == strName)
            return pPage->child(i);
    return nullptr;
}

// Presses the child as a screen reader does and lets the press take effect.
inline void PressAccessible(QAccessibleInterface* pChild)
{
    ASSERT_NE(pChild, nullptr);
    ASSERT_NE(pChild->actionInterface(), nullptr);
    ASSERT_EQ(pChild->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    pChild->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::sendPostedEvents();
}

// The rectangle of a link box in screen coordinates, as the page window places it.
inline QRect ScreenRect(QWidget* pWindow, const Rect& rc)
{
    return QRect(rc.left, rc.top, rc.Width(), rc.Height())
        .translated(pWindow->mapToGlobal(pWindow->contentsRect().topLeft()));
}

// How a page hands a screen reader news to say: an announcement from Qt 6.8 on, before
// that a notification child that appears.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
inline constexpr QAccessible::Event s_newsEvent = QAccessible::Announcement;
#else
inline constexpr QAccessible::Event s_newsEvent = QAccessible::ObjectShow;
#endif

// The accessibility events sent while it lives, as (type, child index, name) of each.
class RecordedAccessibilityEvents {
public:
    struct Event {
        QAccessible::Event type;
        int nChild; // -1 for the page window itself
        QString strName; // the part's name, or the announcement's text
        friend bool operator==(const Event&, const Event&) = default;
    };

    RecordedAccessibilityEvents()
    {
        s_pEvents = &m_events;
        m_previous = QAccessible::installUpdateHandler(&Record);
    }
    ~RecordedAccessibilityEvents()
    {
        QAccessible::installUpdateHandler(m_previous);
        s_pEvents = nullptr;
    }
    // The events about parts of the page window and its news, in order; cleared by the call.
    std::vector<Event> Take(QWidget* pWindow)
    {
        std::vector<Event> events;
        QAccessibleInterface* pPage = PageInterface(pWindow);
        for (const Recorded& recorded : m_events)
            if (recorded.pPage == pPage && (recorded.nChild >= 0 || recorded.type == s_newsEvent))
                events.push_back({recorded.type, recorded.nChild, recorded.strName});
        m_events.clear();
        return events;
    }

private:
    struct Recorded {
        QAccessible::Event type;
        QAccessibleInterface* pPage; // the page whose part it is, or the page that announces
        int nChild;
        QString strName;
    };
    static void Record(QAccessibleEvent* pEvent)
    {
        QAccessibleInterface* pInterface = pEvent->accessibleInterface();
        if (!s_pEvents || !pInterface)
            return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        if (pEvent->type() == QAccessible::Announcement) {
            s_pEvents->push_back({pEvent->type(), pInterface, -1,
                                  static_cast<QAccessibleAnnouncementEvent*>(pEvent)->message()});
            return;
        }
#endif
        QAccessibleInterface* pParent = pInterface->parent();
        const int nChild = pParent && !pInterface->object() ? pParent->indexOfChild(pInterface) : -1;
        s_pEvents->push_back({pEvent->type(), pParent, nChild,
                              pEvent->type() == QAccessible::ObjectDestroyed ? QString() : pInterface->text(QAccessible::Name)});
    }

    static inline std::vector<Recorded>* s_pEvents = nullptr;
    std::vector<Recorded> m_events;
    QAccessible::UpdateHandler m_previous = nullptr;
};

// What a screen reader was told to say, in order.
inline std::vector<QString> News(const std::vector<RecordedAccessibilityEvents::Event>& events)
{
    std::vector<QString> news;
    for (const RecordedAccessibilityEvents::Event& event : events)
        if (event.type == s_newsEvent)
            news.push_back(event.strName);
    return news;
}

// Keys as the keyboard sends them: a press, then a release.
inline void Key(QWidget* pWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(pWindow, key, modifiers);
}

// The client area as the user sees it.
inline QImage ClientPixels(QWidget* pWindow)
{
    return pWindow->grab(pWindow->contentsRect()).toImage();
}

// The pixels in which two pictures differ, as their bounding rectangle.
inline QRect DifferingPixels(const QImage& a, const QImage& b)
{
    QRect bounds;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Qt hands events on only while an assistive technology listens: in the session of
// tests/e2e/accessibility_session.sh, never under the offscreen platform. There the
// bridge connects to the accessibility bus once the event loop runs.
inline bool AccessibilityListening()
{
    if (!qEnvironmentVariableIsSet("QUORVEL_ACCESSIBILITY_SESSION"))
        return QAccessible::isActive();
    const QDeadlineTimer deadline(std::chrono::seconds(20));
    while (!QAccessible::isActive() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return QAccessible::isActive();
}

#define REQUIRE_LISTENING_ACCESSIBILITY()                                                                  \
    if (!AccessibilityListening()) {                                                                       \
        if (qEnvironmentVariableIsSet("QUORVEL_ACCESSIBILITY_SESSION"))                                     \
            FAIL() << "Qt's accessibility bridge is not active in the accessibility session";               \
        GTEST_SKIP() << "no assistive technology listens here; tests/e2e/accessibility_session.sh has one"; \
    }
