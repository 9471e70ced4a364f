#include "../app/accessibility_probe.h"
#include "../app/frame_fixture.h"
#include "calibration/calibration_page.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <QCursor>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>


namespace {

// What the leg timer of one visit was asked to do; it outlives the visit's timer.
struct LegTimerRecord {
    std::function<void()> fnTick;
    bool bRunning = false;
    int nStarts = 0;
};

struct ManualLegTimer : ILegTimer {
    std::shared_ptr<LegTimerRecord> pRecord;
    void Start(std::function<void()> fnNewTick) override
    {
        pRecord->fnTick = std::move(fnNewTick);
        pRecord->bRunning = true;
        ++pRecord->nStarts;
    }
    void Stop() override { pRecord->bRunning = false; }
};

bool Dark(const QImage& image, int x, int y)
{
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

// A run of dark pixels crossing a line: where it was met, where its middle lies and how thick it is.
struct Crossing {
    int nFirst = -1;
    int nMiddle = -1;
    int nThickness = 0;
};

// The first dark run met walking from (x, y) in steps of (dx, dy).
Crossing FirstCrossing(const QImage& image, int x, int y, int dx, int dy)
{
    while (image.rect().contains(x, y) && !Dark(image, x, y)) {
        x += dx;
        y += dy;
    }
    const int nStart = dx != 0 ? x : y;
    int nThickness = 0;
    while (Dark(image, x, y)) {
        ++nThickness;
        x += dx;
        y += dy;
    }
    const int nEnd = (dx != 0 ? x - dx : y - dy);
    return {nStart, (nStart + nEnd) / 2, nThickness};
}

// The square's path as painted, found from the pixels: its four sides and the
// thickness of each of its eight parts in walking order.
struct PaintedPath {
    int L = 0, T = 0, R = 0, B = 0;
    std::array<int, 8> thickness{};
};

PaintedPath FindPath(const QImage& image)
{
    PaintedPath path;
    const int xMiddle = image.width() / 2;
    const Crossing bottom = FirstCrossing(image, xMiddle, image.height() - 1, 0, -1);
    const Crossing top = FirstCrossing(image, xMiddle, bottom.nMiddle - bottom.nThickness, 0, -1);
    path.B = bottom.nMiddle;
    path.T = top.nMiddle;
    const int yMiddle = (path.T + path.B) / 2;
    const Crossing left = FirstCrossing(image, 0, yMiddle, 1, 0);
    const Crossing right = FirstCrossing(image, image.width() - 1, yMiddle, -1, 0);
    path.L = left.nMiddle;
    path.R = right.nMiddle;
    // The corners are crossed on the diagonal from their centres outwards.
    auto corner = [&](int cx, int cy, int dx, int dy) { return FirstCrossing(image, cx, cy, dx, dy).nThickness; };
    path.thickness = {left.nThickness,
                      corner(path.L + 20, path.T + 20, -1, -1),
                      top.nThickness,
                      corner(path.R - 20, path.T + 20, 1, -1),
                      right.nThickness,
                      corner(path.R - 20, path.B - 20, 1, 1),
                      bottom.nThickness,
                      corner(path.L + 20, path.B - 20, -1, 1)};
    return path;
}

// Thin parts are one pixel wide (at most two across a corner's diagonal), thick ones five.
std::string ThickParts(const PaintedPath& path)
{
    std::string strParts;
    for (int nThickness : path.thickness)
        strParts += nThickness >= 3 ? 'X' : '-';
    return strParts;
}

struct PowerStub : IPowerStatus {
    std::optional<bool> onMains;
    std::optional<bool> OnMains() override { return onMains; }
};

struct CalibrationFixture {
    PowerStub power;
    std::vector<std::shared_ptr<LegTimerRecord>> timers;
    LegTimerRecord* pTimer = nullptr; // the current visit's
    CCalibrationPage* pPage = nullptr;
    QTemporaryDir walkRoot;
    FrameFixture frame;

    explicit CalibrationFixture(const std::string& strStored = "")
        : frame("TOSHIBA MK4019GAX", strStored, [this] {
              ActivityPages pages;
              auto pCalibration = std::make_unique<CCalibrationPage>(power, walkRoot.path().toStdString(), [this] {
                  auto pNewTimer = std::make_unique<ManualLegTimer>();
                  pNewTimer->pRecord = timers.emplace_back(std::make_shared<LegTimerRecord>());
                  pTimer = pNewTimer->pRecord.get();
                  return pNewTimer;
              });
              pPage = pCalibration.get();
              pages.pCalibration = std::move(pCalibration);
              return pages;
          })
    {
    }

    QWidget* Window() const { return pPage->Window(); }
    QImage Client() const { return Window()->grab(Window()->contentsRect()).toImage(); }
    void Key() const { QTest::keyClick(Window(), Qt::Key_Space); }
    void Leg(int nTicks) const
    {
        Key();
        for (int i = 0; i < nTicks && pTimer->bRunning; ++i)
            pTimer->fnTick();
        Key();
    }
    void Screenshot(const char* pszName) const
    {
        QCoreApplication::processEvents();
        QDir().mkpath(QStringLiteral(QUORVEL_SCREENSHOT_DIR));
        frame.pFrame->grab().save(QStringLiteral(QUORVEL_SCREENSHOT_DIR "/calibration-%1.png").arg(pszName));
    }
};

} // namespace

TEST(CalibrationPage, WalkInTimeOnBatteryStoresTheCalibrationAndOffersNavigation)
{
    CalibrationFixture t;
    t.frame.pFrame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(t.frame.pFrame.get()));
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    ASSERT_NE(t.Window(), nullptr);
    EXPECT_TRUE(t.Window()->hasFocus());
    t.Screenshot("state-00");

