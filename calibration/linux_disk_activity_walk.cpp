#include "calibration/linux_disk_activity_walk.h"

#include "calibration/linux_uncached_read.h"
#include "drive/linux_mount_info.h"
#include "drive/linux_sysfs_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <unordered_set>

namespace {

// Looks at an entry without following a link and without triggering an automount.
constexpr int s_nLookFlags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT;

struct DirCloser {
    void operator()(DIR* pDir) const { closedir(pDir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

bool IsDotOrDotDot(const char* pszName)
{
    return std::strcmp(pszName, ".") == 0 || std::strcmp(pszName, "..") == 0;
}

bool IsDirectory(int nDirFd, const dirent& entry)
{
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat status {};
    return fstatat(nDirFd, entry.d_name, &status, s_nLookFlags) == 0 && S_ISDIR(status.st_mode);
}

enum class TopLevelKind { File, OwnDirectory, ForeignDirectory };

// Decided before anything opens the entry: a mount point (an automount one
// included) shows another device here and is never opened.
TopLevelKind ClassifyTopLevel(int nRootFd, const char* pszName, unsigned long nRootDevice)
{
    struct stat status {};
    if (fstatat(nRootFd, pszName, &status, s_nLookFlags) != 0 || !S_ISDIR(status.st_mode))
        return TopLevelKind::File;
    return status.st_dev == nRootDevice ? TopLevelKind::OwnDirectory : TopLevelKind::ForeignDirectory;
}

// A directory of the root's file system, opened without following a link; a
// directory swapped in since it was looked at is left again.
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

// The mount points among the entries the walk meets, as "name" and "directory/name"
// relative to strRoot.
std::unordered_set<std::string> MountPointsMet(const std::string& strRoot, const std::string& strMountInfo)
{
    const std::optional<std::string> mountInfo = ReadSmallFile(strMountInfo);
    std::string strPrefix = ResolvedPath(strRoot);
    if (!mountInfo || strPrefix.empty())
        return {};
    if (!strPrefix.ends_with('/'))
        strPrefix += '/';
    std::unordered_set<std::string> mountPoints;
    for (const MountInfoEntry& entry : ParseMountInfo(*mountInfo)) {
        if (!entry.strMountPoint.starts_with(strPrefix) || entry.strMountPoint.size() == strPrefix.size())
            continue;
        std::string strBelow = entry.strMountPoint.substr(strPrefix.size());
        if (std::count(strBelow.begin(), strBelow.end(), '/') <= 1)
            mountPoints.insert(std::move(strBelow));
    }
    return mountPoints;
}

} // namespace

ProbeResult ProbeFile(int nDirFd, const char* pszName, unsigned long nRootDevice)
{
    struct stat status {};
    if (fstatat(nDirFd, pszName, &status, s_nLookFlags) != 0 || !S_ISREG(status.st_mode))
        return ProbeResult::NotRegular;
    if (status.st_dev != nRootDevice)
        return ProbeResult::OtherFileSystem;

    UncachedFile file(nDirFd, pszName, O_NOFOLLOW | O_NONBLOCK);
    if (!file.IsOpen())
        return ProbeResult::OpenFailed;
    // Whatever was opened must still be the regular file that was looked at.
    if (fstat(file.Fd(), &status) != 0 || !S_ISREG(status.st_mode))
        return ProbeResult::NotRegular;
    if (status.st_dev != nRootDevice)
        return ProbeResult::OtherFileSystem;
    return file.ReadStart() ? ProbeResult::Read : ProbeResult::ReadFailed;
}

void WalkDiskActivityPass(const std::string& strRoot, const DiskActivityWalk& walk)
{
    struct stat rootStatus {};
    const UniqueDir root(opendir(strRoot.c_str()));
    if (!root || fstat(dirfd(root.get()), &rootStatus) != 0)
        return;
    const unsigned long nRootDevice = rootStatus.st_dev;
    const int nRootFd = dirfd(root.get());
    const std::unordered_set<std::string> mountPoints = MountPointsMet(strRoot, walk.strMountInfo);
    while (walk.keepRunning()) {
        const dirent* pEntry = readdir(root.get());
        if (!pEntry)
            return;
        if (IsDotOrDotDot(pEntry->d_name) || mountPoints.contains(pEntry->d_name))
            continue;
        const TopLevelKind kind = ClassifyTopLevel(nRootFd, pEntry->d_name, nRootDevice);
        if (kind == TopLevelKind::ForeignDirectory)
            continue;
        if (kind == TopLevelKind::File) {
            walk.probe(nRootFd, pEntry->d_name, nRootDevice);
            walk.yield();
            continue;
        }
        const UniqueDir directory = OpenDirectory(nRootFd, pEntry->d_name, nRootDevice);
        if (!directory)
            continue;
        const int nDirFd = dirfd(directory.get());
        const std::string strDirectoryPrefix = std::string(pEntry->d_name) + "/";
        while (walk.keepRunning()) {
            const dirent* pInner = readdir(directory.get());
            if (!pInner)
                break;
            if (IsDotOrDotDot(pInner->d_name) || mountPoints.contains(strDirectoryPrefix + pInner->d_name)
                || IsDirectory(nDirFd, *pInner))
                continue;
            walk.probe(nDirFd, pInner->d_name, nRootDevice);
            walk.yield();
        }
    }
}

void RunDiskActivityWalk(const std::string& strRoot, const DiskActivityWalk& walk)
{
    // A root that cannot be read is retried at once: the thread's idle priority keeps the
    // retries from taking time from anything else.
    while (walk.keepRunning())
        WalkDiskActivityPass(strRoot, walk);
}
