#pragma once

#include "app/page/page_host.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryFile>
#include <QWidget>

// The pages' benchmarks need a GUI application; the first one makes it and it lives
// for the whole run. Unless a platform is asked for it is offscreen, with three
// screens side by side at the device pixel ratios 1, 1.25 and 1.5 (times
// QT_SCALE_FACTOR), so one run measures a page at each.
inline void EnsureBenchmarkApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        static QTemporaryFile screens;
        if (screens.open()) {
            screens.write(R"({"screens": [
                {"name": "ratio-1", "x": 0, "y": 0, "width": 2000, "height": 1500, "logicalDpi": 96, "logicalBaseDpi": 96},
                {"name": "ratio-1.25", "x": 2000, "y": 0, "width": 2000, "height": 1500, "logicalDpi": 120, "logicalBaseDpi": 96},
                {"name": "ratio-1.5", "x": 4000, "y": 0, "width": 2000, "height": 1500, "logicalDpi": 144, "logicalBaseDpi": 96}]})");
            screens.flush();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    static int argc = 1;
    static char szName[] = "quorvel_benchmarks";
    static char* argv[] = {szName, nullptr};
    new QApplication(argc, argv);
}

// Puts a top-level window on the screen of the given ratio relative to the first
// screen's; false when there is none.
inline bool PlaceOnScreenAtRatio(QWidget& window, qreal dRelativeRatio)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* pScreen : screens)
        if (qFuzzyCompare(pScreen->devicePixelRatio(), dRelativeRatio * screens.front()->devicePixelRatio())) {
            window.setScreen(pScreen);
            window.move(pScreen->geometry().topLeft() + QPoint(40, 40));
            return true;
        }
    return false;
}

// A page's host without a frame: nothing to switch to, and the box the benchmark gives.
struct BenchmarkPageHost : IPageHost {
    IMessageBox* pMessageBox = nullptr;
    void SwitchPage(int) override {}
    IMessageBox& MessageBox() override { return *pMessageBox; }
};
