#include "../app/accessibility_probe.h"
#include "../app/frame_fixture.h"
#include "../app/page_pixels.h"
#include "latitude/latitude_page.h"
#include "latitude/latitude_report.h"
#include "latitude/send_dlg.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <thread>

namespace {

struct FixedLocation : ILocationSource {
    std::optional<LocationCodes> codes;
    std::optional<LocationCodes> QueryLocation() override { return codes; }
};

// Simulated time that keeps pace with the page: a step waits while the GUI
// thread is far behind in applying the posted marker steps of the current visit.
struct PacedClock : ILatitudeClock {
    std::atomic<std::int64_t> nElapsedMs{0};
    std::int64_t Now() override { return 1'700'000'000 + nElapsedMs.load() / 1000; }
    void Sleep50Milliseconds() override
    {
        nElapsedMs += 50;
        const std::shared_ptr<LatitudeVisit> pVisit = Visit();
        // Waiting here is a safe point too: the page may be holding the threads.
        while (pVisit && pVisit->WindowAlive() && pVisit->m_nPostedSteps - pVisit->m_nAppliedSteps > 4000) {
            pVisit->m_gate.Pass();
            std::this_thread::yield();
        }
    }
    // Told by the page on the GUI thread; the threads never reach into the page for it.
    void SetVisit(std::shared_ptr<LatitudeVisit> pVisit)
    {
        std::lock_guard lock(mutex);
        pCurrent = std::move(pVisit);
    }
    std::shared_ptr<LatitudeVisit> Visit()
    {
        std::lock_guard lock(mutex);
        return pCurrent.lock();
    }
    std::mutex mutex;
    std::weak_ptr<LatitudeVisit> pCurrent;
};

// The page, telling the clock about each visit it starts.
struct PacedLatitudePage : CLatitudePage {
    PacedLatitudePage(ILocationSource& location, PacedClock& clock, DiskLoadOpen open)
        : CLatitudePage(location, clock, std::move(open)), m_clock(clock)
    {
    }
    bool OnCreate() override
    {
        const bool bCreated = CLatitudePage::OnCreate();
        m_clock.SetVisit(Visit());
        return bCreated;
    }
    PacedClock& m_clock;
};

struct LatitudeFixture {
    FixedLocation location;
    PacedClock clock;
    // What the disk-load thread opens; the program's own file unless a test says otherwise.
    std::function<DiskLoadRead()> openDiskLoad = [] { return OpenDiskLoadFile(); };
    CLatitudePage* pPage = nullptr;
    FrameFixture frame;

    explicit LatitudeFixture(std::optional<LocationCodes> codes, const std::string& strModel = "TOSHIBA MK4019GAX")
        : frame(strModel, "", [this] {
              ActivityPages pages;
              auto pLatitude =
                  std::make_unique<PacedLatitudePage>(location, clock, [this] { return openDiskLoad(); });
              pPage = pLatitude.get();
              pages.pLatitude = std::move(pLatitude);
              return pages;
          })
    {
        location.codes = std::move(codes);
    }

