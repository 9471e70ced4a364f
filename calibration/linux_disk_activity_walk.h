#pragma once

#include <functional>
#include <string>

enum class ProbeResult { Read, NotRegular, OtherFileSystem, OpenFailed, ReadFailed };

// Reads the start of the regular file name in directory nDirFd past the page
// cache (see UncachedFile). Never follows a link, never triggers an automount,
// never opens anything but a regular file on the device nRootDevice, never
// blocks on a FIFO.
ProbeResult ProbeFile(int nDirFd, const char* pszName, unsigned long nRootDevice);

struct DiskActivityWalk {
    // Checked before every pass and every entry; the walk ends when it is false.
    std::function<bool()> keepRunning;
    // Called for every file met: by default ProbeFile.
    std::function<void(int nDirFd, const char* pszName, unsigned long nRootDevice)> probe;
    // Called after every file of the root and of a top-level directory.
    std::function<void()> yield;
    // Where the walk learns the mount points, read afresh for every pass.
    std::string strMountInfo = "/proc/self/mountinfo";
};

// One pass over the entries of strRoot and those directly inside each of its
// directories, in the order the file system returns them. A mount point is passed
// over without a system call on it, so a file system that does not answer cannot
// stop the walk; a top-level directory on another file system (an automount point
// included) is skipped unopened.
void WalkDiskActivityPass(const std::string& strRoot, const DiskActivityWalk& walk);

// Pass after pass, each beginning at once, until walk.keepRunning() says no.
void RunDiskActivityWalk(const std::string& strRoot, const DiskActivityWalk& walk);
