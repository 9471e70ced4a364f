#include "../temp_folder.h"
#include "app/linux_keyboard_locks.h"
#include "frame_fixture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <X11/XKBlib.h>

namespace fs = std::filesystem;

namespace {

void SetLed(const fs::path& root, const std::string& strName, const char* pszBrightness)
{
    const fs::path led = root / "class/leds" / strName;
    fs::create_directories(led);
    std::ofstream(led / "brightness") << pszBrightness << "\n";
}

QStringList PaneTexts(const CMainFrame& frame)
{
    QStringList texts;
    for (QLabel* pLabel : frame.statusBar()->findChildren<QLabel*>())
        if (pLabel->frameStyle() == (QFrame::Panel | QFrame::Sunken))
            texts << pLabel->text();
    return texts;
}

} // namespace

// The lock panes against the real keyboard state sources; the end-to-end tests run
// these as clients of a headless weston and of Xvfb.
TEST(WaylandLockPanes, PanesFollowTheKeyboardLeds)
{
    if (QGuiApplication::platformName() != QStringLiteral("wayland"))
        GTEST_SKIP() << "needs a Wayland session; e2e.wayland_session runs it under weston";
    TempFolder sys("quorvel-wayland-leds");
    SetLed(sys.Root(), "input3::capslock", "1");
    SetLed(sys.Root(), "input3::numlock", "0");
    SetLed(sys.Root(), "input3::scrolllock", "1");
    const std::unique_ptr<IKeyboardLockSource> pLocks = OpenKeyboardLockSource(sys.Root().string());

    FrameFixture t("TOSHIBA MK4019GAX", "", {}, pLocks.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.pFrame.get()));
    EXPECT_EQ(PaneTexts(*t.pFrame), QStringList({"UF", "", "RF"}));

    // A key press refreshes the panes.
    SetLed(sys.Root(), "input3::capslock", "0");
    SetLed(sys.Root(), "input3::numlock", "1");
    SetLed(sys.Root(), "input3::scrolllock", "0");
    QTest::keyClick(t.StartWindow(), Qt::Key_NumLock);
    EXPECT_EQ(PaneTexts(*t.pFrame), QStringList({"", "NUM", ""}));
}

TEST(X11LockPanes, PanesFollowTheKeyboardExtensionNotTheLeds)
{
    if (QGuiApplication::platformName() != QStringLiteral("xcb"))
        GTEST_SKIP() << "needs an X session; e2e.x11_lock_panes runs it under Xvfb";
    Display* pDisplay = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    ASSERT_NE(pDisplay, nullptr);
    auto lockModifiers = [pDisplay](unsigned nValues) {
        XkbLockModifiers(pDisplay, XkbUseCoreKbd, LockMask | Mod2Mask, nValues);
        XSync(pDisplay, False);
    };
    // The LEDs say every lock is on; the X server says none is.
    TempFolder sys("quorvel-x11-leds");
    SetLed(sys.Root(), "input3::capslock", "1");
    SetLed(sys.Root(), "input3::numlock", "1");
    SetLed(sys.Root(), "input3::scrolllock", "1");
    lockModifiers(0);
    const std::unique_ptr<IKeyboardLockSource> pLocks = OpenKeyboardLockSource(sys.Root().string());

    FrameFixture t("TOSHIBA MK4019GAX", "", {}, pLocks.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t.pFrame.get()));
    EXPECT_EQ(PaneTexts(*t.pFrame), QStringList({"", "", ""}));

    lockModifiers(LockMask | Mod2Mask);
    QTest::keyClick(t.StartWindow(), Qt::Key_CapsLock);
    EXPECT_EQ(PaneTexts(*t.pFrame), QStringList({"UF", "NUM", ""}));
    lockModifiers(0);
}
