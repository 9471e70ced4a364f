#include "calibration/disk_activity_worker.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct SmallTree {
    TempFolder folder{"quorvel-worker"};
    const fs::path& root = folder.Root();
    SmallTree()
    {
        std::ofstream(root / "a.txt") << "a";
        fs::create_directories(root / "dir");
        std::ofstream(root / "dir/b.txt") << "b";
    }
};

} // namespace

TEST(DiskActivityWorker, EndsWhenTheRunFlagIsClearedOrTheWindowIsGoneAndHoldsAtTheGate)
{
    SmallTree tree;
    for (bool bCloseWindow : {false, true}) {
        auto pVisit = std::make_shared<VisitControl>();
        pVisit->m_bDiskRun = true;
        std::thread worker([pVisit, strRoot = tree.root.string()] { DiskActivityThreadProc(pVisit, strRoot); });

        // Held: the worker parks at the gate between two files.
        pVisit->m_gate.Hold();
        EXPECT_TRUE(pVisit->m_gate.WaitUntilParked(1, std::chrono::seconds(20)));
        pVisit->m_gate.Release();

        if (bCloseWindow)
            pVisit->m_bWindowAlive = false;
        else
            pVisit->m_bDiskRun = false;
        worker.join(); // returns: the worker noticed at its next check
    }
}
