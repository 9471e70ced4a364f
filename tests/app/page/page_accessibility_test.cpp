#include "tests/app/accessibility_probe.h"
#include "tests/app/frame_fixture.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QDialog>
#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString s_strIntroduction = QString::fromUtf8(LoadString(IDS_INTRODUCTION)).trimmed();
const QString s_strLatitude = QStringLiteral("Langzeitmessung: Breitengradsuche per Festplatte");

QString DriveLine(const char* pszModel, const char* pszArticle)
{
    return QStringLiteral("Erkannter Festplattentyp: %1. Dies ist %2 Notebook-Platte. Daher stehen Ihnen folgende "
                          "Möglichkeiten zur Verfügung:")
        .arg(QString::fromLatin1(pszModel), QString::fromLatin1(pszArticle));
}

} // namespace

TEST(PageAccessibility, StartPageReadsAsItIsDrawnInEachState)
{
    using R = QAccessible::Role;
    {
        FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
        QAccessibleInterface* pPage = PageInterface(t.StartWindow());
        ASSERT_NE(pPage, nullptr);
        EXPECT_EQ(pPage->role(), QAccessible::Pane);
        EXPECT_EQ(pPage->text(QAccessible::Name), QStringLiteral("Eingangsseite"));
        const std::vector<AccessibleNode> tree = AccessibleTree(t.StartWindow());
        EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), s_strIntroduction,
                                                     DriveLine("TOSHIBA MK4019GAX", "eine"),
                                                     QStringLiteral("Festplatte für die Navigation erneut kalibrieren"),
                                                     QStringLiteral("Navigation mithilfe Ihrer Festplatte"), s_strLatitude}));
        EXPECT_EQ(Roles(tree), (std::vector<R>{R::StaticText, R::StaticText, R::StaticText, R::Button, R::Button, R::Button}));
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(tree[static_cast<std::size_t>(i + 2)].rect, ScreenRect(t.StartWindow(), t.PaintedLink(i)));
            EXPECT_TRUE(tree[static_cast<std::size_t>(i + 2)].bFocusable);
        }
        // Each text sits where it is drawn: one below the other, inside the page.
        EXPECT_EQ(tree[0].rect.topLeft(), t.StartWindow()->mapToGlobal(t.StartWindow()->contentsRect().topLeft()) + QPoint(10, 10));
        EXPECT_EQ(tree[1].rect.top(), tree[0].rect.bottom() + 1 + 10);
        EXPECT_EQ(tree[2].rect.top(), tree[1].rect.bottom() + 1);
        EXPECT_GT(tree[2].rect.height(), 0);
        EXPECT_FALSE(tree[3].bFocused);
    }
    {
        // The plain navigation line of an uncalibrated drive is text, not a button.
        FrameFixture t("TOSHIBA MK4019GAX", "");
        const std::vector<AccessibleNode> tree = AccessibleTree(t.StartWindow());
        ASSERT_EQ(tree.size(), 6u);
        EXPECT_EQ(tree[3].strName, QStringLiteral("Festplatte für die Navigation kalibrieren"));
        EXPECT_EQ(tree[4].strName, QStringLiteral("Navigation mithilfe Ihrer Festplatte (Kalibrierung erforderlich)"));
        EXPECT_EQ(tree[4].role, R::StaticText);
        EXPECT_EQ(tree[4].rect.left(), ScreenRect(t.StartWindow(), t.PaintedLink(1)).left() + 2);
        EXPECT_EQ(PageInterface(t.StartWindow())->child(4)->actionInterface(), nullptr);
        EXPECT_EQ(tree[5].role, R::Button);
    }
    {
        FrameFixture t("QEMU HARDDISK", "rabcdefghijklmnopq");
        const std::vector<AccessibleNode> tree = AccessibleTree(t.StartWindow());
        EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), s_strIntroduction,
                                                     DriveLine("QEMU HARDDISK", "keine"), s_strLatitude}));
        EXPECT_EQ(tree.back().role, R::Button);
        EXPECT_EQ(tree.back().rect, ScreenRect(t.StartWindow(), t.PaintedLink(3)));
    }
}

