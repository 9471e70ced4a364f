#include "calibration/disk_activity_worker.h"

#include "app/visit/linux_thread_priority.h"
#include "calibration/linux_disk_activity_walk.h"

#include <sched.h>

void DiskActivityThreadProc(std::shared_ptr<VisitControl> pControl, const std::string& strRoot)
{
    RunThisThreadAtIdlePriority();
    DiskActivityWalk walk;
    walk.keepRunning = [&control = *pControl] {
        control.m_gate.Pass();
        return control.WindowAlive() && control.m_bDiskRun.load(std::memory_order_relaxed);
    };
    walk.probe = [](int nDirFd, const char* pszName, unsigned long nRootDevice) {
        ProbeFile(nDirFd, pszName, nRootDevice);
    };
    walk.yield = [] { sched_yield(); };
    RunDiskActivityWalk(strRoot, walk);
}
