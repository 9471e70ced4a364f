#include "latitude/disk_load_thread.h"

#include "app/linux_thread_priority.h"

#include <fcntl.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>
#include <cstdlib>

namespace {

constexpr std::size_t s_nReadBytes = 1024;
constexpr std::size_t s_nAlignment = 4096;

class ProgramFile {
public:
    explicit ProgramFile(const std::string& strFile)
    {
        m_nFd = open(strFile.c_str(), O_RDONLY | O_DIRECT | O_CLOEXEC);
        if (m_nFd < 0 && errno == EINVAL) {
            m_bDirect = false;
            m_nFd = open(strFile.c_str(), O_RDONLY | O_CLOEXEC);
        }
        m_pBuffer = std::aligned_alloc(s_nAlignment, s_nAlignment);
        if (!m_pBuffer)
            Close();
    }
    ~ProgramFile()
    {
        Close();
        std::free(m_pBuffer);
    }
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;

    bool IsOpen() const { return m_nFd >= 0; }

    // Reads the first kilobyte from the disk; after a failure the file stays closed.
    void ReadFirstKilobyte()
    {
        if (m_nFd < 0)
            return;
        if (!m_bDirect)
            posix_fadvise(m_nFd, 0, 0, POSIX_FADV_DONTNEED);
        if (pread(m_nFd, m_pBuffer, s_nReadBytes, 0) < 0)
            Close();
    }

private:
    void Close()
    {
        if (m_nFd >= 0)
            close(m_nFd);
        m_nFd = -1;
    }

    int m_nFd = -1;
    bool m_bDirect = true;
    void* m_pBuffer = nullptr;
};

} // namespace

void DiskLoadThreadProc(std::shared_ptr<VisitControl> pControl, const std::string& strFile)
{
    RunThisThreadAtIdlePriority();
    PauseGateMember member(pControl->m_gate);
    ProgramFile file(strFile);
    while (true) {
        pControl->m_gate.Pass();
        if (!pControl->WindowAlive() || !pControl->m_bDiskRun.load(std::memory_order_relaxed))
            break;
        if (file.IsOpen()) {
            file.ReadFirstKilobyte();
            sched_yield();
        } else {
            // Nothing left to read: wait for the end without spinning.
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
}
