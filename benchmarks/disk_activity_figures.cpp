// Runs the disk-activity walk on a root for a while, as the pages run it, and
// prints what it cost: probes per second, the worker's CPU share, the bytes that
// reached the disk per probe, and how punctually a 50 ms timer of the GUI
// thread fired meanwhile. Then runs the disk-load thread on a file as long and
// prints its successful reads per second and the bytes each brought from disk.
// Usage: quorvel_disk_activity_figures [seconds] [root] [file, the program's own by default]
#include "app/visit/linux_thread_priority.h"
#include "calibration/linux_disk_activity_walk.h"
#include "latitude/disk_load_thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sched.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

long long ReadBytesOfThisProcess()
{
    std::ifstream io("/proc/self/io");
    std::string strKey;
    long long nValue = 0;
    while (io >> strKey >> nValue)
        if (strKey == "read_bytes:")
            return nValue;
    return -1;
}

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int nSeconds = argc > 1 ? std::stoi(argv[1]) : 10;
    const std::string strRoot = argc > 2 ? argv[2] : "/";

    std::atomic<bool> bRun{true};
    std::atomic<long long> nProbes{0};
    std::atomic<long long> nRead{0};
    double dWorkerCpu = 0.0;
    const long long nBytesBefore = ReadBytesOfThisProcess();

    std::thread worker([&] {
        RunThisThreadAtIdlePriority();
        DiskActivityWalk walk;
        walk.keepRunning = [&] { return bRun.load(std::memory_order_relaxed); };
        walk.probe = [&](int nDirFd, const char* pszName, unsigned long nRootDevice) {
            ++nProbes;
            if (ProbeFile(nDirFd, pszName, nRootDevice) == ProbeResult::Read)
                ++nRead;
        };
        walk.yield = [] { sched_yield(); };
        RunDiskActivityWalk(strRoot, walk);
        dWorkerCpu = ThreadCpuSeconds();
    });

    std::vector<double> intervals;
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(50);
    qint64 nLast = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        const qint64 nNow = clock.nsecsElapsed();
        if (nLast)
            intervals.push_back(static_cast<double>(nNow - nLast) / 1e6);
        nLast = nNow;
        if (nNow >= nSeconds * 1'000'000'000LL)
            application.quit();
    });
    timer.start();
    application.exec();
    bRun = false;
    worker.join();

    const double dWall = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const long long nBytes = ReadBytesOfThisProcess() - nBytesBefore;
    std::sort(intervals.begin(), intervals.end());
    const double dMedian = intervals.empty() ? 0 : intervals[intervals.size() / 2];
    const double dWorst = intervals.empty() ? 0 : intervals.back();
    std::printf("root %s, %.1f s\n", strRoot.c_str(), dWall);
    std::printf("probes: %lld (%.0f per second), %lld read\n", nProbes.load(), nProbes / dWall, nRead.load());
    std::printf("worker CPU: %.2f s = %.1f %% of one core\n", dWorkerCpu, 100.0 * dWorkerCpu / dWall);
    std::printf("read_bytes: %lld = %.0f bytes per read probe\n", nBytes, nRead ? double(nBytes) / nRead : 0.0);
    std::printf("50 ms timer: %zu intervals, median %.2f ms, worst %.2f ms\n", intervals.size(), dMedian, dWorst);

    const std::string strFile = argc > 3 ? argv[3] : "/proc/self/exe";
    auto pVisit = std::make_shared<VisitControl>();
    pVisit->m_bDiskRun = true;
    std::atomic<long long> nGood{0};
    std::atomic<long long> nFailed{0};
    const long long nLoadBytesBefore = ReadBytesOfThisProcess();
    QElapsedTimer loadClock;
    loadClock.start();
    std::thread loader([&] {
        DiskLoadThreadProc(pVisit, [&]() -> DiskLoadRead {
            DiskLoadRead read = OpenDiskLoadFile(strFile);
            if (!read)
                return {};
            return [&, read] {
                const bool bRead = read();
                ++(bRead ? nGood : nFailed);
                return bRead;
            };
        });
    });
    std::this_thread::sleep_for(std::chrono::seconds(nSeconds));
    pVisit->m_bDiskRun = false;
    loader.join();
    const double dLoadWall = static_cast<double>(loadClock.nsecsElapsed()) / 1e9;
    const long long nLoadBytes = ReadBytesOfThisProcess() - nLoadBytesBefore;
    std::printf("disk-load thread on %s, %.1f s\n", strFile.c_str(), dLoadWall);
    std::printf("reads: %lld succeeded (%.0f per second), %lld failed\n", nGood.load(), nGood / dLoadWall,
                nFailed.load());
    std::printf("read_bytes: %lld = %.0f bytes per successful read\n", nLoadBytes,
                nGood ? double(nLoadBytes) / nGood : 0.0);
    return 0;
}
