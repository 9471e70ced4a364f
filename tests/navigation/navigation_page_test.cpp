#include "../app/accessibility_probe.h"
#include "../app/client_at_ratio.h"
#include "../app/frame_fixture.h"
#include "../app/page_pixels.h"
#include "app/rand15.h"
#include "navigation/navigation_model.h"
#include "navigation/navigation_page.h"
#include "navigation/navigation_plot.h"
#include "stepped_pauses.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr std::int64_t s_nFirstSeed = 1'700'000'000;

// The first update a visit's thread publishes, for a thread seeded with nSeed.
NavigationUpdate FirstUpdate(std::int64_t nSeed)
{
    Rand15 rand(static_cast<std::uint32_t>(nSeed));
    SpeedHold hold;
    NavigationState state = StartNavigation(rand);
    NavigationTick(state, hold, rand);
    return {state.pos, state.dCourse, state.dSpeed};
}

bool AnyDark(const QImage& image, const QRect& rc)
{
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x)
            if (Dark(image, x, y))
                return true;
    return false;
}

struct NavigationFixture {
    SteppedPauses pauses;
    QTemporaryDir diskRoot;
    std::atomic<std::int64_t> nSeed{s_nFirstSeed};
    CNavigationPage* pPage = nullptr;
    FrameFixture frame;

    NavigationFixture()
        : frame("TOSHIBA MK4019GAX", "rabcdefghijklmnopq", [this] {
              ActivityPages pages;
              auto pNavigation = std::make_unique<CNavigationPage>(
                  NavigationPageServices{[this] { return nSeed.load(); }, pauses.Function(), diskRoot.path().toStdString()});
              pPage = pNavigation.get();
              pages.pNavigation = std::move(pNavigation);
              return pages;
          })
    {
    }

    ~NavigationFixture()
    {
        if (frame.pFrame->CurrentPage() != PAGE_START)
            frame.pFrame->SwitchPage(PAGE_START);
        pauses.EndAll();
    }

    QWidget* Window() const { return pPage->Window(); }

    // Enters the page and lets its thread's first tick reach the page.
    void EnterAndApplyFirstTick()
    {
        const int nFirstPause = pauses.Begun() + 1;
        frame.pFrame->SwitchPage(PAGE_NAVIGATION);
        ASSERT_NE(Window(), nullptr);
        ASSERT_TRUE(pauses.WaitForPause(nFirstPause));
        QCoreApplication::sendPostedEvents();
    }
    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(pauses.Step());
        QCoreApplication::sendPostedEvents();
    }
    QImage Client() const { return Window()->grab(Window()->contentsRect()).toImage(); }
    // The client area painted from nothing, at the same size.
    QImage RepaintedFromScratch()
    {
        const QSize size = frame.pFrame->size();
        frame.pFrame->resize(size + QSize(1, 0));
        QCoreApplication::processEvents();
        frame.pFrame->resize(size);
        QCoreApplication::processEvents();
        return Client();
    }
    QPoint Centre(const Rect& rc) const { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

    void Move(QPoint pt) { Send(QEvent::MouseMove, Qt::NoButton, pt); }
    void Press(QPoint pt)
    {
        m_buttons = Qt::LeftButton;
        Send(QEvent::MouseButtonPress, Qt::LeftButton, pt);
    }
    void Release(QPoint pt)
    {
        m_buttons = Qt::NoButton;
        Send(QEvent::MouseButtonRelease, Qt::LeftButton, pt);
    }
    void Click(QPoint pt)
    {
        Move(pt);
        Press(pt);
        Release(pt);
    }
    void Screenshot(const QString& strName) const
    {
        QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
        EXPECT_TRUE(frame.pFrame->grab().save(QStringLiteral(QUORVEL_SCREENSHOT_DIR "/navigation-%1.png").arg(strName)));
    }

private:
    void Send(QEvent::Type type, Qt::MouseButton button, QPoint pt) const
    {
        QWidget* pWindow = Window();
        const QPointF point = pt + pWindow->contentsRect().topLeft();
        QMouseEvent event(type, point, pWindow->mapToGlobal(point), button, m_buttons, Qt::NoModifier);
        QApplication::sendEvent(pWindow, &event);
    }
    Qt::MouseButtons m_buttons = Qt::NoButton;
};

} // namespace

