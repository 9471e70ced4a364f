#pragma once

#include "drive/linux_drive_roots.h"

#include <initializer_list>
#include <string>
#include <string_view>

// sysfs, procfs and /dev laid out in a temporary folder that goes away with the
// object. Paths are relative to that folder; links are relative symlinks, as
// the kernel's are, so that resolving them stays inside the tree.
class LinuxFakeSystemTree {
public:
    LinuxFakeSystemTree();
    ~LinuxFakeSystemTree();
    LinuxFakeSystemTree(const LinuxFakeSystemTree&) = delete;
    LinuxFakeSystemTree& operator=(const LinuxFakeSystemTree&) = delete;

    LinuxDriveRoots Roots() const;
    std::string Path(std::string_view relative) const;

    void WriteFile(std::string_view relative, std::string_view content) const;
    void Link(std::string_view relative, std::string_view targetRelative) const;

    // A whole disk at sys/devices/<devicePath> (whose last component is its
    // name), listed in sys/block and as sys/dev/block/<number>, its `device`
    // link pointing at the folder that holds it (its block/ folder left out)
    // unless it is virtual. Returns the disk's folder.
    std::string AddDisk(std::string_view devicePath, std::string_view number) const;
    // A partition folder inside a disk's folder.
    std::string AddPartition(std::string_view diskFolder, std::string_view name, std::string_view number) const;
    // A stacked device (dm, md) under sys/devices/virtual/block, its slaves
    // pointing at the given block device folders.
    std::string AddStackedDevice(std::string_view name, std::string_view number,
                                 std::initializer_list<std::string_view> slaveFolders) const;

private:
    std::string m_strRoot;
};
