#pragma once

#include "drive/linux_drive_roots.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

// sysfs, procfs and /dev in a temporary folder that goes away with the object.
// Paths are relative to that folder; links are relative, as the kernel's are,
// so that resolving them stays inside the tree.
class LinuxFakeSystemTree {
public:
    LinuxFakeSystemTree() : m_strRoot((std::filesystem::temp_directory_path() / "quorvel-drive-XXXXXX").string())
    {
        if (mkdtemp(m_strRoot.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
    }
    ~LinuxFakeSystemTree()
    {
        std::error_code error;
        std::filesystem::remove_all(m_strRoot, error);
    }
    LinuxFakeSystemTree(const LinuxFakeSystemTree&) = delete;
    LinuxFakeSystemTree& operator=(const LinuxFakeSystemTree&) = delete;

    LinuxDriveRoots Roots() const { return {Path("sys"), Path("proc"), Path("dev")}; }
    std::string Path(const std::string& strRelative) const { return m_strRoot + "/" + strRelative; }

    void WriteFile(const std::string& strRelative, const std::string& strContent) const
    {
        std::filesystem::create_directories(std::filesystem::path(Path(strRelative)).parent_path());
        std::ofstream(Path(strRelative), std::ios::binary) << strContent;
    }

    void Link(const std::string& strRelative, const std::string& strTarget) const
    {
        const std::filesystem::path link = Path(strRelative);
        std::filesystem::create_directories(link.parent_path());
        std::filesystem::create_symlink(std::filesystem::path(Path(strTarget)).lexically_relative(link.parent_path()),
                                        link);
    }

    // A whole disk at sys/devices/<strDevicePath>, named by its last component,
    // in sys/block and sys/dev/block; unless virtual, its `device` link points
    // at the folder holding it (past block/). Returns its folder.
    std::string AddDisk(const std::string& strDevicePath, const std::string& strNumber) const
    {
        const std::filesystem::path folder = "sys/devices/" + strDevicePath;
        if (!strDevicePath.starts_with("virtual/block/")) {
            const std::filesystem::path parent = folder.parent_path();
            Link(folder / "device", (parent.filename() == "block" ? parent.parent_path() : parent).string());
        }
        Link("sys/block/" + folder.filename().string(), folder.string());
        return AddDevNumber(folder.string(), strNumber);
    }

    std::string AddPartition(const std::string& strDiskFolder, const std::string& strName,
                             const std::string& strNumber) const
    {
        WriteFile(strDiskFolder + "/" + strName + "/partition", "1\n");
        return AddDevNumber(strDiskFolder + "/" + strName, strNumber);
    }

private:
    std::string AddDevNumber(const std::string& strFolder, const std::string& strNumber) const
    {
        WriteFile(strFolder + "/dev", strNumber + "\n");
        Link("sys/dev/block/" + strNumber, strFolder);
        return strFolder;
    }

    std::string m_strRoot;
};