    // Lets the run go on until pDone says so, the GUI thread applying its steps.
    void RunUntil(const std::function<bool()>& pDone) const
    {
        while (!pDone())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    void Screenshot(const QString& strName) const
    {
        QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
        frame.pFrame->grab().save(QStringLiteral(QUORVEL_SCREENSHOT_DIR "/%1.png").arg(strName));
    }
};

} // namespace

TEST(LatitudePage, FullRunAroundMunichEndsInTheSendDialog)
{
    // A model byte above 0x7F names the drive as the start page shows it (Windows-1252);
    // 0xC4 keeps the model's rotation direction.
    LatitudeFixture t(LocationCodes{"49", "089"}, "TOSHIBA MK4019GAX\xC4");
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    ASSERT_EQ(t.frame.pFrame->CurrentPage(), PAGE_LATITUDE);
    EXPECT_NEAR(t.pPage->Location().m_dLatitudeBase, 48.13, 0.01);
    EXPECT_EQ(t.pPage->Location().m_dLatitudeScale, 6.5);
    const std::shared_ptr<LatitudeVisit> pVisit = t.pPage->Visit();

    t.RunUntil([&] { return t.pPage->Track().size() >= 3600; });
    t.Screenshot(QStringLiteral("latitude-running"));

    std::string strReport;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* pDialog = qobject_cast<CSendDlg*>(QApplication::activeModalWidget())) {
            strReport = pDialog->findChild<QPlainTextEdit*>()->toPlainText().toStdString();
            pDialog->grab().save(QStringLiteral(QUORVEL_SCREENSHOT_DIR "/send-dialog-after-run.png"));
            pDialog->reject();
        }
    });
    closer.start(10);
    t.RunUntil([&] { return !pVisit->m_bMeasuring; });

    EXPECT_EQ(t.pPage->Track().size(), 86'400u);
    EXPECT_FALSE(pVisit->m_bDiskRun);
    const DegreesMinutes last = DisplayedLatitude(t.pPage->Track().back().value, 6.5,
                                                  t.pPage->Location().m_dLatitudeBase);
    EXPECT_NEAR(last.nDegrees + last.nMinutes / 60.0, t.pPage->Location().m_dLatitudeBase, 0.3);
    ASSERT_FALSE(strReport.empty());
    const std::string strShown = t.pPage->EstimateText().toStdString();
    const std::string strMeasured = strReport.substr(strReport.find("Gemessen:\t") + 10, 7);
    EXPECT_EQ(strShown.substr(strShown.find(": ") + 2, 7), strMeasured);
    EXPECT_NE(strReport.find("RL-API:\tV 4.49\n"), std::string::npos) << strReport;
    EXPECT_NE(strReport.find("\nPlattentyp:\tTOSHIBA MK4019GAX\u00c4\n"), std::string::npos) << strReport;

    // After a complete run "Abbrechen" asks nothing.
    const Rect rcCancel = t.pPage->LinkRect(PAGE_START);
    t.pPage->OnMouseMove(rcCancel.left + 2, rcCancel.top + 2);
    t.pPage->OnLButtonDown(rcCancel.left + 2, rcCancel.top + 2);
    t.pPage->OnLButtonUp(rcCancel.left + 2, rcCancel.top + 2);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_TRUE(t.frame.messageBox.shown.empty());
}

TEST(LatitudePage, CancelAsksWhileRunningAndNoKeepsTheRunAsItWas)
{
    LatitudeFixture t(std::nullopt);
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    const std::shared_ptr<LatitudeVisit> pVisit = t.pPage->Visit();
    t.RunUntil([&] { return t.pPage->Track().size() >= 3; });
    t.pPage->Window()->grab();
    const Rect rcCancel = t.pPage->LinkRect(PAGE_START);
    const int x = (rcCancel.left + rcCancel.right) / 2, y = (rcCancel.top + rcCancel.bottom) / 2;

    std::size_t nTrackWhileAsked = 0;
    std::uint64_t nPostedWhileAsked = 0;
    std::uint64_t nPostedAfterAWhile = 0;
    t.frame.messageBox.answer = MessageAnswer::No;
    bool bBothParked = false;
    t.frame.messageBox.onShow = [&] {
        // Both threads park at their next safe point; from then on, however long the question
        // stays open, the measurement makes no step, and steps already on their way are not
        // drawn. A thread left running would post its next step well within the bound below.
        bBothParked = pVisit->m_gate.WaitUntilParked(2, std::chrono::seconds(20));
        nTrackWhileAsked = t.pPage->Track().size();
        nPostedWhileAsked = pVisit->m_nPostedSteps;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        while (pVisit->m_nPostedSteps == nPostedWhileAsked && std::chrono::steady_clock::now() < deadline) {
            QCoreApplication::processEvents();
            std::this_thread::yield();
        }
        nPostedAfterAWhile = pVisit->m_nPostedSteps;
        EXPECT_EQ(t.pPage->Track().size(), nTrackWhileAsked);
    };
    t.pPage->OnMouseMove(x, y);
    t.pPage->OnLButtonDown(x, y);
    t.pPage->OnLButtonUp(x, y);
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_TRUE(bBothParked);
    EXPECT_EQ(nPostedAfterAWhile, nPostedWhileAsked);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, "Sind Sie sicher?");
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_LATITUDE);
    t.RunUntil([&] { return t.pPage->Track().size() > nTrackWhileAsked + 2; });

    t.frame.messageBox.onShow = {};
    t.frame.messageBox.answer = MessageAnswer::Yes;
    t.pPage->OnLButtonUp(x, y);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_TRUE(pVisit->m_bStop);
    EXPECT_FALSE(pVisit->WindowAlive());

    // A new visit starts an empty track and a run of its own.
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    EXPECT_TRUE(t.pPage->Track().empty());
    EXPECT_NE(t.pPage->Visit(), pVisit);
}