TEST(NavigationPage, PaintBeforeTheFirstTickShowsThePlotAndMarkerButNoStatusText)
{
    NavigationFixture t;
    t.frame.pFrame->SwitchPage(PAGE_NAVIGATION);
    ASSERT_NE(t.Window(), nullptr);
    // The first tick may already be queued; until it is applied the track is empty.
    const QImage before = t.Client();
    ASSERT_TRUE(t.pPage->Track().empty());
    const int W = before.width(), H = before.height();

    // The bottom row as painted at 640 by 480 (a client of 636 by 435): both boxes 15 pixels
    // above the lower edge, 19 rows high (a line of 15 and 2 on either side), "Abbrechen" 15 from
    // the right, "Geschw. auf 0", 86 wide, centred: (636 - 86) / 2 = 275.
    ASSERT_EQ(before.size(), QSize(636, 435));
    EXPECT_EQ(FirstDark(before, W - 1, H - 16, -1, 0), W - 16);
    EXPECT_EQ(FirstDark(before, W - 16, H - 1, 0, -1), H - 16);
    EXPECT_EQ(TopOfLine(before, W - 16, H - 16), 401);
    EXPECT_EQ(FirstDark(before, 0, H - 16, 1, 0), 275);
    EXPECT_TRUE(Dark(before, 360, H - 16));
    EXPECT_FALSE(Dark(before, 361, H - 16));
    EXPECT_EQ(TopOfLine(before, 275, H - 16), 401);
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE(t.pPage->LinkRect(i).IsEmpty());

    // The plot square as painted: from 10 rows below the title (rows 10 to 29) to 10 above the
    // boxes, rows 40 to 390, 351 high; as it is wider than high, 350 wide (twice its integer
    // half), centred between the 15-pixel margins: columns 143 to 492.
    EXPECT_EQ(FirstDark(before, W / 2 + 20, 400, 0, -1), 390);
    EXPECT_EQ(FirstDark(before, W / 2 + 20, 389, 0, -1), 40);
    EXPECT_EQ(FirstDark(before, 0, 43, 1, 0), 143);
    EXPECT_EQ(FirstDark(before, W - 1, 43, -1, 0), 492);
    EXPECT_EQ(t.pPage->PlotRect(), (Rect{143, 40, 493, 391}));

    // The cross at the centre: its arms, not its inverted-twice middle, and nothing beyond.
    const QPoint c = t.pPage->MapToPlot({0.0, 0.0});
    EXPECT_EQ(c, QPoint(318, 215));
    for (int d : {-5, -1, 1, 5}) {
        EXPECT_TRUE(Dark(before, c.x() + d, c.y())) << d;
        EXPECT_TRUE(Dark(before, c.x(), c.y() + d)) << d;
    }
    EXPECT_FALSE(Dark(before, c.x(), c.y()));
    EXPECT_FALSE(Dark(before, c.x() + 6, c.y()));
    EXPECT_FALSE(Dark(before, c.x(), c.y() - 6));

    const QRect rcStatusArea(15, H - 15 - 30, 70, 30);
    EXPECT_FALSE(AnyDark(before, rcStatusArea));

    ASSERT_TRUE(t.pauses.WaitForPause(1));
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(t.pPage->Track().size(), 1u);
    const QImage after = t.Client();
    EXPECT_TRUE(AnyDark(after, rcStatusArea));
    // The status text keeps 15 pixels from the left and lower edges.
    EXPECT_FALSE(AnyDark(after, QRect(0, H - 15, W / 2 - 60, 15)));
    EXPECT_FALSE(AnyDark(after, QRect(0, H - 60, 15, 60)));
}

