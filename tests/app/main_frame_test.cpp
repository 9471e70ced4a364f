#include "frame_fixture.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <gtest/gtest.h>

TEST(MainFrame, SwitchPageVisitsAndReturns)
{
    FrameFixture t;
    t.pFrame->SwitchPage(PAGE_START); // the page already shown: nothing
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_TRUE(t.messageBox.shown.empty());

    t.pFrame->SwitchPage(PAGE_LATITUDE);
    ASSERT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
    QWidget* pVisit = t.pLatitude->Window();
    ASSERT_NE(pVisit, nullptr);
    t.pFrame->SwitchPage(PAGE_LATITUDE);
    EXPECT_EQ(t.pLatitude->nCreated, 1);
    EXPECT_EQ(t.pLatitude->Window(), pVisit);

    t.pFrame->SwitchPage(PAGE_START);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(t.pLatitude->nDestroyed, 1);
    EXPECT_EQ(t.pLatitude->Window(), nullptr);
    EXPECT_TRUE(t.StartWindow()->isVisible());

    t.pFrame->SwitchPage(PAGE_LATITUDE);
    EXPECT_EQ(t.pLatitude->nCreated, 2);

    // An index that names no page changes nothing and shows nothing.
    for (int nPage : {-1, PAGE_COUNT, 1000}) {
        t.pFrame->SwitchPage(nPage);
        EXPECT_EQ(t.pFrame->Page(nPage), nullptr) << nPage;
    }
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_LATITUDE);
    EXPECT_EQ(t.pLatitude->nCreated, 2);
    EXPECT_EQ(t.pLatitude->nDestroyed, 1);
    EXPECT_TRUE(t.messageBox.shown.empty());

    // A second Create while the visit's window exists is refused and keeps that window.
    QWidget* pLive = t.pLatitude->Window();
    EXPECT_FALSE(t.pLatitude->Create(t.pFrame.get(), *t.pFrame));
    EXPECT_EQ(t.pLatitude->Window(), pLive);
    EXPECT_EQ(t.pLatitude->nCreated, 2);
}

TEST(MainFrame, MissingOrFailingPageKeepsTheStartPage)
{
    FrameFixture t;
    t.pFrame->SwitchPage(PAGE_NAVIGATION);
    ASSERT_EQ(t.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.messageBox.shown[0].strText, "Not yet implemented");
    EXPECT_EQ(t.messageBox.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);

    t.pCalibration->bFailCreation = true;
    t.pFrame->SwitchPage(PAGE_CALIBRATION);
    ASSERT_EQ(t.messageBox.shown.size(), 2u);
    EXPECT_EQ(t.messageBox.shown[1].strText, "Ansichtsfenster konnte nicht erstellt werden");
    EXPECT_EQ(t.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(t.pCalibration->Window(), nullptr);
    EXPECT_TRUE(t.StartWindow()->isVisible());

    // The direction commands still work, since the start page is current.
    theApp.SetDirection(-1);
    EXPECT_EQ(theApp.m_nDirection, -1);
}

TEST(MainFrame, PageFillsWhatTheStatusBarLeaves)
{
    FrameFixture t;
    auto expectFilled = [&t](QWidget* pPage) {
        QCoreApplication::processEvents();
        const QRect central = t.pFrame->centralWidget()->geometry();
        EXPECT_EQ(pPage->size(), central.size());
        EXPECT_EQ(central.bottom() + 1, t.pFrame->statusBar()->geometry().top());
        EXPECT_EQ(central.top(), t.pFrame->menuBar()->geometry().bottom() + 1);
    };
    expectFilled(t.StartWindow());

    t.pFrame->SwitchPage(PAGE_CALIBRATION);
    expectFilled(t.pCalibration->Window());
    t.pFrame->resize(500, 420);
    expectFilled(t.pCalibration->Window());
    t.pFrame->SwitchPage(PAGE_START);
    expectFilled(t.StartWindow());
    EXPECT_EQ(t.StartWindow()->width(), 500);
}

TEST(MainFrame, SizeLimits)
{
    FrameFixture t;
    EXPECT_EQ(t.pFrame->size(), QSize(640, 480));
    EXPECT_EQ(t.pFrame->minimumSize(), QSize(290, 400));
    t.pFrame->resize(100, 100);
    EXPECT_EQ(t.pFrame->size(), QSize(290, 400));
}

TEST(MainFrame, ActivationFocusesTheCurrentPage)
{
    FrameFixture t;
    t.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.pFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.pFrame.get()));
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(t.pFrame.get(), &activate);
    EXPECT_TRUE(t.pCalibration->Window()->hasFocus());
}

TEST(MainFrame, StatusBarShowsReadyPromptsAndLocks)
{
    FrameFixture t;
    QStatusBar* pStatusBar = t.pFrame->statusBar();
    EXPECT_EQ(pStatusBar->currentMessage(), QStringLiteral("Bereit"));

    QAction* pStatusBarAction = nullptr;
    for (QAction* pAction : t.pFrame->menuBar()->findChildren<QAction*>())
        if (pAction->text() == QStringLiteral("Status&leiste"))
            pStatusBarAction = pAction;
    ASSERT_NE(pStatusBarAction, nullptr);
    EXPECT_EQ(pStatusBarAction->statusTip(), QStringLiteral("Blendet die Statusleiste ein oder aus."));
    pStatusBarAction->showStatusText(t.pFrame.get());
    EXPECT_EQ(pStatusBar->currentMessage(), QStringLiteral("Blendet die Statusleiste ein oder aus."));
    pStatusBar->clearMessage();
    EXPECT_EQ(pStatusBar->currentMessage(), QStringLiteral("Bereit"));

    auto paneTexts = [pStatusBar] {
        QStringList texts;
        for (QLabel* pLabel : pStatusBar->findChildren<QLabel*>())
            if (pLabel->frameStyle() == (QFrame::Panel | QFrame::Sunken))
                texts << pLabel->text();
        return texts;
    };
    EXPECT_EQ(paneTexts(), QStringList({"", "", ""}));
    t.keyboardLocks.locks = KeyboardLocks{true, false, true};
    QTest::keyClick(t.StartWindow(), Qt::Key_CapsLock);
    EXPECT_EQ(paneTexts(), QStringList({"UF", "", "RF"}));

    EXPECT_TRUE(pStatusBarAction->isChecked());
    pStatusBarAction->trigger();
    EXPECT_FALSE(pStatusBar->isVisible());
}
