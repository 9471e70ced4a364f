#include "main/quorvel_main.h"

#include "app/command_line.h"

#include "app/linux_keyboard_locks.h"
#include "app/main_frame.h"
#include "app/qt_message_box.h"
#include "app/qt_settings_store.h"
#include "app/visit/worker_threads.h"
#include "app/quorvel_app.h"
#include "calibration/calibration_page.h"
#include "calibration/qt_leg_timer.h"
#include "latitude/latitude_page.h"
#include "navigation/navigation_page.h"
#include "latitude/qt_location_settings.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>
#include <memory>
#include <span>

namespace {

QIcon ProgramIcon()
{
    QIcon icon;
    for (int nSize : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/quorvel-%1.png").arg(nSize), QSize(nSize, nSize));
    return icon;
}

} // namespace

int RunQuorvel(int argc, char** argv, const QuorvelPlatform& platform)
{
    // Answered before Qt starts, so they need no display and read no drive.
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    if (const auto answer = AnswerCommandLine(arguments.subspan(argc > 0 ? 1 : 0), platform.pszProgram)) {
        // A full disk or a closed pipe must not pass for an answer given.
        const bool bWritten = std::fputs(answer->c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
        return bWritten ? EXIT_SUCCESS : EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setWindowIcon(ProgramIcon());
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.valdrin.quorvel"));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtMessageBox messageBox;
    const std::unique_ptr<IKeyboardLockSource> pKeyboardLocks = OpenKeyboardLockSource(platform.strSysfsRoot);
    std::unique_ptr<QtSettingsStore> pSettings;
    QtLocationSettings locationSettings(QStringLiteral("Valdrin"), platform.strSettingsApplication);
    SystemLatitudeClock latitudeClock;
    std::unique_ptr<CMainFrame> pMainFrame;

    AppServices services;
    services.pDriveReader = &platform.driveReader;
    services.pMessageBox = &messageBox;
    services.openSettings = [&] {
        pSettings = std::make_unique<QtSettingsStore>(QStringLiteral("Valdrin"), platform.strSettingsApplication);
        return pSettings.get();
    };
    services.createMainFrame = [&]() -> IMainFrame* {
        ActivityPages pages;
        pages.pCalibration = std::make_unique<CCalibrationPage>(platform.powerStatus, "/",
                                                                [] { return std::make_unique<QtLegTimer>(); });
        pages.pNavigation = std::make_unique<CNavigationPage>(NavigationPageServices{
            [] { return static_cast<std::int64_t>(std::time(nullptr)); },
            [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }, "/"});
        pages.pLatitude = std::make_unique<CLatitudePage>(locationSettings, latitudeClock, [] { return OpenDiskLoadFile(); });
        pMainFrame = std::make_unique<CMainFrame>(theApp, std::move(pages), *pKeyboardLocks);
        pMainFrame->resize(640, 480);
        pMainFrame->show();
        return pMainFrame.get();
    };
    services.timeSeconds = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    theApp.UseServices(std::move(services));

    // A drive that cannot be identified ends the program; the shell should see that it failed.
    if (!theApp.InitInstance())
        return EXIT_FAILURE;
    const int nExitCode = QApplication::exec();
    // A worker blocked on a file system that does not answer must not hold the
    // process, and nothing it touches may be destroyed under it: then the process
    // ends without destroying anything (nothing is written at exit).
    if (pMainFrame)
        pMainFrame->DestroyPageWindows();
    if (!WorkerThreadsEndWithin(std::chrono::milliseconds(500)))
        std::_Exit(nExitCode);
    return nExitCode;
}