    t.Key();
    EXPECT_EQ(t.pPage->Procedure().State(), 1);
    const std::shared_ptr<VisitControl> pVisit = t.pPage->Visit();
    EXPECT_TRUE(pVisit->m_bDiskRun);
    for (int nLeg = 0; nLeg < 8; ++nLeg) {
        t.Leg(nLeg % 2 == 0 ? 84 : 24);
        if (t.pPage->Procedure().State() == 9)
            t.Screenshot("state-09");
    }
    EXPECT_EQ(t.pPage->Procedure().State(), CalibrationProcedure::STATE_SUCCEEDED);
    EXPECT_FALSE(pVisit->m_bDiskRun);
    EXPECT_TRUE(theApp.m_bCalibrated);
    ASSERT_FALSE(t.frame.settings.writes.empty());
    EXPECT_EQ(t.frame.settings.writes.back().substr(0, 1), "r");
    t.Screenshot("state-17");

    t.Key();
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_FALSE(pVisit->WindowAlive());
    EXPECT_FALSE(t.frame.PaintedLink(2).IsEmpty());
    EXPECT_TRUE(t.frame.messageBox.shown.empty());
}

TEST(CalibrationPage, FailureShowsTheStopBoxAndReturns)
{
    CalibrationFixture t("rabcdefghijklmnopq");
    t.power.onMains = true;
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.Key();
    t.Leg(84);
    t.Leg(24);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);
    t.Leg(84);
    ASSERT_EQ(t.frame.messageBox.shown.size(), 1u);
    EXPECT_EQ(t.frame.messageBox.shown[0].strText, LoadString(IDS_FAILED_ACCELERATION));
    EXPECT_EQ(t.frame.messageBox.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_FALSE(theApp.m_bCalibrated);
    EXPECT_EQ(t.frame.settings.writes, std::vector<std::string>{""});
}

