#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// An open file whose start is read so that every read reaches the storage: a
// direct read of max(1024, the file's direct-I/O alignment) bytes into a buffer
// aligned for it, which is how a kilobyte read past the cache fits storage that
// cannot transfer less than a 4 KiB sector; where the file system refuses direct
// I/O, a normal read after dropping just that range from the page cache.
class UncachedFile {
public:
    // Opens pszName relative to nDirFd (AT_FDCWD for a path) read-only with
    // nFlags added, without updating its access time where the kernel allows
    // that; check IsOpen(), and errno after a failure.
    UncachedFile(int nDirFd, const char* pszName, int nFlags);
    ~UncachedFile();
    UncachedFile(const UncachedFile&) = delete;
    UncachedFile& operator=(const UncachedFile&) = delete;

    bool IsOpen() const { return m_nFd >= 0; }
    int Fd() const { return m_nFd; }
    bool Direct() const { return m_bDirect; }
    std::size_t ReadSize() const { return m_nReadSize; }

    // The probe both disk workers make: one read of the file's first ReadSize()
    // bytes past the cache. False on a read error, with errno set.
    bool ReadStart();

private:
    void FallBackToCachedReads();

    int m_nFd = -1;
    bool m_bDirect = false;
    std::size_t m_nReadSize = 0;
    std::size_t m_nBufferAlignment = 0;
    void* m_pBuffer = nullptr;
};

// The logical block size of block device nDevice from sysfs below strSysRoot
// (a partition answers with its disk's), or 0 where sysfs does not know it.
std::size_t LogicalBlockSize(dev_t nDevice, const std::string& strSysRoot = "/sys");