TEST(NavigationPage, TicksDrawOnlyTheirChangeAndMatchAFullRepaint)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    const QImage before = t.Client();
    const QPoint ptOld = t.pPage->MapToPlot(t.pPage->Position());

    const double dNewCourse = t.pPage->Course() + 0.5;
    t.pPage->UpdatePosition({0.6, -0.9}, dNewCourse, 0.02);
    const QImage after = t.Client();
    const QPoint ptNew = t.pPage->MapToPlot({0.6, -0.9});

    // The old cross is gone: its arm ends show the background again; the new one is there.
    for (QPoint arm : {QPoint(-5, 0), QPoint(5, 0), QPoint(0, -5), QPoint(0, 5)}) {
        EXPECT_FALSE(Dark(after, ptOld.x() + arm.x(), ptOld.y() + arm.y()));
        EXPECT_TRUE(Dark(after, ptNew.x() + arm.x(), ptNew.y() + arm.y()));
    }
    // Outside the crosses, the segment and the status text nothing changed.
    const QRect rcSegment = QRect(ptOld, ptNew).normalized().adjusted(-6, -6, 6, 6);
    const QRect rcStatus(0, after.height() - 50, after.width() / 2 - 50, 50);
    int nChangedOutside = 0;
    int nChangedInside = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            ++(rcSegment.contains(x, y) || rcStatus.contains(x, y) ? nChangedInside : nChangedOutside);
        }
    }
    EXPECT_EQ(nChangedOutside, 0);
    EXPECT_GT(nChangedInside, 20);

    // A repaint from scratch shows the same picture.
    EXPECT_EQ(t.RepaintedFromScratch(), after);
}

TEST(NavigationPage, SegmentsKeepTheirStartAndLeaveOutTheirEndInEveryDirectionAndTicksDrawAsAPaintAtEveryRatio)
{
    NavigationFixture t;
    for (const qreal dRatio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
        for (const QPoint d : {QPoint(1, 0), QPoint(1, 1), QPoint(0, 1), QPoint(-1, 1), QPoint(-1, 0), QPoint(-1, -1),
                               QPoint(0, -1), QPoint(1, -1)}) {
            SCOPED_TRACE(testing::Message() << "ratio " << dRatio << ", direction " << d.x() << ", " << d.y());
            // A visit of its own, its picture at this ratio, so the ticks draw into that.
            t.frame.pFrame->SwitchPage(PAGE_START);
            t.EnterAndApplyFirstTick();
            ClientAtRatio(*t.Window(), dRatio);
            const double dCourse = t.pPage->Course();
            const NavPoint posStart{0.3 * d.x(), 0.3 * d.y()}, posEnd{0.6 * d.x(), 0.6 * d.y()};
            t.pPage->UpdatePosition(posStart, dCourse + 0.1, 0.02);
            t.pPage->UpdatePosition(posEnd, dCourse + 0.2, 0.02);
            const QPoint s = t.pPage->MapToPlot(posStart), e = t.pPage->MapToPlot(posEnd);
            const QImage ticked = ClientAtRatio(*t.Window(), dRatio);
            const QRgb background = LogicalPixel(ticked, 1, 1);
            EXPECT_NE(LogicalPixel(ticked, s.x(), s.y()), background) << "the start";
            EXPECT_NE(LogicalPixel(ticked, s.x() + d.x() * 6, s.y() + d.y() * 6), background) << "the way";
            // The end is left out, so the cross's centre, inverted twice, keeps the background.
            EXPECT_EQ(LogicalPixel(ticked, e.x(), e.y()), background) << "the end";
            for (const QPoint arm : {QPoint(5, 0), QPoint(-5, 0), QPoint(0, 5), QPoint(0, -5)}) {
                // The arm that lies on the segment inverts it back to the background.
                const bool bOnSegment = arm / 5 == -d;
                EXPECT_EQ(LogicalPixel(ticked, e.x() + arm.x(), e.y() + arm.y()) == background, bOnSegment)
                    << "arm " << arm.x() << ", " << arm.y();
            }
            // A full repaint draws the same pixels as the ticks did.
            t.pPage->OnPaletteChange();
            EXPECT_EQ(ClientAtRatio(*t.Window(), dRatio), ticked);
        }
        // The cross on each edge of the frame and on a corner: its arms over the frame stay inverted.
        t.frame.pFrame->SwitchPage(PAGE_START);
        t.EnterAndApplyFirstTick();
        ClientAtRatio(*t.Window(), dRatio);
        double dCourse = t.pPage->Course();
        for (const NavPoint pos : {NavPoint{-1.5, 0.2}, NavPoint{1.5, -0.4}, NavPoint{0.3, -1.5}, NavPoint{-0.2, 1.5},
                                   NavPoint{-1.5, 1.5}}) {
            t.pPage->UpdatePosition(pos, dCourse += 0.1, 0.02);
            const QImage ticked = ClientAtRatio(*t.Window(), dRatio);
            t.pPage->OnPaletteChange();
            EXPECT_EQ(ClientAtRatio(*t.Window(), dRatio), ticked) << "at " << pos.x << ", " << pos.y << ", ratio " << dRatio;
        }
    }
    // The cross and the end of a segment drawn up and left, eight times enlarged, for people to look at.
    const QPoint c = t.pPage->MapToPlot(t.pPage->Position());
    QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
    EXPECT_TRUE(t.Client().copy(c.x() - 15, c.y() - 10, 31, 21).scaled(248, 168).save(
        QStringLiteral(QUORVEL_SCREENSHOT_DIR "/navigation-cross-8x.png")));
}

