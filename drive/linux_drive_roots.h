#pragma once

#include <string>

// Where the drive reader finds sysfs, procfs and the device nodes; tests point
// these at a tree of their own.
struct LinuxDriveRoots {
    std::string strSys = "/sys";
    std::string strProc = "/proc";
    std::string strDev = "/dev";
};
