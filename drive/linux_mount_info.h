#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line of /proc/<pid>/mountinfo, its escapes (\040 for a space) undone.
struct MountInfoEntry {
    std::string strMountPoint;
    std::string strSource;
};

// The mounts in the order the kernel lists them; malformed lines are left out.
std::vector<MountInfoEntry> ParseMountInfo(std::string_view text);