TEST(CalibrationPage, FailedStateAndReopeningStartAfresh)
{
    CalibrationFixture t;
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.Key();
    LegTimerRecord* pFailedVisitTimer = t.pTimer;
    // The failure box is answered by the fake at once; look at the failed state while it is up.
    std::string strPartsWhileFailed;
    t.frame.messageBox.onShow = [&t, &strPartsWhileFailed] {
        t.Screenshot("state-18");
        strPartsWhileFailed = ThickParts(FindPath(t.Client()));
    };
    t.Leg(5);
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_EQ(strPartsWhileFailed, "XXXXXXXX");
    EXPECT_EQ(pFailedVisitTimer->nStarts, 1);
    EXPECT_FALSE(pFailedVisitTimer->bRunning);

    t.frame.messageBox.onShow = {};
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    EXPECT_EQ(t.pPage->Procedure().State(), 0);
    EXPECT_EQ(ThickParts(FindPath(t.Client())), "--------");
    ASSERT_NE(t.pTimer, pFailedVisitTimer);
    EXPECT_EQ(t.pTimer->nStarts, 0);
    t.Key();
    t.Key();
    EXPECT_TRUE(t.pTimer->bRunning);
    EXPECT_FALSE(pFailedVisitTimer->bRunning);
}

TEST(CalibrationPage, SquareSitsBetweenTextAndBackBoxAndEachWalkedPartTurnsThick)
{
    CalibrationFixture t;
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    const QImage image = t.Client();
    const int W = image.width(), H = image.height();

    // The back box: its outline's right column and bottom row 15 pixels in from the edges.
    EXPECT_EQ(FirstCrossing(image, W - 1, H - 16, -1, 0).nFirst, W - 16);
    EXPECT_EQ(FirstCrossing(image, W - 16, H - 1, 0, -1).nFirst, H - 16);
    int nBoxTop = H - 16;
    while (Dark(image, W - 16, nBoxTop - 1))
        --nBoxTop;

    // The square: 10 pixels above the box, as high as the area (its width twice the integer
    // half of that), centred between the 15-pixel margins.
    const PaintedPath path = FindPath(image);
    EXPECT_EQ(path.B, nBoxTop - 10);
    EXPECT_EQ(path.R - path.L, (path.B - path.T) / 2 * 2);
    EXPECT_EQ(path.L, 15 + (W - 30) / 2 - (path.B - path.T) / 2);
    EXPECT_EQ(path.R, 15 + (W - 30) / 2 + (path.B - path.T) / 2);

    // In a window higher than wide the square spans the area between the 15-pixel margins.
    t.frame.pFrame->resize(290, 800);
    QCoreApplication::processEvents();
    const QImage narrow = t.Client();
    const PaintedPath narrowPath = FindPath(narrow);
    EXPECT_EQ(narrowPath.L, 15);
    EXPECT_EQ(narrowPath.R, narrow.width() - 15);
    EXPECT_EQ(narrowPath.B - narrowPath.T, (narrowPath.R - narrowPath.L) / 2 * 2);
    t.frame.pFrame->resize(640, 480);
    QCoreApplication::processEvents();

    // Part k turns thick once the state reaches 2k + 1, that is when its leg has been walked.
    const char* const apszParts[] = {"--------", "X-------", "XX------", "XXX-----", "XXXX----",
                                     "XXXXX---", "XXXXXX--", "XXXXXXX-", "XXXXXXXX"};
    t.Key();
    EXPECT_EQ(ThickParts(FindPath(t.Client())), apszParts[0]);
    for (int nLeg = 1; nLeg <= 8; ++nLeg) {
        // While a leg is timed its own part is still thin.
        t.Key();
        ASSERT_EQ(t.pPage->Procedure().State(), 2 * nLeg);
        EXPECT_EQ(ThickParts(FindPath(t.Client())), apszParts[nLeg - 1]) << "state " << 2 * nLeg;
        for (int i = 0; i < (nLeg % 2 == 1 ? 84 : 24); ++i)
            t.pTimer->fnTick();
        t.Key();
        ASSERT_EQ(t.pPage->Procedure().State(), 2 * nLeg + 1);
        EXPECT_EQ(ThickParts(FindPath(t.Client())), apszParts[nLeg]) << "state " << 2 * nLeg + 1;
    }
}

