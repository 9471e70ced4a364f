#include "drive/linux_root_disk.h"

#include "linux_fake_system_tree.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

namespace {

std::string AddSataDisk(const LinuxFakeSystemTree& tree, const std::string& strName, int nPort, const char* pszNumber)
{
    const std::string strHost = std::to_string(nPort - 1);
    return tree.AddDisk("pci0000:00/0000:00:17.0/ata" + std::to_string(nPort) + "/host" + strHost + "/target" + strHost
                            + ":0:0/" + strHost + ":0:0:0/block/" + strName,
                        pszNumber);
}

} // namespace

// nvme0n1 comes first in name order, so any other answer comes from following "/".
TEST(LinuxRootDisk, FollowsRootThroughPartitionsStackedDevicesAndMountinfo)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1", "259:0");
    const std::string strSda2 = tree.AddPartition(AddSataDisk(tree, "sda", 1, "8:0"), "sda2", "8:2");
    const std::string strSdb = AddSataDisk(tree, "sdb", 2, "8:16");
    const std::string strSdb1 = tree.AddPartition(strSdb, "sdb1", "8:17");
    const std::string strSdc1 = tree.AddPartition(AddSataDisk(tree, "sdc", 3, "8:32"), "sdc1", "8:33");
    tree.Link(tree.AddDisk("virtual/block/dm-0", "254:0") + "/slaves/sda2", strSda2);
    const std::string strMd0 = tree.AddDisk("virtual/block/md0", "9:0");
    tree.Link(strMd0 + "/slaves/sdc1", strSdc1);
    tree.Link(strMd0 + "/slaves/sdb1", strSdb1);
    tree.Link(tree.AddDisk("virtual/block/dm-1", "254:1") + "/slaves/md0", strMd0);
    const auto DiskFor = [&](dev_t rootDevice) { return FindFirstFixedDisk(tree.Roots(), rootDevice); };

    EXPECT_EQ(DiskFor(makedev(8, 0)), "sda");
    EXPECT_EQ(DiskFor(makedev(8, 2)), "sda");
    EXPECT_EQ(DiskFor(makedev(254, 0)), "sda") << "LVM on sda2";
    EXPECT_EQ(DiskFor(makedev(254, 1)), "sdb") << "LUKS on RAID on sdc1 and sdb1: the first slave by name";

    // Major 0: /dev/null stands in for the mount source's node, and sysfs maps its 1:3 to sdb2.
    tree.AddPartition(strSdb, "sdb2", "1:3");
    std::filesystem::create_directory(tree.Path("dev"));
    std::filesystem::create_symlink("/dev/null", tree.Path("dev/disk label"));
    tree.WriteFile("proc/self/mountinfo", "21 1 0:19 / / rw - overlay overlay rw\n"
                                          "22 21 0:21 / /proc rw - proc proc rw\n"
                                          "23 1 0:24 /@ / rw,relatime shared:1 - btrfs /dev/disk\\040label rw\n");
    EXPECT_EQ(DiskFor(makedev(0, 24)), "sdb") << "the topmost mount on /, its source unescaped";
    tree.WriteFile("proc/self/mountinfo", "21 1 0:19 / / rw - overlay overlay rw\n");
    EXPECT_EQ(DiskFor(makedev(0, 19)), "nvme0n1") << "a source without a node";
}

TEST(LinuxRootDisk, FallsBackToTheFirstDiskThatIsNeitherVirtualRemovableUsbNorHidden)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("virtual/block/loop0", "7:0");
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0c0n1", "259:1") + "/hidden", "1");
    tree.AddDisk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sda", "8:0");
    tree.WriteFile(AddSataDisk(tree, "sdb", 2, "8:16") + "/removable", "1\n");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(7, 0)), "") << "only a loop device under /";

    tree.WriteFile(AddSataDisk(tree, "sdc", 3, "8:32") + "/removable", "0\n");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(7, 0)), "sdc");
    EXPECT_EQ(FindFirstFixedDisk(tree.Roots(), makedev(65, 0)), "sdc") << "a root device that sysfs does not know";
}
