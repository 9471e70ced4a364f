#pragma once

#include <functional>
#include <string>

enum class ProbeResult { Read, NotRegular, OtherFileSystem, OpenFailed, ReadFailed };

// Reads the first kilobyte of the regular file name in directory nDirFd past the
// page cache: with O_DIRECT, or where that is refused, after dropping the file's
// cached pages. Never follows a link, never opens anything but a regular file on
// the device nRootDevice, never blocks on a FIFO.
ProbeResult ProbeFile(int nDirFd, const char* pszName, unsigned long nRootDevice);

struct DiskActivityWalk {
    // Checked before every pass and every entry; the walk ends when it is false.
    std::function<bool()> keepRunning;
    // Called for every file met: by default ProbeFile.
    std::function<void(int nDirFd, const char* pszName, unsigned long nRootDevice)> probe;
    // Called after every file of the root and of a top-level directory.
    std::function<void()> yield;
};

// One pass over the entries of strRoot and those directly inside each of its
// directories, in the order the file system returns them.
void WalkDiskActivityPass(const std::string& strRoot, const DiskActivityWalk& walk);

// Pass after pass, until walk.keepRunning() says no.
void RunDiskActivityWalk(const std::string& strRoot, const DiskActivityWalk& walk);