TEST(NavigationPage, ScaleGrowsWithinAVisitAndTheNextVisitStartsAfresh)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    ASSERT_EQ(t.pPage->Track().size(), 1u);
    EXPECT_EQ(t.pPage->Scale(), 1.5);
    t.Client();

    const double dCourse = t.pPage->Course();
    t.pPage->UpdatePosition({1.5, -1.5}, dCourse + 1.0, 0.01);
    EXPECT_EQ(t.pPage->Scale(), 1.5);
    t.pPage->UpdatePosition({1.75, -1.5}, dCourse + 2.0, 0.01);
    EXPECT_EQ(t.pPage->Scale(), 1.75);
    // The whole plot is redrawn smaller, the newest point on the square's right edge.
    const QImage smaller = t.Client();
    EXPECT_EQ(t.pPage->MapToPlot({1.75, 0.0}).x(), t.pPage->PlotRect().left + t.pPage->PlotRect().Width() / 2 * 2);
    EXPECT_EQ(smaller, t.RepaintedFromScratch());
    t.pPage->UpdatePosition({0.0, 0.0}, dCourse + 3.0, 0.01);
    EXPECT_EQ(t.pPage->Scale(), 1.75);

    // The next visit starts afresh but for the course and speed of the last tick.
    const double dLastCourse = t.pPage->Course();
    t.frame.pFrame->SwitchPage(PAGE_START);
    t.frame.pFrame->SwitchPage(PAGE_NAVIGATION);
    EXPECT_TRUE(t.pPage->Track().empty());
    EXPECT_EQ(t.pPage->Scale(), 1.5);
    EXPECT_EQ(t.pPage->Position(), (NavPoint{0.0, 0.0}));
    EXPECT_EQ(t.pPage->Course(), dLastCourse);
}