TEST(PageAccessibility, PressDoesWhatAClickDoesAndOnlyWhereAClickCould)
{
    FrameFixture t("TOSHIBA MK4019GAX", "");
    // A screen reader hit-tests by screen point, as a pointer would.
    QAccessibleInterface* pLatitude = AccessibleChild(t.StartWindow(), s_strLatitude);
    ASSERT_NE(pLatitude, nullptr);
    EXPECT_EQ(PageInterface(t.StartWindow())->childAt(pLatitude->rect().center().x(), pLatitude->rect().center().y()),
              pLatitude);

    {
        // While a modal box is open, no click reaches the page.
        QDialog box(t.pFrame.get());
        box.setModal(true);
        box.show();
        PressAccessible(pLatitude);
        EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    }

    PressAccessible(AccessibleChild(t.StartWindow(), QStringLiteral("Festplatte für die Navigation kalibrieren")));
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_CALIBRATION);
    EXPECT_EQ(t.pCalibration->nCreated, 1);
    EXPECT_TRUE(t.messageBox.shown.empty());

    // The hidden start page's links lead nowhere.
    PressAccessible(pLatitude);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_CALIBRATION);
    EXPECT_EQ(t.pLatitude->nCreated, 0);

    t.pFrame->SwitchPage(PAGE_START);
    PressAccessible(AccessibleChild(t.StartWindow(), s_strLatitude));
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
    EXPECT_EQ(t.pLatitude->nCreated, 1);
}

TEST(PageAccessibility, TreeFollowsARepaintAndAnnouncesTheChange)
{
    REQUIRE_LISTENING_ACCESSIBILITY();
    RecordedAccessibilityEvents events;
    FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    AccessibleTree(t.StartWindow());
    events.Take(t.StartWindow());
    QAccessibleInterface* pNavigation = PageInterface(t.StartWindow())->child(4);
    ASSERT_EQ(pNavigation->role(), QAccessible::Button);

    // A confirmed change of direction drops the calibration: link 1 changes its
    // wording, and link 2 becomes plain text.
    t.messageBox.answer = MessageAnswer::Yes;
    theApp.SetDirection(-1);
    const std::vector<AccessibleNode> tree = AccessibleTree(t.StartWindow());
    EXPECT_EQ(tree[3].strName, QStringLiteral("Festplatte für die Navigation kalibrieren"));
    EXPECT_EQ(tree[4].role, QAccessible::StaticText);
    using E = RecordedAccessibilityEvents::Event;
    EXPECT_EQ(events.Take(t.StartWindow()),
              (std::vector<E>{{QAccessible::NameChanged, 3, QStringLiteral("Festplatte für die Navigation kalibrieren")},
                              {QAccessible::ObjectDestroyed, 4, QString()},
                              {QAccessible::ObjectCreated, 4,
                               QStringLiteral("Navigation mithilfe Ihrer Festplatte (Kalibrierung erforderlich)")}}));

    // A repaint that changes nothing announces nothing.
    t.StartWindow()->repaint();
    EXPECT_TRUE(events.Take(t.StartWindow()).empty());
}

TEST(PageAccessibility, TabAndShiftTabMoveThroughTheStartPageLinksInDrawingOrder)
{
    FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    QWidget* pWindow = t.StartWindow();
    t.PaintedLink(1);
    CPageWnd& page = *t.pFrame->Page(PAGE_START);

    // Before Tab nothing has the focus, and Enter does nothing.
    Key(pWindow, Qt::Key_Return);
    EXPECT_EQ(page.KeyboardFocusLink(), nullptr);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);

    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(1));
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(2));
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(3));
    // Past the last box the page itself has the focus, which no ring shows.
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), nullptr);
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(1));
    Key(pWindow, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(page.KeyboardFocusLink(), nullptr);
    Key(pWindow, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(3));
    Key(pWindow, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(2));

    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(3));
    Key(pWindow, Qt::Key_Return);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
    EXPECT_EQ(t.pLatitude->nCreated, 1);
}

TEST(PageAccessibility, SpaceAndEnterFireForAPressAndReleaseOnTheFocusedLink)
{
    FrameFixture t("TOSHIBA MK4019GAX", "");
    QWidget* pWindow = t.StartWindow();
    t.PaintedLink(1);
    const CPageWnd& page = *t.pFrame->Page(PAGE_START);
    // Uncalibrated: the plain navigation line is passed over.
    Key(pWindow, Qt::Key_Tab);
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(3));

    // A press on one box and a release after moving on to another fires nothing.
    QTest::keyPress(pWindow, Qt::Key_Space);
    Key(pWindow, Qt::Key_Tab);
    Key(pWindow, Qt::Key_Tab);
    QTest::keyRelease(pWindow, Qt::Key_Space);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(page.KeyboardFocusLink(), &page.LinkRect(1));

    Key(pWindow, Qt::Key_Space);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_CALIBRATION);
    EXPECT_EQ(t.pCalibration->nCreated, 1);

    // Back on the start page the focus is gone until Tab is pressed again.
    t.pFrame->SwitchPage(PAGE_START);
    EXPECT_EQ(page.KeyboardFocusLink(), nullptr);
    Key(pWindow, Qt::Key_Enter);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    Key(pWindow, Qt::Key_Backtab, Qt::ShiftModifier);
    Key(pWindow, Qt::Key_Enter);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
}

