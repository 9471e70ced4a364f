#include "calibration/linux_uncached_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>

namespace {

constexpr std::size_t s_nReadBytes = 1024;

std::size_t PageSize()
{
    const long nPage = sysconf(_SC_PAGESIZE);
    return nPage > 0 ? static_cast<std::size_t>(nPage) : 4096;
}

std::size_t ReadSizeFile(const std::string& strPath)
{
    std::ifstream file(strPath);
    long long nValue = 0;
    if (!(file >> nValue) || nValue <= 0)
        return 0;
    return static_cast<std::size_t>(nValue);
}

// O_NOATIME keeps a read from writing the access time; the kernel allows it only
// on the user's own files (every file for root) and refuses it elsewhere.
int OpenWithoutAccessTime(int nDirFd, const char* pszName, int nFlags)
{
    const int nFd = openat(nDirFd, pszName, nFlags | O_NOATIME);
    return nFd < 0 && errno == EPERM ? openat(nDirFd, pszName, nFlags) : nFd;
}

} // namespace

std::size_t LogicalBlockSize(dev_t nDevice, const std::string& strSysRoot)
{
    const std::string strDevice =
        strSysRoot + "/dev/block/" + std::to_string(major(nDevice)) + ":" + std::to_string(minor(nDevice));
    if (const std::size_t nSize = ReadSizeFile(strDevice + "/queue/logical_block_size"))
        return nSize;
    // A partition has no queue of its own; its disk's is one level up.
    return ReadSizeFile(strDevice + "/../queue/logical_block_size");
}

UncachedFile::UncachedFile(int nDirFd, const char* pszName, int nFlags)
{
    const int nOpenFlags = O_RDONLY | O_CLOEXEC | nFlags;
    m_nFd = OpenWithoutAccessTime(nDirFd, pszName, nOpenFlags | O_DIRECT);
    if (m_nFd < 0) {
        if (errno != EINVAL)
            return;
        m_nFd = OpenWithoutAccessTime(nDirFd, pszName, nOpenFlags);
        if (m_nFd < 0)
            return;
        FallBackToCachedReads();
        return;
    }
    m_bDirect = true;

    std::size_t nOffsetAlignment = 0;
    std::size_t nMemoryAlignment = 0;
    struct statx status {};
    if (statx(m_nFd, "", AT_EMPTY_PATH, STATX_DIOALIGN, &status) == 0 && (status.stx_mask & STATX_DIOALIGN)) {
        // Both zero: the file system takes O_DIRECT but does no direct I/O for this file.
        if (status.stx_dio_offset_align == 0) {
            FallBackToCachedReads();
            return;
        }
        nOffsetAlignment = status.stx_dio_offset_align;
        nMemoryAlignment = status.stx_dio_mem_align;
    } else {
        struct stat fileStatus {};
        if (fstat(m_nFd, &fileStatus) == 0)
            nOffsetAlignment = LogicalBlockSize(fileStatus.st_dev);
        // Unknown: one page suits every logical block size up to the page size.
        if (nOffsetAlignment == 0)
            nOffsetAlignment = PageSize();
    }
    m_nReadSize = std::max(s_nReadBytes, nOffsetAlignment);
    m_nBufferAlignment = std::max({nOffsetAlignment, nMemoryAlignment, sizeof(void*)});
    if (posix_memalign(&m_pBuffer, m_nBufferAlignment, m_nReadSize) != 0) {
        m_pBuffer = nullptr;
        close(m_nFd);
        m_nFd = -1;
        errno = ENOMEM;
    }
}

UncachedFile::~UncachedFile()
{
    if (m_nFd >= 0)
        close(m_nFd);
    std::free(m_pBuffer);
}

void UncachedFile::FallBackToCachedReads()
{
    if (m_bDirect) {
        const int nStatusFlags = fcntl(m_nFd, F_GETFL);
        if (nStatusFlags >= 0)
            fcntl(m_nFd, F_SETFL, nStatusFlags & ~O_DIRECT);
    }
    m_bDirect = false;
    m_nReadSize = s_nReadBytes;
    if (!m_pBuffer) {
        m_nBufferAlignment = sizeof(void*);
        if (posix_memalign(&m_pBuffer, m_nBufferAlignment, m_nReadSize) != 0) {
            m_pBuffer = nullptr;
            close(m_nFd);
            m_nFd = -1;
            errno = ENOMEM;
        }
    }
}

bool UncachedFile::ReadStart()
{
    if (m_nFd < 0)
        return false;
    if (m_bDirect) {
        if (pread(m_nFd, m_pBuffer, m_nReadSize, 0) >= 0)
            return true;
        // Refused for this file after all: read it the cached way from now on.
        if (errno != EINVAL)
            return false;
        FallBackToCachedReads();
        if (m_nFd < 0)
            return false;
    }
    // Only whole pages are dropped, so the range covers the pages the read touches.
    const std::size_t nPage = PageSize();
    posix_fadvise(m_nFd, 0, static_cast<off_t>((m_nReadSize + nPage - 1) / nPage * nPage), POSIX_FADV_DONTNEED);
    return pread(m_nFd, m_pBuffer, m_nReadSize, 0) >= 0;
}
