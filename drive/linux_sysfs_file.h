#pragma once

#include <optional>
#include <string>
#include <vector>

// The whole content of a small file such as a sysfs attribute; nullopt when it
// cannot be read.
std::optional<std::string> ReadSmallFile(const std::string& strPath);

// Whether an attribute such as `removable` reads 1.
bool IsFlagSet(const std::string& strPath);

// The path with every symbolic link resolved; empty when it does not resolve.
std::string ResolvedPath(const std::string& strPath);

// The entries of a folder in name order; none when it cannot be read.
std::vector<std::string> SortedEntryNames(const std::string& strFolder);

// The components of strPath below strRoot, both with their links resolved, such
// as {"devices", "virtual", "block", "loop0"} for /sys/block/loop0 below /sys;
// none when strPath does not resolve to a place below strRoot.
std::vector<std::string> ComponentsBelow(const std::string& strRoot, const std::string& strPath);