TEST(NavigationPage, LateUpdatesOfAnOldVisitNeverReachTheNextOne)
{
    NavigationFixture t;
    t.frame.pFrame->SwitchPage(PAGE_NAVIGATION);
    ASSERT_TRUE(t.pauses.WaitForPause(1)); // its first update is queued, not applied
    const std::shared_ptr<VisitControl> pOldVisit = t.pPage->Visit();
    t.frame.pFrame->SwitchPage(PAGE_START);
    t.nSeed = s_nFirstSeed + 7;
    t.frame.pFrame->SwitchPage(PAGE_NAVIGATION);
    ASSERT_TRUE(t.pauses.WaitForPause(2));
    EXPECT_NE(t.pPage->Visit(), pOldVisit);

    QCoreApplication::sendPostedEvents();
    const NavigationUpdate oldFirst = FirstUpdate(s_nFirstSeed);
    const NavigationUpdate newFirst = FirstUpdate(s_nFirstSeed + 7);
    ASSERT_NE(oldFirst.dCourse, newFirst.dCourse);
    ASSERT_EQ(t.pPage->Track().size(), 1u);
    EXPECT_EQ(t.pPage->Course(), newFirst.dCourse);
    EXPECT_EQ(t.pPage->Position(), newFirst.pos);

    // The old thread ends at the end of its pause and clears only its own run flag.
    t.pauses.EndOne();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (pOldVisit->m_bDiskRun && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_FALSE(pOldVisit->m_bDiskRun);
    EXPECT_TRUE(t.pPage->Visit()->m_bDiskRun);
}

TEST(NavigationPage, PageObjectGoingWithItsWindowOpenEndsAndJoinsItsThreads)
{
    QTemporaryDir diskRoot;
    FakeMainFrame host;
    std::shared_ptr<VisitControl> pVisit;
    std::atomic<VisitControl*> pControl{nullptr};
    std::atomic<int> nPauses{0};
    std::atomic<bool> bLeaving{false};
    std::atomic<bool> bStoppedByTest{false};
    {
        // No frame around it: the page alone must end its visit.
        const auto leftAt = std::make_shared<std::atomic<std::chrono::steady_clock::rep>>(0);
        CNavigationPage page(NavigationPageServices{
            [] { return s_nFirstSeed; },
            [&, leftAt](std::chrono::milliseconds) {
                ++nPauses;
                // A thread still ticking long after its page began to go was never told:
                // stop it, so the test fails instead of hanging in the join.
                if (bLeaving && std::chrono::steady_clock::now().time_since_epoch().count() - *leftAt >
                                    std::chrono::steady_clock::duration(std::chrono::seconds(20)).count()) {
                    bStoppedByTest = true;
                    pControl.load()->m_bStop = true;
                }
                std::this_thread::yield();
            },
            diskRoot.path().toStdString()});
        ASSERT_TRUE(page.Create(nullptr, host));
        pVisit = page.Visit();
        pControl = pVisit.get();
        while (nPauses < 3)
            std::this_thread::yield();
        *leftAt = std::chrono::steady_clock::now().time_since_epoch().count();
        bLeaving = true;
    }
    EXPECT_FALSE(bStoppedByTest);
    EXPECT_FALSE(pVisit->WindowAlive());
    // Both threads have ended: the measurement thread cleared the run flag as its last act,
    // and once the updates still queued for the gone page are dropped, only this test
    // holds the visit's control block.
    EXPECT_FALSE(pVisit->m_bDiskRun);
    const int nPausesAtEnd = nPauses;
    QCoreApplication::processEvents();
    EXPECT_EQ(pVisit.use_count(), 1);
    EXPECT_EQ(nPauses, nPausesAtEnd);
}

TEST(NavigationPage, ButtonsFireOnlyForPressAndReleaseOnTheSameButton)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    t.Client();
    const QPoint ptZero = t.Centre(t.pPage->SpeedZeroRect());
    const QPoint ptCancel = t.Centre(t.pPage->LinkRect(0));

    t.Move(ptZero);
    EXPECT_EQ(t.Window()->cursor().shape(), Qt::PointingHandCursor);
    t.Move({ptZero.x(), ptZero.y() - 40});
    EXPECT_EQ(t.Window()->cursor().shape(), Qt::ArrowCursor);
    t.Move(ptCancel);
    EXPECT_EQ(t.Window()->cursor().shape(), Qt::PointingHandCursor);

    // Moving from one button to the other clears the press.
    t.Press(ptCancel);
    t.Move(ptZero);
    t.Release(ptZero);
    t.Press(ptZero);
    t.Move(ptCancel);
    t.Release(ptCancel);
    EXPECT_TRUE(t.frame.messageBox.shown.empty());
    EXPECT_EQ(t.pPage->HoldTicks(), 0);

    t.Click(ptZero);
    EXPECT_EQ(t.pPage->HoldTicks(), 50);
    EXPECT_EQ(t.pPage->Speed(), 0.0);
    t.Ticks(3);
    EXPECT_EQ(t.pPage->HoldTicks(), 47);
    EXPECT_EQ(t.pPage->Speed(), 0.0);
    t.Click(ptZero);
    EXPECT_EQ(t.pPage->HoldTicks(), 50);
    EXPECT_TRUE(t.frame.messageBox.shown.empty());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_NAVIGATION);
}