TEST(CalibrationPage, BackBoxLeavesFromAnyStateAndStopsTheLeg)
{
    CalibrationFixture t("rabcdefghijklmnopq");
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.Key();
    t.Key(); // the north walk is being timed
    ASSERT_TRUE(t.pTimer->bRunning);
    const std::shared_ptr<VisitControl> pVisit = t.pPage->Visit();

    t.Window()->grab();
    const Rect rcBack = t.pPage->LinkRect(PAGE_START);
    ASSERT_FALSE(rcBack.IsEmpty());
    const QPoint point = QPoint((rcBack.left + rcBack.right) / 2, (rcBack.top + rcBack.bottom) / 2) +
                         t.Window()->contentsRect().topLeft();
    QMouseEvent move(QEvent::MouseMove, point, t.Window()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(t.Window(), &move);
    QTest::mouseClick(t.Window(), Qt::LeftButton, {}, point);

    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_FALSE(t.pTimer->bRunning);
    EXPECT_FALSE(pVisit->WindowAlive());
    // The north walk's start cleared the stored calibration; nothing else was written.
    EXPECT_EQ(t.frame.settings.writes, std::vector<std::string>{""});
}

TEST(CalibrationPage, ReadsAsDrawnFollowsEachStepAndKeepsEveryKeyAsAStep)
{
    CalibrationFixture t("rabcdefghijklmnopq");
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    const QString strIntro = QString::fromUtf8(LoadString(IDS_CALIBRATION_INTRO)).trimmed();
    const QString strReady = QStringLiteral("Drücken Sie eine Taste, wenn Sie bereit sind.");
    const QString strNorth = QStringLiteral("Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m nach Norden.");
    using R = QAccessible::Role;

    // State 0: the empty first status line is not read out.
    std::vector<AccessibleNode> tree = AccessibleTree(t.Window());
    EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), strIntro, QStringLiteral("Zurück"), strReady}));
    EXPECT_EQ(Roles(tree), (std::vector<R>{R::StaticText, R::StaticText, R::Button, R::StaticText}));
    EXPECT_EQ(tree[2].rect, ScreenRect(t.Window(), t.pPage->LinkRect(PAGE_START)));
    EXPECT_FALSE(tree[2].bFocusable);
    EXPECT_EQ(PageInterface(t.Window())->text(QAccessible::Name), QStringLiteral("Kalibrierung"));
    const QImage before = ClientPixels(t.Window());

    // Tab is a step of the walk like any other key, and shows no focus.
    Key(t.Window(), Qt::Key_Tab);
    EXPECT_EQ(t.pPage->Procedure().State(), 1);
    EXPECT_EQ(t.pPage->KeyboardFocusLink(), nullptr);
    tree = AccessibleTree(t.Window());
    EXPECT_EQ(Names(tree), (std::vector<QString>{QStringLiteral("Quorvel"), strIntro, QStringLiteral("Zurück"), strNorth, strReady}));
    Key(t.Window(), Qt::Key_Backtab);
    EXPECT_EQ(t.pPage->Procedure().State(), 2);
    EXPECT_EQ(AccessibleTree(t.Window())[4].strName, QStringLiteral("Drücken Sie eine Taste, wenn Sie angekommen sind."));

    // "Zurück" through the screen reader leaves at once, as a click does.
    const std::shared_ptr<VisitControl> pVisit = t.pPage->Visit();
    PressAccessible(AccessibleChild(t.Window(), QStringLiteral("Zurück")));
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
    EXPECT_FALSE(t.pTimer->bRunning);
    EXPECT_FALSE(pVisit->WindowAlive());
    EXPECT_TRUE(t.frame.messageBox.shown.empty());

    // The next visit starts as the first one looked.
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    QCoreApplication::processEvents();
    EXPECT_EQ(ClientPixels(t.Window()), before);
}

