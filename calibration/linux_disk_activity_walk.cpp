#include "calibration/linux_disk_activity_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t s_nProbeBytes = 1024;
constexpr std::size_t s_nDirectIoAlignment = 4096;

struct FdCloser {
    void operator()(const int* pFd) const
    {
        close(*pFd);
        delete pFd;
    }
};
using UniqueFd = std::unique_ptr<int, FdCloser>;

struct DirCloser {
    void operator()(DIR* pDir) const { closedir(pDir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

bool IsDotOrDotDot(const char* pszName)
{
    return std::strcmp(pszName, ".") == 0 || std::strcmp(pszName, "..") == 0;
}

// The entry's type without following a link.
unsigned char EntryType(int nDirFd, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat status {};
    if (fstatat(nDirFd, entry.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return S_ISDIR(status.st_mode) ? DT_DIR : S_ISREG(status.st_mode) ? DT_REG : DT_UNKNOWN;
}

// A directory of the root's file system, opened without following a link.
UniqueDir OpenDirectory(int nParentFd, const char* pszName, unsigned long nRootDevice)
{
    const int nFd = openat(nParentFd, pszName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (nFd < 0)
        return nullptr;
    struct stat status {};
    if (fstat(nFd, &status) != 0 || status.st_dev != nRootDevice) {
        close(nFd);
        return nullptr;
    }
    DIR* pDir = fdopendir(nFd);
    if (!pDir)
        close(nFd);
    return UniqueDir(pDir);
}

bool ReadFirstKilobyte(int nFd)
{
    void* pBuffer = std::aligned_alloc(s_nDirectIoAlignment, s_nDirectIoAlignment);
    if (!pBuffer)
        return false;
    const bool bRead = pread(nFd, pBuffer, s_nProbeBytes, 0) >= 0;
    std::free(pBuffer);
    return bRead;
}

} // namespace

ProbeResult ProbeFile(int nDirFd, const char* pszName, unsigned long nRootDevice)
{
    struct stat status {};
    if (fstatat(nDirFd, pszName, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode))
        return ProbeResult::NotRegular;

    constexpr int nFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    bool bDirect = true;
    int nFd = openat(nDirFd, pszName, nFlags | O_DIRECT);
    if (nFd < 0 && errno == EINVAL) {
        bDirect = false;
        nFd = openat(nDirFd, pszName, nFlags);
    }
    if (nFd < 0)
        return ProbeResult::OpenFailed;
    const UniqueFd fd(new int(nFd));

    // Whatever was opened must still be the regular file that was looked at.
    if (fstat(nFd, &status) != 0 || !S_ISREG(status.st_mode))
        return ProbeResult::NotRegular;
    if (status.st_dev != nRootDevice)
        return ProbeResult::OtherFileSystem;

    if (bDirect && ReadFirstKilobyte(nFd))
        return ProbeResult::Read;
    // No direct I/O here (or not for this size): drop the cached pages so the read goes to the disk.
    if (bDirect)
        fcntl(nFd, F_SETFL, O_RDONLY | O_NONBLOCK);
    posix_fadvise(nFd, 0, 0, POSIX_FADV_DONTNEED);
    return ReadFirstKilobyte(nFd) ? ProbeResult::Read : ProbeResult::ReadFailed;
}

void WalkDiskActivityPass(const std::string& strRoot, const DiskActivityWalk& walk)
{
    struct stat rootStatus {};
    const UniqueDir root(opendir(strRoot.c_str()));
    if (!root || fstat(dirfd(root.get()), &rootStatus) != 0)
        return;
    const unsigned long nRootDevice = rootStatus.st_dev;
    const int nRootFd = dirfd(root.get());
    while (walk.keepRunning()) {
        const dirent* pEntry = readdir(root.get());
        if (!pEntry)
            return;
        if (IsDotOrDotDot(pEntry->d_name))
            continue;
        if (EntryType(nRootFd, *pEntry) != DT_DIR) {
            walk.probe(nRootFd, pEntry->d_name, nRootDevice);
            walk.yield();
            continue;
        }
        const UniqueDir directory = OpenDirectory(nRootFd, pEntry->d_name, nRootDevice);
        if (!directory)
            continue;
        const int nDirFd = dirfd(directory.get());
        while (walk.keepRunning()) {
            const dirent* pInner = readdir(directory.get());
            if (!pInner)
                break;
            if (IsDotOrDotDot(pInner->d_name) || EntryType(nDirFd, *pInner) == DT_DIR)
                continue;
            walk.probe(nDirFd, pInner->d_name, nRootDevice);
            walk.yield();
        }
    }
}

void RunDiskActivityWalk(const std::string& strRoot, const DiskActivityWalk& walk)
{
    while (walk.keepRunning()) {
        WalkDiskActivityPass(strRoot, walk);
        // A root that cannot be read is retried at once; the yield keeps that from spinning.
        walk.yield();
    }
}