TEST(NavigationPage, CancelQuestionHoldsEverythingStillAndOnlyYesLeaves)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    t.Client();
    const QPoint ptCancel = t.Centre(t.pPage->LinkRect(0));
    t.frame.messageBox.answer = MessageAnswer::No;

    // Moving, with a tick on its way when the question opens: it lands only after "Nein".
    t.Ticks(40);
    ASSERT_TRUE(t.pauses.Step());
    const NavPoint posMoving = t.pPage->Position();
    const QImage pictureMoving = t.Client();
    NavPoint posWhileOpen;
    QImage pictureWhileOpen;
    t.frame.messageBox.onShow = [&] {
        QCoreApplication::sendPostedEvents();
        posWhileOpen = t.pPage->Position();
        pictureWhileOpen = t.Client();
    };
    t.Click(ptCancel);
    EXPECT_EQ(posWhileOpen, posMoving);
    EXPECT_EQ(pictureWhileOpen, pictureMoving);
    EXPECT_NE(t.pPage->Position(), posMoving);

    // Held at speed 0, a pause ends while the question is open: no held tick goes.
    t.Click(t.Centre(t.pPage->SpeedZeroRect()));
    t.Ticks(2);
    ASSERT_EQ(t.pPage->HoldTicks(), 48);

    // One more tick is on its way to the page when the question opens.
    ASSERT_TRUE(t.pauses.Step());
    const NavPoint posBefore = t.pPage->Position();
    const std::size_t nTrackBefore = t.pPage->Track().size();
    const QImage pictureBefore = t.Client();
    std::vector<NavPoint> seenWhileOpen;
    QImage repaintedWhileOpen;
    int nHeldWhileOpen = -1;
    t.frame.messageBox.onShow = [&] {
        QCoreApplication::sendPostedEvents();
        seenWhileOpen.push_back(t.pPage->Position());
        // The pause ends while the question is open: the thread waits at the gate.
        t.pauses.EndOne();
        repaintedWhileOpen = t.Client();
        nHeldWhileOpen = t.pPage->HoldTicks();
    };
    const int nPausesBefore = t.pauses.Begun();
    t.Click(ptCancel);
    ASSERT_EQ(t.frame.messageBox.shown.size(), 2u);
    for (const FakeMessageBox::Shown& shown : t.frame.messageBox.shown) {
        EXPECT_EQ(shown.strText, "Sind Sie sicher?");
        EXPECT_EQ(shown.icon, MessageIcon::Question);
        EXPECT_EQ(shown.buttons, MessageButtons::YesNo);
    }
    ASSERT_EQ(seenWhileOpen.size(), 1u);
    EXPECT_EQ(seenWhileOpen[0], posBefore);
    EXPECT_EQ(repaintedWhileOpen, pictureBefore);
    EXPECT_EQ(nHeldWhileOpen, 47);

    // "Nein": the deferred tick lands at once, the held thread goes on.
    EXPECT_EQ(t.pPage->Track().size(), nTrackBefore);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_NAVIGATION);
    ASSERT_TRUE(t.pauses.WaitForPause(nPausesBefore + 1));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(t.pPage->HoldTicks(), 46);
    EXPECT_FALSE(t.pPage->Visit()->m_bStop);

    // "Ja": back to the start page; the thread ends at the end of its pause
    // without using up a held tick, and the next visit gets the rest of the hold.
    // Its pause ends while the question is open, so it waits at the gate when "Ja" comes.
    t.frame.messageBox.onShow = [&] { t.pauses.EndOne(); };
    t.frame.messageBox.answer = MessageAnswer::Yes;
    const std::shared_ptr<VisitControl> pVisit = t.pPage->Visit();
    const int nPausesAtYes = t.pauses.Begun();
    t.Click(ptCancel);
    EXPECT_EQ(t.frame.messageBox.shown.size(), 3u);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(t.pPage->Window(), nullptr);
    EXPECT_TRUE(pVisit->m_bStop);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (pVisit->m_bDiskRun && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_FALSE(pVisit->m_bDiskRun);
    EXPECT_EQ(t.pPage->HoldTicks(), 46);
    EXPECT_EQ(t.pauses.Begun(), nPausesAtYes);

    t.EnterAndApplyFirstTick();
    EXPECT_EQ(t.pPage->HoldTicks(), 45);
    EXPECT_EQ(t.pPage->Speed(), 0.0);
}