TEST(LatitudePage, WrongDirectionShowsImplausibleValuesAndReturns)
{
    LatitudeFixture t(LocationCodes{"49", "089"});
    theApp.m_nDirection = -theApp.m_nModelDirection;
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    EXPECT_EQ(t.pPage->Location().m_dLatitudeBase, 37.0);
    t.RunUntil([&] { return t.frame.pFrame->CurrentPage() == PAGE_START; });
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(t.pPage->Track().size(), 120u);
}

TEST(LatitudePage, DialAndBottomRowSitWhereTheMarginsPutThem)
{
    // A run held at its first step, so only the markers this test draws move.
    struct HeldClock : ILatitudeClock {
        std::atomic<bool> bEnd{false};
        std::int64_t Now() override { return 1'700'000'000; }
        void Sleep50Milliseconds() override { bEnd.wait(false); }
    } clock;
    FixedLocation location;
    // No disk reads: the file cannot be opened.
    CLatitudePage page(location, clock, [] { return DiskLoadRead(); });
    FakeMainFrame host;
    ASSERT_TRUE(page.Create(nullptr, host));
    page.Window()->resize(640, 480);
    page.Window()->show();
    QCoreApplication::processEvents();
    const QSize client = page.Window()->contentsRect().size();
    const int W = client.width(), H = client.height();

    // One stored point for the estimate text, then the marker at the dial's four compass points.
    page.DrawMarker({{0.3, 1.4}, true, 1});
    const QImage withText = page.Window()->grab(page.Window()->contentsRect()).toImage();
    // A client of 636 by 476: "Abbrechen" 15 pixels from the right and lower edges, 19 rows high.
    ASSERT_EQ(client, QSize(636, 476));
    EXPECT_EQ(FirstDark(withText, W - 1, H - 16, -1, 0), W - 16);
    EXPECT_EQ(FirstDark(withText, W - 16, H - 1, 0, -1), H - 16);
    EXPECT_EQ(TopOfLine(withText, W - 16, H - 16), 442);
    EXPECT_GT(FirstDark(withText, 0, H - 20, 1, 0), 14);
    for (int y = H - 15; y < H; ++y)
        EXPECT_EQ(FirstDark(withText, 0, y, 1, 0), -1) << y;

    // The dial: from 10 rows below the title (rows 10 to 29) to 10 above the box, rows 40 to 431,
    // 392 square, centred between the 15-pixel margins from column 122: centre (318, 236), and a
    // radius of two thirds of 196, 130.67, which the cross positions truncate.
    const struct {
        double dAngle;
        int x;
        int y;
    } points[] = {{0.0, 448, 236}, {1.5707963267948966, 318, 366}, {3.141592653589793, 187, 236}, {4.71238898038469, 318, 105}};
    for (const auto& point : points) {
        page.DrawMarker({{point.dAngle, 1.0}, false, 1});
        const QImage image = page.Window()->grab(page.Window()->contentsRect()).toImage();
        EXPECT_TRUE(CrossAt(image, point.x, point.y)) << point.dAngle << ": " << point.x << ", " << point.y;
    }
    clock.bEnd = true;
    clock.bEnd.notify_all();
}

TEST(LatitudePage, CancelAsksAtOnceWhileADiskReadHangsAndNoNewReadStartsUntilTheAnswer)
{
    LatitudeFixture t(std::nullopt);
    constexpr std::chrono::seconds bound(20);
    std::promise<void> readMayEnd;
    const std::shared_future<void> readEnds = readMayEnd.get_future().share();
    std::atomic<int> nReadsBegun{0};
    std::atomic<bool> bInRead{false};
    // A read stuck behind other I/O: it ends when the test lets it, or after the bound.
    t.openDiskLoad = [&]() -> DiskLoadRead {
        return [&nReadsBegun, &bInRead, readEnds, bound] {
            ++nReadsBegun;
            bInRead = true;
            readEnds.wait_for(bound);
            bInRead = false;
            return true;
        };
    };
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    const std::shared_ptr<LatitudeVisit> pVisit = t.pPage->Visit();
    t.RunUntil([&] { return t.pPage->Track().size() >= 2 && nReadsBegun == 1; });
    t.pPage->Window()->grab();
    const Rect rcCancel = t.pPage->LinkRect(PAGE_START);
    const int x = (rcCancel.left + rcCancel.right) / 2, y = (rcCancel.top + rcCancel.bottom) / 2;

    bool bReadHangingWhenAsked = false;
    bool bBothParked = false;
    int nReadsWhileOpen = 0;
    std::size_t nTrackWhenAsked = 0;
    std::size_t nTrackWhileOpen = 0;
    t.frame.messageBox.answer = MessageAnswer::No;
    t.frame.messageBox.onShow = [&] {
        bReadHangingWhenAsked = bInRead;
        nTrackWhenAsked = t.pPage->Track().size();
        // The read ends while the question is open: the thread parks instead of reading again.
        readMayEnd.set_value();
        bBothParked = pVisit->m_gate.WaitUntilParked(2, bound);
        QCoreApplication::processEvents();
        nReadsWhileOpen = nReadsBegun;
        nTrackWhileOpen = t.pPage->Track().size();
    };
    t.pPage->OnMouseMove(x, y);
    t.pPage->OnLButtonDown(x, y);
    t.pPage->OnLButtonUp(x, y);

    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, "Sind Sie sicher?");
    EXPECT_TRUE(bReadHangingWhenAsked);
    EXPECT_TRUE(bBothParked);
    EXPECT_EQ(nReadsWhileOpen, 1);
    EXPECT_EQ(nTrackWhileOpen, nTrackWhenAsked);
    // "Nein": reading and measuring go on.
    t.RunUntil([&] { return nReadsBegun > 1 && t.pPage->Track().size() > nTrackWhenAsked; });
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_LATITUDE);
}

