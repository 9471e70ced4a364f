#include "latitude/disk_load_thread.h"

#include <gtest/gtest.h>

#include <thread>

TEST(DiskLoadThread, ReadsUntilTheRunFlagOrTheWindowGoesAndSurvivesAMissingFile)
{
    for (const char* pszFile : {"/proc/self/exe", "/nonexistent/quorvel"}) {
        for (bool bCloseWindow : {false, true}) {
            auto pVisit = std::make_shared<VisitControl>();
            pVisit->m_bDiskRun = true;
            std::thread reader([pVisit, pszFile] { DiskLoadThreadProc(pVisit, pszFile); });
            pVisit->m_gate.Hold(); // parks between two reads
            pVisit->m_gate.Release();
            if (bCloseWindow)
                pVisit->m_bWindowAlive = false;
            else
                pVisit->m_bDiskRun = false;
            reader.join();
        }
    }
}
