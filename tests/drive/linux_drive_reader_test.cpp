#include "drive/linux_drive_reader.h"

#include "linux_fake_system_tree.h"
#include "linux_identify_fixtures.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/sysmacros.h>

namespace {

struct ReadResult {
    int nCode;
    std::string strModel = "unchanged";
    std::string strError = "unchanged";
};

ReadResult Read(IDriveModelReader&& reader)
{
    ReadResult result{};
    result.nCode = reader.ReadDriveModel(result.strModel, result.strError);
    return result;
}

std::string OpenFailedText(const std::string& strNode, int nErrno)
{
    return "Kann Geraet/Treiber '" + strNode + "' nicht öffnen, Fehler " + std::to_string(nErrno);
}

} // namespace

TEST(LinuxDriveReader, ReadsSysfsAndOtherwiseTheDeviceNodeOfTheRootDisk)
{
    LinuxFakeSystemTree tree;
    const std::string strSda = tree.AddDisk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "8:0");
    tree.AddPartition(strSda, "sda3", "8:3");
    tree.WriteFile("sys/class/ata_port/ata1/nr_pmp_links", "0\n");
    tree.WriteFile("sys/class/ata_device/dev1.0/id", IdentifyText(IdentifyWordsWithModel("Hitachi HTS541080G9AT00")));
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1", "259:0") + "/device/model",
                   "KXG60ZNV256G TOSHIBA\n");
    tree.AddDisk("pci0000:00/0000:00:02.0/virtio1/block/vda", "254:0");
    // A SCSI disk's `model` is its INQUIRY product, not identify data.
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:03.0/virtio2/host2/target2:0:0/2:0:0:0/block/sdb", "8:16")
                       + "/device/model",
                   "QEMU HARDDISK   \n");

    ReadResult result = Read(LinuxDriveReader(tree.Roots(), makedev(8, 3)));
    EXPECT_EQ(result.nCode, READ_MODEL_OK);
    EXPECT_EQ(result.strModel, "Hitachi HTS541080G9AT00");
    EXPECT_EQ(result.strError, "unchanged");

    result = Read(LinuxDriveReader(tree.Roots(), makedev(259, 0)));
    EXPECT_EQ(result.nCode, READ_MODEL_OK);
    EXPECT_EQ(result.strModel, "KXG60ZNV256G TOSHIBA");

    for (const char* pszDisk : {"vda", "sdb"}) {
        const dev_t rootDevice = pszDisk[0] == 'v' ? makedev(254, 0) : makedev(8, 16);
        result = Read(LinuxDriveReader(tree.Roots(), rootDevice));
        EXPECT_EQ(result.nCode, READ_MODEL_NO_DEVICE);
        EXPECT_EQ(result.strError, OpenFailedText(tree.Path("dev/") + pszDisk, ENOENT));
        EXPECT_EQ(result.strModel, "unchanged");
    }
}

TEST(LinuxDriveReader, NamesSdaWhenThereIsNoDisk)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("virtual/block/zram0", "253:0");
    const ReadResult result = Read(LinuxDriveReader(tree.Roots(), makedev(253, 0)));
    EXPECT_EQ(result.nCode, READ_MODEL_NO_DEVICE);
    EXPECT_EQ(result.strError, OpenFailedText(tree.Path("dev/sda"), ENODEV));
}

// Holds on any machine: a model, or one of the two messages.
TEST(LinuxDriveReader, AnswersOnTheRunningSystem)
{
    const ReadResult result = Read(LinuxDriveReader());
    if (result.nCode == READ_MODEL_OK) {
        EXPECT_NE(result.strModel, "unchanged");
        EXPECT_FALSE(result.strModel.empty());
    } else {
        EXPECT_TRUE(result.nCode == READ_MODEL_NO_DEVICE || result.nCode == READ_MODEL_IOCTL_FAILED) << result.nCode;
        EXPECT_TRUE(result.strError.starts_with("Kann Geraet")
                    || result.strError.starts_with("Fehler in DeviceIoControl"))
            << result.strError;
    }
}
