#include "drive/linux_root_disk.h"

#include "linux_fake_system_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/sysmacros.h>

namespace {

constexpr const char* kSataHost = "pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0/block/";
constexpr const char* kNvmeController = "pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/";

// nvme0n1 comes first in name order, so any other answer comes from following "/".
class LinuxRootDiskTest : public ::testing::Test {
protected:
    LinuxRootDiskTest()
    {
        m_tree.AddDisk(std::string(kNvmeController) + "nvme0n1", "259:0");
        m_strSda = m_tree.AddDisk(std::string(kSataHost) + "sda", "8:0");
        m_strSdb = m_tree.AddDisk("pci0000:00/0000:00:17.0/ata4/host3/target3:0:0/3:0:0:0/block/sdb", "8:16");
        m_strSdc = m_tree.AddDisk("pci0000:00/0000:00:17.0/ata5/host4/target4:0:0/4:0:0:0/block/sdc", "8:32");
    }

    std::string DiskFor(dev_t rootDevice) const { return FindFirstFixedDisk(m_tree.Roots(), rootDevice); }

    LinuxFakeSystemTree m_tree;
    std::string m_strSda, m_strSdb, m_strSdc;
};

} // namespace

TEST_F(LinuxRootDiskTest, FollowsTheRootDeviceThroughPartitionsAndStackedDevices)
{
    const std::string strSda2 = m_tree.AddPartition(m_strSda, "sda2", "8:2");
    const std::string strSdb1 = m_tree.AddPartition(m_strSdb, "sdb1", "8:17");
    const std::string strSdc1 = m_tree.AddPartition(m_strSdc, "sdc1", "8:33");
    m_tree.AddStackedDevice("dm-0", "254:0", {strSda2});
    const std::string strMd0 = m_tree.AddStackedDevice("md0", "9:0", {strSdc1, strSdb1});
    m_tree.AddStackedDevice("dm-1", "254:1", {strMd0});

    EXPECT_EQ(DiskFor(makedev(8, 0)), "sda");
    EXPECT_EQ(DiskFor(makedev(8, 2)), "sda");
    EXPECT_EQ(DiskFor(makedev(254, 0)), "sda") << "LVM on sda2";
    EXPECT_EQ(DiskFor(makedev(254, 1)), "sdb") << "LUKS on RAID on sdb1 and sdc1: the first slave by name";
}

TEST_F(LinuxRootDiskTest, TakesTheSourceOfRootFromMountinfoForMajorZero)
{
    // /dev/null stands in for the source's device node; sysfs maps its 1:3 to sdb2.
    m_tree.AddPartition(m_strSdb, "sdb2", "1:3");
    m_tree.Link("dev/sdb2", "../../../dev/null");
    std::filesystem::create_symlink("/dev/null", m_tree.Path("dev/disk label"));
    m_tree.WriteFile("proc/self/mountinfo",
                     "21 1 0:19 / / rw - overlay overlay rw\n"
                     "22 21 0:21 / /proc rw - proc proc rw\n"
                     "23 1 0:24 /@ / rw,relatime shared:1 - btrfs /dev/disk\\040label rw\n");
    EXPECT_EQ(DiskFor(makedev(0, 24)), "sdb") << "the topmost mount on /, source unescaped";

    m_tree.WriteFile("proc/self/mountinfo", "21 1 0:19 / / rw - overlay overlay rw\n");
    EXPECT_EQ(DiskFor(makedev(0, 19)), "nvme0n1") << "no device node: the first fixed disk";
}

TEST(LinuxRootDisk, FallsBackToTheFirstDiskThatIsNeitherVirtualRemovableUsbNorHidden)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("virtual/block/loop0", "7:0");
    tree.WriteFile(tree.AddDisk(std::string(kNvmeController) + "nvme0c0n1", "259:1") + "/hidden", "1\n");
    tree.AddDisk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sda", "8:0");
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:1e.0/host7/target7:0:0/7:0:0:0/block/sdb", "8:16") + "/removable",
                   "1\n");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(7, 0)), "") << "only a loop device under /";

    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:1f.2/ata1/host0/target0:0:0/0:0:0:0/block/sdc", "8:32")
                       + "/removable",
                   "0\n");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(7, 0)), "sdc");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(65, 0)), "sdc") << "a root device sysfs does not know";
}