TEST(LatitudePage, ReadsAsDrawnAndCancelsByKeyboardOrScreenReaderAsAClickDoes)
{
    LatitudeFixture t(std::nullopt);
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    QWidget* pWindow = t.pPage->Window();
    using R = QAccessible::Role;

    // Before the first stored point there is no estimate to read.
    std::vector<AccessibleNode> tree = AccessibleTree(pWindow);
    EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), QStringLiteral("Abbrechen")}));
    EXPECT_EQ(Roles(tree), (std::vector<R>{R::StaticText, R::Button}));
    EXPECT_EQ(PageInterface(pWindow)->text(QAccessible::Name), QStringLiteral("Langzeitmessung"));
    EXPECT_EQ(tree[1].rect, ScreenRect(pWindow, t.pPage->LinkRect(PAGE_START)));
    EXPECT_TRUE(tree[1].bFocusable);

    t.RunUntil([&] { return t.pPage->Track().size() >= 3; });
    tree = AccessibleTree(pWindow);
    ASSERT_EQ(tree.size(), 3u);
    EXPECT_EQ(tree[2].strName, t.pPage->EstimateText());
    EXPECT_TRUE(tree[2].strName.startsWith(QStringLiteral("Letzte Schätzung: ")));
    EXPECT_EQ(tree[2].role, R::StaticText);

    // Tab, then Enter: the question, as a click asks it.
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), &t.pPage->LinkRect(PAGE_START));
    // The page itself, then "Abbrechen" again.
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), nullptr);
    Key(pWindow, Qt::Key_Tab);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), &t.pPage->LinkRect(PAGE_START));
    t.frame.messageBox.answer = MessageAnswer::No;
    Key(pWindow, Qt::Key_Return);
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, "Sind Sie sicher?");
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_LATITUDE);

    const std::shared_ptr<LatitudeVisit> pVisit = t.pPage->Visit();
    t.frame.messageBox.answer = MessageAnswer::Yes;
    PressAccessible(AccessibleChild(pWindow, QStringLiteral("Abbrechen")));
    EXPECT_EQ(t.frame.messageBox.shown.size(), 2u);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_TRUE(pVisit->m_bStop);
}

TEST(LatitudePage, AnnouncesTheFirstEstimateAndEachNewAccuracyOnly)
{
    REQUIRE_LISTENING_ACCESSIBILITY();
    RecordedAccessibilityEvents events;
    LatitudeFixture t(std::nullopt);
    t.frame.pFrame->SwitchPage(PAGE_LATITUDE);
    QWidget* pWindow = t.pPage->Window();

    t.RunUntil([&] { return !t.pPage->Track().empty(); });
    std::vector<QString> heard = News(events.Take(pWindow));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].startsWith(QStringLiteral("Letzte Schätzung: ")));
    // A minute's estimates, every one drawn, none said; then the next percent is.
    const QString strFirstAccuracy = heard[0].section(QLatin1Char('\n'), 1);
    t.RunUntil([&] { return t.pPage->Track().size() > 60; });
    EXPECT_TRUE(News(events.Take(pWindow)).empty());
    t.RunUntil([&] { return t.pPage->EstimateText().section(QLatin1Char('\n'), 1) != strFirstAccuracy; });
    heard = News(events.Take(pWindow));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_TRUE(heard[0].startsWith(QStringLiteral("Letzte Schätzung: ")));
    EXPECT_NE(heard[0].section(QLatin1Char('\n'), 1), strFirstAccuracy);
}