TEST(NavigationPage, ReadsAsDrawnAndPressesAsAClickDoes)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    using R = QAccessible::Role;
    std::vector<AccessibleNode> tree = AccessibleTree(t.Window());
    const QString strStatus = QString::fromStdString(CourseAndSpeedText(t.pPage->Course(), t.pPage->Speed()));
    EXPECT_TRUE(strStatus.startsWith(QStringLiteral("Kurs: ")));
    EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), QStringLiteral("Abbrechen"),
                                                 QStringLiteral("Geschw. auf 0"), strStatus}));
    EXPECT_EQ(Roles(tree), (std::vector<R>{R::StaticText, R::Button, R::Button, R::StaticText}));
    EXPECT_EQ(PageInterface(t.Window())->text(QAccessible::Name), QStringLiteral("Navigation"));
    EXPECT_EQ(tree[1].rect, ScreenRect(t.Window(), t.pPage->LinkRect(0)));
    EXPECT_EQ(tree[2].rect, ScreenRect(t.Window(), t.pPage->SpeedZeroRect()));

    // "Geschw. auf 0" pressed by the screen reader holds the speed, as a click does.
    PressAccessible(AccessibleChild(t.Window(), QStringLiteral("Geschw. auf 0")));
    EXPECT_EQ(t.pPage->HoldTicks(), 50);
    EXPECT_EQ(t.pPage->Speed(), 0.0);
    t.Ticks(1);
    QCoreApplication::processEvents();
    const QString strHeld = QString::fromStdString(CourseAndSpeedText(t.pPage->Course(), 0.0));
    EXPECT_EQ(AccessibleTree(t.Window())[3].strName, strHeld);

    // "Abbrechen" asks first; only "Ja" leaves.
    t.frame.messageBox.answer = MessageAnswer::No;
    PressAccessible(AccessibleChild(t.Window(), QStringLiteral("Abbrechen")));
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, "Sind Sie sicher?");
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_NAVIGATION);
    t.frame.messageBox.answer = MessageAnswer::Yes;
    t.frame.messageBox.onShow = [&] { t.pauses.EndOne(); };
    PressAccessible(AccessibleChild(t.Window(), QStringLiteral("Abbrechen")));
    EXPECT_EQ(t.frame.messageBox.shown.size(), 2u);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
}

