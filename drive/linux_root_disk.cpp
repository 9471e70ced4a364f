#include "drive/linux_root_disk.h"

#include "drive/linux_mount_info.h"
#include "drive/linux_sysfs_file.h"

#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace {

// Real stacks (LUKS on LVM on RAID on a partition) are a few levels deep;
// deeper means the links go round in a cycle.
constexpr int kMaxStackDepth = 8;

bool IsVirtualBlockDevice(const std::vector<std::string>& components)
{
    return components.size() > 3 && components[0] == "devices" && components[1] == "virtual"
        && components[2] == "block";
}

bool IsOnUsb(const std::vector<std::string>& components)
{
    for (const std::string& strComponent : components)
        if (strComponent.starts_with("usb"))
            return true;
    return false;
}

// The kernel calls a card in a built-in reader fixed (removable 0); its type tells it.
bool IsSdCard(const std::string& strDiskPath)
{
    return ReadSmallFile(strDiskPath + "/device/type") == "SD\n";
}

// The source of the topmost mount on "/", the last one that mountinfo lists.
std::optional<std::string> RootMountSource(const std::string& strProcRoot)
{
    const std::optional<std::string> mountInfo = ReadSmallFile(strProcRoot + "/self/mountinfo");
    if (!mountInfo)
        return std::nullopt;
    std::optional<std::string> source;
    for (const MountInfoEntry& entry : ParseMountInfo(*mountInfo))
        if (entry.strMountPoint == "/")
            source = entry.strSource;
    return source;
}

// For file systems without a block device of their own (btrfs, overlay), the
// device behind the source of "/" in mountinfo, looked up under the /dev root.
std::optional<dev_t> RootMountSourceDevice(const LinuxDriveRoots& roots)
{
    const std::optional<std::string> source = RootMountSource(roots.strProc);
    if (!source || !source->starts_with("/dev/"))
        return std::nullopt;
    struct stat node {};
    if (stat((roots.strDev + source->substr(4)).c_str(), &node) != 0 || major(node.st_rdev) == 0)
        return std::nullopt;
    return node.st_rdev;
}

// Follows a block device down to the whole disk under it: a partition to its
// disk, a dm, md, LVM or LUKS device to the first of its slaves.
std::string WholeDiskUnder(const LinuxDriveRoots& roots, const std::string& strDevicePath, int nDepth)
{
    if (strDevicePath.empty() || nDepth > kMaxStackDepth)
        return {};
    std::filesystem::path device(strDevicePath);
    std::error_code error;
    if (std::filesystem::exists(device / "partition", error))
        device = device.parent_path();
    const std::vector<std::string> slaves = SortedEntryNames((device / "slaves").string());
    if (!slaves.empty())
        return WholeDiskUnder(roots, ResolvedPath((device / "slaves" / slaves.front()).string()), nDepth + 1);
    if (IsVirtualBlockDevice(ComponentsBelow(roots.strSys, device.string())))
        return {};
    return device.filename().string();
}

std::string DiskUnderRoot(const LinuxDriveRoots& roots, dev_t rootDevice)
{
    if (major(rootDevice) == 0) {
        const std::optional<dev_t> sourceDevice = RootMountSourceDevice(roots);
        if (!sourceDevice)
            return {};
        rootDevice = *sourceDevice;
    }
    const std::string strLink =
        roots.strSys + "/dev/block/" + std::to_string(major(rootDevice)) + ":" + std::to_string(minor(rootDevice));
    return WholeDiskUnder(roots, ResolvedPath(strLink), 0);
}

std::string FirstFixedDiskInSysBlock(const std::string& strSysRoot)
{
    for (const std::string& strDisk : SortedEntryNames(strSysRoot + "/block")) {
        const std::string strDiskPath = strSysRoot + "/block/" + strDisk;
        const std::vector<std::string> components = ComponentsBelow(strSysRoot, strDiskPath);
        if (components.empty() || IsVirtualBlockDevice(components) || IsOnUsb(components)
            || IsFlagSet(strDiskPath + "/removable") || IsFlagSet(strDiskPath + "/hidden") || IsSdCard(strDiskPath))
            continue;
        return strDisk;
    }
    return {};
}

} // namespace

dev_t RootFileSystemDevice()
{
    struct stat root {};
    return stat("/", &root) == 0 ? root.st_dev : makedev(0, 0);
}

std::string FindFirstFixedDisk(const LinuxDriveRoots& roots, dev_t rootDevice)
{
    const std::string strDisk = DiskUnderRoot(roots, rootDevice);
    return strDisk.empty() ? FirstFixedDiskInSysBlock(roots.strSys) : strDisk;
}
