#pragma once

#include "drive/linux_drive_roots.h"

#include <string>
#include <sys/types.h>

// The device that holds "/" on the running system, as stat() reports it; 0:0,
// which sends the search through mountinfo, when stat() fails.
dev_t RootFileSystemDevice();

// The name of the first fixed disk in /sys/block, such as "sda": the whole disk
// under the root file system on device rootDevice, or else the first disk in
// name order that is neither virtual, removable, on USB, hidden nor an SD card. Empty when
// there is none.
std::string FindFirstFixedDisk(const LinuxDriveRoots& roots, dev_t rootDevice);
