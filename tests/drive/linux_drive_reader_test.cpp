#include "drive/linux_drive_reader.h"

#include "linux_fake_system_tree.h"
#include "linux_identify_fixtures.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <sys/sysmacros.h>

namespace {

struct ReadResult {
    int nCode;
    std::string strModel;
    std::string strError;
};

ReadResult Read(IDriveModelReader& reader)
{
    ReadResult result{0, "unchanged", "unchanged"};
    result.nCode = reader.ReadDriveModel(result.strModel, result.strError);
    return result;
}

} // namespace

TEST(LinuxDriveReader, ReadsTheModelOfTheRootDiskFromSysfs)
{
    LinuxFakeSystemTree tree;
    const std::string strSda = tree.AddDisk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "8:0");
    tree.AddPartition(strSda, "sda3", "8:3");
    tree.WriteFile("sys/class/ata_port/ata1/nr_pmp_links", "0\n");
    tree.WriteFile("sys/class/ata_device/dev1.0/id", IdentifyText(IdentifyWordsWithModel("Hitachi HTS541080G9AT00")));
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1", "259:0") + "/device/model",
                   "KXG60ZNV256G TOSHIBA\n");

    LinuxDriveReader sataRoot(tree.Roots(), makedev(8, 3));
    ReadResult result = Read(sataRoot);
    EXPECT_EQ(result.nCode, READ_MODEL_OK);
    EXPECT_EQ(result.strModel, "Hitachi HTS541080G9AT00");
    EXPECT_EQ(result.strError, "unchanged");

    LinuxDriveReader nvmeRoot(tree.Roots(), makedev(259, 0));
    result = Read(nvmeRoot);
    EXPECT_EQ(result.nCode, READ_MODEL_OK);
    EXPECT_EQ(result.strModel, "KXG60ZNV256G TOSHIBA");
}

TEST(LinuxDriveReader, AsksTheDeviceNodeWhenSysfsHasNoIdentifyData)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("pci0000:00/0000:00:02.0/virtio1/block/vda", "254:0");
    // A SCSI disk's `model` is its INQUIRY product, not identify data.
    tree.WriteFile(tree.AddDisk("pci0000:00/0000:00:03.0/virtio2/host0/target0:0:0/0:0:0:0/block/sda", "8:0")
                       + "/device/model",
                   "QEMU HARDDISK   \n");

    for (const auto& [strDisk, rootDevice] : {std::pair{std::string("vda"), makedev(254, 0)}, {"sda", makedev(8, 0)}}) {
        LinuxDriveReader reader(tree.Roots(), rootDevice);
        const ReadResult result = Read(reader);
        EXPECT_EQ(result.nCode, READ_MODEL_NO_DEVICE);
        EXPECT_EQ(result.strError, "Kann Geraet/Treiber '" + tree.Path("dev/") + strDisk + "' nicht öffnen, Fehler "
                                       + std::to_string(ENOENT));
        EXPECT_EQ(result.strModel, "unchanged");
    }
}

TEST(LinuxDriveReader, NamesDevSdaWhenThereIsNoDisk)
{
    LinuxFakeSystemTree tree;
    tree.AddDisk("virtual/block/zram0", "253:0");
    LinuxDriveReader reader(tree.Roots(), makedev(253, 0));
    const ReadResult result = Read(reader);
    EXPECT_EQ(result.nCode, READ_MODEL_NO_DEVICE);
    EXPECT_EQ(result.strError,
              "Kann Geraet/Treiber '" + tree.Path("dev/sda") + "' nicht öffnen, Fehler " + std::to_string(ENODEV));
}

// Whatever disk this machine has: a model, or one of the two messages.
TEST(LinuxDriveReader, AnswersOnTheRunningSystem)
{
    LinuxDriveReader reader;
    const ReadResult result = Read(reader);
    if (result.nCode == READ_MODEL_OK) {
        EXPECT_FALSE(result.strModel.empty());
        EXPECT_NE(result.strModel, "unchanged");
        return;
    }
    EXPECT_TRUE(result.nCode == READ_MODEL_NO_DEVICE || result.nCode == READ_MODEL_IOCTL_FAILED) << result.nCode;
    EXPECT_TRUE(result.strError.starts_with("Kann Geraet") || result.strError.starts_with("Fehler in DeviceIoControl"))
        << result.strError;
}
