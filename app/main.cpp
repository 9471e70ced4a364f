#include "app/main_frame.h"
#include "app/qt_message_box.h"
#include "app/qt_settings_store.h"
#include "app/quorvel_app.h"
#include "drive/linux_drive_reader.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <ctime>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    LinuxDriveReader driveReader;
    QtMessageBox messageBox;
    std::unique_ptr<QtSettingsStore> pSettings;
    std::unique_ptr<CMainFrame> pMainFrame;

    AppServices services;
    services.pDriveReader = &driveReader;
    services.pMessageBox = &messageBox;
    services.openSettings = [&pSettings] {
        pSettings = std::make_unique<QtSettingsStore>(QStringLiteral("Valdrin"), QStringLiteral("Quorvel"));
        return pSettings.get();
    };
    services.createMainFrame = [&pMainFrame]() -> IMainFrame* {
        pMainFrame = std::make_unique<CMainFrame>(theApp);
        pMainFrame->resize(640, 480);
        pMainFrame->show();
        return pMainFrame.get();
    };
    services.timeSeconds = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    theApp.UseServices(std::move(services));

    if (!theApp.InitInstance())
        return 0;
    return QApplication::exec();
}
