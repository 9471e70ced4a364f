#include "latitude/disk_load_thread.h"

#include "app/visit/linux_thread_priority.h"
#include "calibration/linux_uncached_read.h"

#include <fcntl.h>
#include <sched.h>

#include <chrono>
#include <thread>

DiskLoadRead OpenDiskLoadFile(const std::string& strFile)
{
    auto pFile = std::make_shared<UncachedFile>(AT_FDCWD, strFile.c_str(), 0);
    if (!pFile->IsOpen())
        return {};
    return [pFile] { return pFile->ReadStart(); };
}

void DiskLoadThreadProc(std::shared_ptr<VisitControl> pControl, const DiskLoadOpen& open)
{
    RunThisThreadAtIdlePriority();
    DiskLoadRead read = open();
    while (true) {
        pControl->m_gate.Pass();
        if (!pControl->WindowAlive() || !pControl->m_bDiskRun.load(std::memory_order_relaxed))
            break;
        if (read) {
            // A read error closes the file, so later passes read nothing.
            if (!read())
                read = nullptr;
            sched_yield();
        } else {
            // Nothing left to read: wait for the end without spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}
