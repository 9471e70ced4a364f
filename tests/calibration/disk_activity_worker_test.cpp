#include "calibration/disk_activity_worker.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

struct SmallTree {
    fs::path root;
    SmallTree()
    {
        std::string strTemplate = (fs::temp_directory_path() / "quorvel-worker-XXXXXX").string();
        root = mkdtemp(strTemplate.data());
        std::ofstream(root / "a.txt") << "a";
        fs::create_directories(root / "dir");
        std::ofstream(root / "dir/b.txt") << "b";
    }
    ~SmallTree() { fs::remove_all(root); }
};

} // namespace

TEST(DiskActivityWorker, EndsWhenTheRunFlagIsClearedOrTheWindowIsGoneAndHoldsAtTheGate)
{
    SmallTree tree;
    for (bool bCloseWindow : {false, true}) {
        auto pVisit = std::make_shared<VisitControl>();
        pVisit->m_bDiskRun = true;
        std::thread worker([pVisit, strRoot = tree.root.string()] { DiskActivityThreadProc(pVisit, strRoot); });

        // Held at the gate: Hold returns only once the worker is parked there.
        pVisit->m_gate.Hold();
        pVisit->m_gate.Release();

        if (bCloseWindow)
            pVisit->m_bWindowAlive = false;
        else
            pVisit->m_bDiskRun = false;
        worker.join(); // returns: the worker noticed at its next check
    }
}
