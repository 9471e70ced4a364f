#include "calibration/linux_disk_activity_walk.h"
#include "calibration/linux_uncached_read.h"

#include "../linux_loop_device.h"
#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Which of the file's pages the page cache holds.
std::vector<bool> CachedPages(const fs::path& file)
{
    // O_NOATIME: the mapping must not touch the access time that the tests look at.
    const int nFd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOATIME);
    const std::size_t nSize = fs::file_size(file);
    const std::size_t nPage = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    void* pMap = mmap(nullptr, nSize, PROT_READ, MAP_SHARED, nFd, 0);
    std::vector<unsigned char> resident((nSize + nPage - 1) / nPage);
    mincore(pMap, nSize, resident.data());
    munmap(pMap, nSize);
    close(nFd);
    return {resident.begin(), resident.end()};
}

} // namespace

TEST(UncachedRead, DirectReadsOfAWholeSectorReachTheDeviceOn512And4096ByteSectors)
{
    for (unsigned nSector : {512u, 4096u}) {
        SCOPED_TRACE(nSector);
        LoopDeviceFileSystem device(nSector);
        if (!device.SkipReason().empty())
            GTEST_SKIP() << device.SkipReason();
        const fs::path file = device.WriteUncachedFile("program", 64 << 10);

        // The kernel's statx answer and the sysfs fallback agree with the device.
        struct stat status {};
        ASSERT_EQ(stat(file.c_str(), &status), 0);
        EXPECT_EQ(LogicalBlockSize(status.st_dev), nSector);

        // An access time that relatime would replace at the next read.
        const timespec times[2] = {{1, 0}, {0, UTIME_OMIT}};
        ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
        UncachedFile opened(AT_FDCWD, file.c_str(), 0);
        ASSERT_TRUE(opened.IsOpen());
        EXPECT_TRUE(opened.Direct());
        EXPECT_EQ(opened.ReadSize(), std::max<std::size_t>(1024, nSector));

        constexpr int nReads = 8;
        const long long nBefore = device.BytesRead();
        for (int i = 0; i < nReads; ++i)
            ASSERT_TRUE(opened.ReadStart()) << "read " << i << ": " << std::strerror(errno);
        EXPECT_GE(device.BytesRead() - nBefore, static_cast<long long>(nReads) * nSector);
        // Past the cache: not even the first page stays behind.
        EXPECT_FALSE(CachedPages(file)[0]);

        // The walk's probe reads the same way.
        const int nDirFd = open(device.MountPoint().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const long long nBeforeProbes = device.BytesRead();
        for (int i = 0; i < nReads; ++i)
            EXPECT_EQ(ProbeFile(nDirFd, "program", status.st_dev), ProbeResult::Read);
        close(nDirFd);
        EXPECT_GE(device.BytesRead() - nBeforeProbes, static_cast<long long>(nReads) * nSector);
        EXPECT_FALSE(CachedPages(file)[0]);
        ASSERT_EQ(stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_atim.tv_sec, 1) << "reading wrote the access time";
    }
}

TEST(UncachedRead, WhereDirectIoIsRefusedOnlyTheReadRangeLeavesTheCache)
{
    // With its data journalled, ext4 offers no direct I/O for the file.
    LoopDeviceFileSystem device(4096, "data=journal");
    if (!device.SkipReason().empty())
        GTEST_SKIP() << device.SkipReason();
    const fs::path file = device.WriteUncachedFile("program", 4 << 20);
    std::ifstream(file).ignore(8 << 20); // now all of it is cached

    UncachedFile opened(AT_FDCWD, file.c_str(), 0);
    ASSERT_TRUE(opened.IsOpen());
    EXPECT_FALSE(opened.Direct());
    const long long nBefore = device.BytesRead();
    ASSERT_TRUE(opened.ReadStart());
    EXPECT_GE(device.BytesRead() - nBefore, 4096);
    // The rest of the file, far beyond any read-ahead of the first page, stays cached.
    const std::vector<bool> cached = CachedPages(file);
    EXPECT_TRUE(cached[cached.size() - 1]);
    EXPECT_TRUE(cached[cached.size() / 2]);
}

TEST(UncachedRead, LogicalBlockSizeOfAPartitionIsItsDisksAndUnknownIsZero)
{
    TempFolder sys("quorvel-sysfs");
    fs::create_directories(sys.Root() / "devices/nvme0n1/nvme0n1p2");
    fs::create_directories(sys.Root() / "devices/nvme0n1/queue");
    std::ofstream(sys.Root() / "devices/nvme0n1/queue/logical_block_size") << "4096\n";
    fs::create_directories(sys.Root() / "devices/dm-0/queue");
    std::ofstream(sys.Root() / "devices/dm-0/queue/logical_block_size") << "512\n";
    fs::create_directories(sys.Root() / "dev/block");
    fs::create_directory_symlink("../../devices/nvme0n1/nvme0n1p2", sys.Root() / "dev/block/259:2");
    fs::create_directory_symlink("../../devices/dm-0", sys.Root() / "dev/block/254:0");

    EXPECT_EQ(LogicalBlockSize(makedev(259, 2), sys.Root().string()), 4096u);
    EXPECT_EQ(LogicalBlockSize(makedev(254, 0), sys.Root().string()), 512u);
    EXPECT_EQ(LogicalBlockSize(makedev(0, 23), sys.Root().string()), 0u);
}
