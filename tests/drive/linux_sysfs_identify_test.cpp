#include "drive/linux_sysfs_identify.h"

#include "linux_fake_system_tree.h"
#include "linux_identify_fixtures.h"

#include <gtest/gtest.h>

TEST(LinuxSysfsIdentify, FindsTheLibataDeviceWithAndWithoutPortMultiplier)
{
    LinuxFakeSystemTree tree;
    const auto WriteId = [&](const std::string& strDevice, const std::string& strModel) {
        tree.WriteFile("sys/class/ata_device/" + strDevice + "/id", IdentifyText(IdentifyWordsWithModel(strModel)));
    };
    // A plain port: the target is the device number, 2:0:1:0 on ata3 is dev3.1.
    tree.AddDisk("pci0000:00/0000:00:1f.1/ata3/host2/target2:0:1/2:0:1:0/block/sda", "8:0");
    tree.WriteFile("sys/class/ata_port/ata3/nr_pmp_links", "0\n");
    WriteId("dev3.0", "NEIGHBOUR");
    WriteId("dev3.1", "HTS541080G9AT00");
    EXPECT_EQ(ReadLibataIdentifyModel(tree.Path("sys"), "sda"), "HTS541080G9AT00");

    // Behind a port multiplier the channel is the link: 4:2:0:0 on ata5 is dev5.2.0.
    tree.AddDisk("pci0000:00/0000:00:1f.2/ata5/host4/target4:2:0/4:2:0:0/block/sdb", "8:16");
    tree.WriteFile("sys/class/ata_port/ata5/nr_pmp_links", "5\n");
    WriteId("dev5.0", "NEIGHBOUR");
    WriteId("dev5.2.0", "ST9500325AS");
    EXPECT_EQ(ReadLibataIdentifyModel(tree.Path("sys"), "sdb"), "ST9500325AS");
    tree.WriteFile("sys/class/ata_device/dev5.2.0/id", "");
    EXPECT_EQ(ReadLibataIdentifyModel(tree.Path("sys"), "sdb"), std::nullopt) << "empty id";

    tree.AddDisk("pci0000:00/0000:00:02.0/virtio1/block/vda", "254:0");
    EXPECT_EQ(ReadLibataIdentifyModel(tree.Path("sys"), "vda"), std::nullopt);
}

TEST(LinuxSysfsIdentify, ReadsTheAtaInformationPageAndTheNvmeModel)
{
    LinuxFakeSystemTree tree;
    const std::string strSdb =
        tree.AddDisk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb", "8:16");
    tree.WriteFile(strSdb + "/device/vpd_pg89", AtaInformationPage(IdentifyWordsWithModel("TOSHIBA MK8032GAX")));
    EXPECT_EQ(ReadAtaInformationPageModel(tree.Path("sys"), "sdb"), "TOSHIBA MK8032GAX");
    EXPECT_FALSE(IsNvmeDisk(tree.Path("sys"), "sdb"));

    // Native multipath: the disk hangs off the subsystem, no controller is named after it.
    const std::string strNvme = tree.AddDisk("virtual/nvme-subsystem/nvme-subsys0/nvme0n1", "259:0");
    tree.WriteFile(strNvme + "/device/model", "Samsung SSD 970 EVO Plus 1TB            \n");
    EXPECT_TRUE(IsNvmeDisk(tree.Path("sys"), "nvme0n1"));
    EXPECT_EQ(ReadNvmeModel(tree.Path("sys"), "nvme0n1"), "Samsung SSD 970 EVO Plus 1TB");
}
