#pragma once

#include "temp_folder.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// An ext4 file system on a real loop device with the given logical sector size,
// mounted in a temporary folder, made only where the test runs as root and the
// kernel offers loop devices. Everything it set up is taken down again with the
// object, also when a test fails half-way.
class LoopDeviceFileSystem {
public:
    LoopDeviceFileSystem(unsigned nSectorSize, const std::string& strMountOptions = "")
    {
        if (geteuid() != 0) {
            m_strSkipReason = "needs root to set up a loop device";
            return;
        }
        if (!std::filesystem::exists("/dev/loop-control")) {
            m_strSkipReason = "the kernel offers no loop devices (/dev/loop-control missing)";
            return;
        }
        const std::filesystem::path image = m_folder.Root() / "image";
        std::filesystem::create_directory(m_folder.Root() / "mnt");
        std::ofstream(image).close();
        std::filesystem::resize_file(image, 64 << 20);
        m_strDevice = Output("losetup --sector-size " + std::to_string(nSectorSize) + " -f --show " + image.string());
        if (m_strDevice.empty()) {
            m_strSkipReason = "losetup could not attach a loop device with " + std::to_string(nSectorSize) +
                              "-byte sectors";
            return;
        }
        if (Run("mkfs.ext4 -q -F " + m_strDevice) != 0) {
            m_strSkipReason = "mkfs.ext4 failed on " + m_strDevice;
            return;
        }
        const std::string strOptions = strMountOptions.empty() ? "" : " -o " + strMountOptions;
        if (Run("mount -t ext4" + strOptions + " " + m_strDevice + " " + MountPoint().string()) != 0) {
            m_strSkipReason = "could not mount " + m_strDevice;
            return;
        }
        m_bMounted = true;
    }

    ~LoopDeviceFileSystem()
    {
        if (m_bMounted && umount(MountPoint().c_str()) != 0)
            umount2(MountPoint().c_str(), MNT_DETACH);
        if (!m_strDevice.empty())
            Run("losetup -d " + m_strDevice);
    }
    LoopDeviceFileSystem(const LoopDeviceFileSystem&) = delete;
    LoopDeviceFileSystem& operator=(const LoopDeviceFileSystem&) = delete;

    // Empty when the file system is there; otherwise why it is not.
    const std::string& SkipReason() const { return m_strSkipReason; }
    std::filesystem::path MountPoint() const { return m_folder.Root() / "mnt"; }

    // Bytes read from the device so far, from its sector counter (always in 512-byte units).
    long long BytesRead() const
    {
        std::ifstream stat("/sys/block/" + std::filesystem::path(m_strDevice).filename().string() + "/stat");
        long long nReads = 0, nMerged = 0, nSectors = -1;
        stat >> nReads >> nMerged >> nSectors;
        return nSectors * 512;
    }

    // A file with nBytes of data, on the disk and out of the page cache.
    std::filesystem::path WriteUncachedFile(const std::string& strName, std::size_t nBytes) const
    {
        const std::filesystem::path file = MountPoint() / strName;
        std::ofstream(file) << std::string(nBytes, 'q');
        Run("sync " + file.string());
        std::FILE* pFile = std::fopen(file.c_str(), "r");
        posix_fadvise(fileno(pFile), 0, 0, POSIX_FADV_DONTNEED);
        std::fclose(pFile);
        return file;
    }

private:
    static int Run(const std::string& strCommand) { return std::system((strCommand + " >/dev/null 2>&1").c_str()); }
    static std::string Output(const std::string& strCommand)
    {
        std::string strOut;
        if (std::FILE* pPipe = popen((strCommand + " 2>/dev/null").c_str(), "r")) {
            char szLine[256];
            while (std::fgets(szLine, sizeof szLine, pPipe))
                strOut += szLine;
            pclose(pPipe);
        }
        while (!strOut.empty() && (strOut.back() == '\n' || strOut.back() == ' '))
            strOut.pop_back();
        return strOut;
    }

    TempFolder m_folder{"quorvel-loop"};
    std::string m_strDevice;
    std::string m_strSkipReason;
    bool m_bMounted = false;
};
