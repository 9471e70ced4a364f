#include "linux_fake_system_tree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

LinuxFakeSystemTree::LinuxFakeSystemTree()
{
    std::string strTemplate = (fs::temp_directory_path() / "quorvel-drive-XXXXXX").string();
    if (mkdtemp(strTemplate.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_strRoot = strTemplate;
}

LinuxFakeSystemTree::~LinuxFakeSystemTree()
{
    std::error_code error;
    fs::remove_all(m_strRoot, error);
}

LinuxDriveRoots LinuxFakeSystemTree::Roots() const
{
    return {Path("sys"), Path("proc"), Path("dev")};
}

std::string LinuxFakeSystemTree::Path(std::string_view relative) const
{
    return m_strRoot + "/" + std::string(relative);
}

void LinuxFakeSystemTree::WriteFile(std::string_view relative, std::string_view content) const
{
    const fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

void LinuxFakeSystemTree::Link(std::string_view relative, std::string_view targetRelative) const
{
    const fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    fs::create_symlink(fs::path(Path(targetRelative)).lexically_relative(path.parent_path()), path);
}

std::string LinuxFakeSystemTree::AddDisk(std::string_view devicePath, std::string_view number) const
{
    const std::string strFolder = "sys/devices/" + std::string(devicePath);
    const std::string strName = fs::path(strFolder).filename().string();
    WriteFile(strFolder + "/dev", std::string(number) + "\n");
    if (!devicePath.starts_with("virtual/block/")) {
        fs::path device = fs::path(strFolder).parent_path();
        if (device.filename() == "block")
            device = device.parent_path();
        Link(strFolder + "/device", device.string());
    }
    Link("sys/block/" + strName, strFolder);
    Link("sys/dev/block/" + std::string(number), strFolder);
    return strFolder;
}

std::string LinuxFakeSystemTree::AddPartition(std::string_view diskFolder, std::string_view name,
                                              std::string_view number) const
{
    const std::string strFolder = std::string(diskFolder) + "/" + std::string(name);
    WriteFile(strFolder + "/partition", "1\n");
    Link("sys/dev/block/" + std::string(number), strFolder);
    return strFolder;
}

std::string LinuxFakeSystemTree::AddStackedDevice(std::string_view name, std::string_view number,
                                                  std::initializer_list<std::string_view> slaveFolders) const
{
    const std::string strFolder = AddDisk("virtual/block/" + std::string(name), number);
    for (std::string_view slave : slaveFolders)
        Link(strFolder + "/slaves/" + fs::path(slave).filename().string(), slave);
    return strFolder;
}