TEST(CalibrationPage, AnnouncesEachStepAndTheSuccess)
{
    REQUIRE_LISTENING_ACCESSIBILITY();
    RecordedAccessibilityEvents events;
    CalibrationFixture t("rabcdefghijklmnopq");
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    auto heard = [&] { return News(events.Take(t.Window())); };
    heard();

    t.Key();
    EXPECT_EQ(heard(), std::vector<QString>{QStringLiteral("Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m "
                                                           "nach Norden. Drücken Sie eine Taste, wenn Sie bereit sind.")});
    t.Key();
    EXPECT_EQ(heard(), std::vector<QString>{QStringLiteral("Gehen Sie jetzt zügig und möglichst erschütterungsfrei 5 m "
                                                           "nach Norden. Drücken Sie eine Taste, wenn Sie angekommen sind.")});
    // The leg's ticks redraw the path and say nothing.
    for (int i = 0; i < 84; ++i)
        t.pTimer->fnTick();
    EXPECT_TRUE(heard().empty());
    t.Key();
    EXPECT_EQ(heard(), std::vector<QString>{QStringLiteral("Drehen Sie sich jetzt um 90° nach rechts. Drücken Sie eine "
                                                           "Taste, wenn Sie bereit sind.")});
    for (int nLeg = 2; nLeg <= 8; ++nLeg)
        t.Leg(nLeg % 2 ? 84 : 24);
    EXPECT_EQ(heard().back(), QStringLiteral("Die Kalibrierung wurde erfolgreich abgeschlossen. Drücken Sie eine Taste, "
                                             "um zur Eingangsseite zurückzukehren."));
}

TEST(CalibrationPage, MenuKeysNeverCountButAltGrCharactersDo)
{
    CalibrationFixture t;
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    // One key down as the window system delivers it, modifiers already held.
    auto press = [&t](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& strText = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, strText);
        if (QWidget* pWindow = t.Window())
            QApplication::sendEvent(pWindow, &event);
        else
            ADD_FAILURE() << "the page has been left";
    };
    auto expectState = [&t](int nState, const char* pszAfter) {
        EXPECT_EQ(t.pPage->Procedure().State(), nState) << pszAfter;
    };
    press(Qt::Key_Alt, Qt::AltModifier);
    expectState(0, "Alt");
    press(Qt::Key_D, Qt::AltModifier, QStringLiteral("d"));
    expectState(0, "Alt+D");
    press(Qt::Key_F10, Qt::NoModifier);
    expectState(0, "F10");
    press(Qt::Key_F10, Qt::ShiftModifier);
    expectState(0, "Shift+F10");
    press(Qt::Key_Shift, Qt::ShiftModifier | Qt::AltModifier);
    expectState(0, "Shift while Alt is held");
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);

    // AltGr and what it types are keys like any other, and so are Shift and Ctrl.
    press(Qt::Key_AltGr, Qt::GroupSwitchModifier);
    expectState(1, "AltGr");
    press(Qt::Key_At, Qt::GroupSwitchModifier, QStringLiteral("@"));
    expectState(2, "AltGr+Q");
    for (int i = 0; i < 84; ++i)
        t.pTimer->fnTick();
    press(Qt::Key_Control, Qt::ControlModifier);
    expectState(3, "Ctrl");

    // Alt during a timed leg neither ends it nor stops its timer.
    press(Qt::Key_Shift, Qt::ShiftModifier);
    expectState(4, "Shift");
    ASSERT_TRUE(t.pTimer->bRunning);
    press(Qt::Key_Alt, Qt::AltModifier);
    press(Qt::Key_Tab, Qt::AltModifier);
    expectState(4, "Alt and Alt+Tab in a turn");
    EXPECT_TRUE(t.pTimer->bRunning);
    EXPECT_TRUE(t.frame.messageBox.shown.empty());
}

