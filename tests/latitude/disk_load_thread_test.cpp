#include "latitude/disk_load_thread.h"

#include "../linux_loop_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

constexpr std::chrono::seconds s_bound(20);

} // namespace

TEST(DiskLoadThread, ReadsUntilTheRunFlagOrTheWindowGoesAndSurvivesAMissingFile)
{
    for (const char* pszFile : {"/proc/self/exe", "/nonexistent/quorvel"}) {
        for (bool bCloseWindow : {false, true}) {
            auto pVisit = std::make_shared<VisitControl>();
            pVisit->m_bDiskRun = true;
            std::thread reader([pVisit, pszFile] { DiskLoadThreadProc(pVisit, [pszFile] { return OpenDiskLoadFile(pszFile); }); });
            pVisit->m_gate.Hold(); // parks between two reads
            EXPECT_TRUE(pVisit->m_gate.WaitUntilParked(1, s_bound));
            pVisit->m_gate.Release();
            if (bCloseWindow)
                pVisit->m_bWindowAlive = false;
            else
                pVisit->m_bDiskRun = false;
            reader.join();
        }
    }
}

TEST(DiskLoadThread, AFailedReadClosesTheFileForGood)
{
    auto pVisit = std::make_shared<VisitControl>();
    pVisit->m_bDiskRun = true;
    std::atomic<int> nReads{0};
    std::thread reader([&] {
        DiskLoadThreadProc(pVisit, [&]() -> DiskLoadRead {
            return [&] {
                // The first read fails and asks for a hold, so the test sees the passes that follow.
                if (++nReads == 1)
                    pVisit->m_gate.Hold();
                return false;
            };
        });
    });
    ASSERT_TRUE(pVisit->m_gate.WaitUntilParked(1, s_bound));
    pVisit->m_gate.Release();
    // One more pass from leaving the gate to parking again: it reads nothing.
    ASSERT_TRUE(pVisit->m_gate.WaitUntilParked(0, s_bound));
    pVisit->m_gate.Hold();
    EXPECT_TRUE(pVisit->m_gate.WaitUntilParked(1, s_bound));
    EXPECT_EQ(nReads, 1);
    pVisit->m_bDiskRun = false;
    pVisit->m_gate.Release();
    reader.join();
}

TEST(DiskLoadThread, EveryReadReachesTheDeviceOn512And4096ByteSectors)
{
    for (unsigned nSector : {512u, 4096u}) {
        SCOPED_TRACE(nSector);
        LoopDeviceFileSystem device(nSector);
        if (!device.SkipReason().empty())
            GTEST_SKIP() << device.SkipReason();
        const std::string strFile = device.WriteUncachedFile("quorvel", 256 << 10).string();

        constexpr int nWanted = 16;
        auto pVisit = std::make_shared<VisitControl>();
        pVisit->m_bDiskRun = true;
        std::atomic<int> nGood{0};
        std::atomic<int> nFailed{0};
        const long long nBefore = device.BytesRead();
        std::thread reader([&] {
            DiskLoadThreadProc(pVisit, [&]() -> DiskLoadRead {
                DiskLoadRead read = OpenDiskLoadFile(strFile);
                if (!read)
                    return {};
                return [&, read] {
                    const bool bRead = read();
                    ++(bRead ? nGood : nFailed);
                    // Held after the wanted reads: the count stays put while the test looks.
                    if (nGood == nWanted)
                        pVisit->m_gate.Hold();
                    return bRead;
                };
            });
        });
        const bool bParked = pVisit->m_gate.WaitUntilParked(1, s_bound);
        const long long nBytes = device.BytesRead() - nBefore;
        pVisit->m_bDiskRun = false;
        pVisit->m_gate.Release();
        reader.join();

        ASSERT_TRUE(bParked) << nGood << " reads succeeded, " << nFailed << " failed";
        EXPECT_EQ(nGood, nWanted);
        EXPECT_EQ(nFailed, 0);
        EXPECT_GE(nBytes, static_cast<long long>(nWanted) * nSector);
    }
}