TEST(NavigationPage, AnnouncesCourseAndSpeedOnlyAfterSpeedZero)
{
    REQUIRE_LISTENING_ACCESSIBILITY();
    RecordedAccessibilityEvents events;
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    t.Ticks(30);
    EXPECT_TRUE(News(events.Take(t.Window())).empty());

    PressAccessible(AccessibleChild(t.Window(), QStringLiteral("Geschw. auf 0")));
    // A tick that was on its way before the press still moves: it is not the one said.
    t.pPage->UpdatePosition(t.pPage->Position(), t.pPage->Course(), 0.5);
    EXPECT_TRUE(News(events.Take(t.Window())).empty());
    t.Ticks(1);
    const std::vector<QString> heard = News(events.Take(t.Window()));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].startsWith(QStringLiteral("Kurs: ")));
    EXPECT_TRUE(heard[0].endsWith(QStringLiteral("\nGeschwindigkeit: 000.00")));
    t.Ticks(5);
    EXPECT_TRUE(News(events.Take(t.Window())).empty());
}

TEST(NavigationPage, KeyboardReachesBothButtonsInDrawingOrder)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    QWidget* pWindow = t.Window();
    const QImage before = t.Client();

    Key(pWindow, Qt::Key_Space);
    EXPECT_EQ(t.pPage->HoldTicks(), 0);
    EXPECT_EQ(t.Client(), before);

    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), &t.pPage->LinkRect(0));
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), &t.pPage->SpeedZeroRect());
    const Rect rcZero = t.pPage->SpeedZeroRect();
    EXPECT_EQ(DifferingPixels(before, t.Client()),
              QRect(rcZero.left + 1, rcZero.top + 1, rcZero.Width() - 2, rcZero.Height() - 2));
    Key(pWindow, Qt::Key_Space);
    EXPECT_EQ(t.pPage->HoldTicks(), 50);
    EXPECT_TRUE(t.frame.messageBox.shown.empty());

    Key(pWindow, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), &t.pPage->LinkRect(0));
    t.frame.messageBox.answer = MessageAnswer::No;
    Key(pWindow, Qt::Key_Return);
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, "Sind Sie sicher?");
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_NAVIGATION);
    t.frame.messageBox.answer = MessageAnswer::Yes;
    t.frame.messageBox.onShow = [&] { t.pauses.EndOne(); };
    Key(pWindow, Qt::Key_Enter);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);

    // The next visit shows no focus until Tab.
    t.EnterAndApplyFirstTick();
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), nullptr);
}

TEST(NavigationPage, ScreenshotsAfterManyTicks)
{
    NavigationFixture t;
    t.EnterAndApplyFirstTick();
    t.Client();
    for (int i = 0; i < 60; ++i)
        t.Ticks(50);
    const Rect rcWide = t.pPage->PlotRect();
    const double dScale = t.pPage->Scale();
    EXPECT_GT(t.pPage->Track().size(), 20u);
    t.Screenshot(QStringLiteral("640x480"));

    // A resize repaints everything in the new square at the scale the ticks reached: the
    // marker lands where that scale maps the position, measured in the painted picture.
    ASSERT_GT(dScale, 1.5);
    t.frame.pFrame->resize(290, 400);
    QCoreApplication::processEvents();
    t.Screenshot(QStringLiteral("290x400"));
    const Rect& rcPlot = t.pPage->PlotRect();
    EXPECT_LT(rcPlot.Width(), rcWide.Width());
    const int nHalf = rcPlot.Width() / 2;
    const NavPoint pos = t.pPage->Position();
    const int x = static_cast<int>((rcPlot.left + nHalf) + nHalf * (pos.x * (1 / dScale)));
    const int y = static_cast<int>((rcPlot.top + nHalf) + nHalf * (pos.y * (1 / dScale)));
    // The track runs into the cross, so look for at least two whole arms ending after 5 pixels.
    const QImage resized = t.Client();
    int nWholeArms = 0;
    for (QPoint arm : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
        bool bWhole = !Dark(resized, x + 6 * arm.x(), y + 6 * arm.y());
        for (int d = 1; d <= 5; ++d)
            bWhole = bWhole && Dark(resized, x + d * arm.x(), y + d * arm.y());
        nWholeArms += bWhole;
    }
    EXPECT_GE(nWholeArms, 2) << x << ", " << y;
}