TEST(CalibrationPage, TheFramesEditingKeysAreNoStepButTheShiftOrCtrlPressedForThemIs)
{
    // Typed as a user types them: the modifier's own press first, then the key.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int nState;
    } keys[] = {
        {Qt::Key_C, Qt::ControlModifier, 1},       {Qt::Key_V, Qt::ControlModifier, 1},
        {Qt::Key_X, Qt::ControlModifier, 1},       {Qt::Key_Z, Qt::ControlModifier, 1},
        {Qt::Key_Insert, Qt::ControlModifier, 1},  {Qt::Key_Insert, Qt::ShiftModifier, 1},
        {Qt::Key_Delete, Qt::ShiftModifier, 1},    {Qt::Key_Backspace, Qt::AltModifier, 0},
        {Qt::Key_F6, Qt::NoModifier, 0},           {Qt::Key_F6, Qt::ShiftModifier, 1},
        {Qt::Key_F5, Qt::NoModifier, 1},           {Qt::Key_C, Qt::ShiftModifier, 2},
    };
    for (const auto& k : keys) {
        CalibrationFixture t;
        t.frame.pFrame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(t.frame.pFrame.get()));
        t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
        QTest::keyClick(t.Window(), k.key, k.modifiers);
        EXPECT_EQ(t.pPage->Procedure().State(), k.nState) << QKeySequence(k.key | k.modifiers).toString().toStdString();
    }
}

TEST(CalibrationPage, PagesAppearingUnderAnUnmovedPointerForgetTheLinkClickedBefore)
{
    CalibrationFixture t;
    // The pointer moves as a user moves it; clicks come without a move, where it is.
    auto pointTo = [](QWidget* pWindow, QPoint ptClient) {
        QCursor::setPos(pWindow->mapToGlobal(ptClient + pWindow->contentsRect().topLeft()));
        QCoreApplication::processEvents();
    };
    auto clickHere = [](QWidget* pWindow) {
        const QPointF point = pWindow->mapFromGlobal(QCursor::pos());
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, point, QCursor::pos(), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(pWindow, &event);
        }
    };
    auto centre = [](const Rect& rc) { return QPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2); };

    const Rect rcCalibrationLink = t.frame.PaintedLink(1);
    pointTo(t.frame.StartWindow(), centre(rcCalibrationLink));
    clickHere(t.frame.StartWindow());
    ASSERT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);
    t.Window()->grab();
    const Rect rcBack = t.pPage->LinkRect(PAGE_START);
    pointTo(t.Window(), centre(rcBack));
    EXPECT_EQ(t.Window()->cursor().shape(), Qt::PointingHandCursor);
    clickHere(t.Window());
    ASSERT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);

    // Where "Zurück" was, the start page has no link: a second click stays there.
    EXPECT_EQ(t.frame.StartWindow()->cursor().shape(), Qt::ArrowCursor);
    clickHere(t.frame.StartWindow());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);

    // Entered again, the calibration page under the pointer has no "Zurück" pressed
    // from its last visit, also once it has painted.
    pointTo(t.frame.StartWindow(), centre(rcCalibrationLink));
    clickHere(t.frame.StartWindow());
    ASSERT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);
    clickHere(t.Window());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);
    t.Window()->grab();
    clickHere(t.Window());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);
    EXPECT_EQ(t.pPage->Procedure().State(), 0);

    // Shown again with the pointer over a link, the start page offers that link at once.
    pointTo(t.Window(), centre(rcCalibrationLink) + QPoint(0, 1));
    t.frame.pFrame->SwitchPage(PAGE_START);
    EXPECT_EQ(t.frame.StartWindow()->cursor().shape(), Qt::PointingHandCursor);
    clickHere(t.frame.StartWindow());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_CALIBRATION);

    // A new page whose "Zurück" appears under the pointer offers it once it is painted.
    pointTo(t.Window(), centre(rcBack));
    t.frame.pFrame->SwitchPage(PAGE_START);
    t.frame.pFrame->SwitchPage(PAGE_CALIBRATION);
    t.Window()->grab();
    EXPECT_EQ(t.Window()->cursor().shape(), Qt::PointingHandCursor);
    clickHere(t.Window());
    EXPECT_EQ(t.frame.pFrame->CurrentPage(), PAGE_START);
}
