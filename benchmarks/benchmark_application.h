#pragma once

#include "app/page/page_host.h"

#include <QApplication>

// The pages' benchmarks need a GUI application; the first one makes it, offscreen
// unless a platform is asked for, and it lives for the whole run.
inline void EnsureBenchmarkApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char szName[] = "quorvel_benchmarks";
    static char* argv[] = {szName, nullptr};
    new QApplication(argc, argv);
}

// A page's host without a frame: nothing to switch to, and the box the benchmark gives.
struct BenchmarkPageHost : IPageHost {
    IMessageBox* pMessageBox = nullptr;
    void SwitchPage(int) override {}
    IMessageBox& MessageBox() override { return *pMessageBox; }
};