TEST(PageAccessibility, KeysReachEachPageShownAfterASwitch)
{
    FrameFixture t("TOSHIBA MK4019GAX", "");
    t.pFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.pFrame.get()));
    t.StartWindow()->setFocus();
    t.PaintedLink(1);
    Key(t.StartWindow(), Qt::Key_Backtab);
    Key(t.StartWindow(), Qt::Key_Return);
    ASSERT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
    EXPECT_EQ(QApplication::focusWidget(), t.pLatitude->Window());
    t.pFrame->SwitchPage(PAGE_START);
    EXPECT_EQ(QApplication::focusWidget(), t.StartWindow());
}

TEST(PageAccessibility, FocusIsDrawnInsideTheBoxOnlyAfterTab)
{
    FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    QWidget* pWindow = t.StartWindow();
    const QImage before = ClientPixels(pWindow);
    const Rect rcBox = t.PaintedLink(2);

    // Mouse use, Enter without focus and a screen reader's reading leave every pixel as it was.
    t.Move(rcBox.left + 3, rcBox.top + 3);
    t.Move(5, 5);
    Key(pWindow, Qt::Key_Space);
    AccessibleTree(pWindow);
    EXPECT_EQ(ClientPixels(pWindow), before);

    Key(pWindow, Qt::Key_Tab);
    Key(pWindow, Qt::Key_Tab);
    const QImage focused = ClientPixels(pWindow);
    // A dotted ring one pixel inside the outline, every other pixel set.
    EXPECT_EQ(DifferingPixels(before, focused),
              QRect(rcBox.left + 1, rcBox.top + 1, rcBox.Width() - 2, rcBox.Height() - 2));
    const QRgb ink = focused.pixel(rcBox.left, rcBox.top);
    EXPECT_EQ(focused.pixel(rcBox.left + 1, rcBox.top + 1), ink);
    EXPECT_NE(focused.pixel(rcBox.left + 2, rcBox.top + 1), ink);
    EXPECT_EQ(focused.pixel(rcBox.left + 3, rcBox.top + 1), ink);
    EXPECT_NE(focused.pixel(rcBox.left + 1, rcBox.top + 2), ink);
    EXPECT_EQ(focused.pixel(rcBox.left + 1, rcBox.top + 3), ink);
    QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
    focused.save(QStringLiteral(QUORVEL_SCREENSHOT_DIR "/start-keyboard-focus-640x480.png"));

    // A new visit of the start page shows it as the mouse user knows it.
    t.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.pFrame->SwitchPage(PAGE_START);
    QCoreApplication::processEvents();
    EXPECT_EQ(ClientPixels(pWindow), before);
}

TEST(PageAccessibility, KeyboardFocusIsAnnouncedAndReadAsFocused)
{
    REQUIRE_LISTENING_ACCESSIBILITY();
    RecordedAccessibilityEvents events;
    FrameFixture t("TOSHIBA MK4019GAX", "rabcdefghijklmnopq");
    QWidget* pWindow = t.StartWindow();
    t.pFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.pFrame.get()));
    pWindow->setFocus();
    ASSERT_TRUE(pWindow->hasFocus());
    AccessibleTree(pWindow);
    events.Take(pWindow);

    Key(pWindow, Qt::Key_Tab);
    using E = RecordedAccessibilityEvents::Event;
    EXPECT_EQ(events.Take(pWindow),
              (std::vector<E>{{QAccessible::Focus, 3, QStringLiteral("Festplatte für die Navigation erneut kalibrieren")}}));
    // Back to the page itself, which a screen reader then reads as the focus.
    Key(pWindow, Qt::Key_Backtab);
    EXPECT_EQ(PageInterface(pWindow)->focusChild(), PageInterface(pWindow));
    Key(pWindow, Qt::Key_Backtab);
    EXPECT_EQ(events.Take(pWindow), (std::vector<E>{{QAccessible::Focus, 5, s_strLatitude}}));
    const std::vector<AccessibleNode> tree = AccessibleTree(pWindow);
    EXPECT_TRUE(tree[5].bFocused);
    EXPECT_FALSE(tree[3].bFocused);
    EXPECT_EQ(PageInterface(pWindow)->focusChild(), PageInterface(pWindow)->child(5));
}
