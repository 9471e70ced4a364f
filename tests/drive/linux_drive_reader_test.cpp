#include "drive/linux_drive_reader.h"

#include "linux_fake_system_tree.h"
#include "linux_identify_fixtures.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <utility>
#include <vector>
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

// Each kind of notebook storage, with the files its disk has below its folder
// (sys/... for files elsewhere); a root on overlay has major 0 and falls back.
TEST(LinuxDriveReader, ReadsTheModelOfEveryKindOfRootDisk)
{
    struct Disk {
        std::string strPath, strNumber;
        std::vector<std::pair<std::string, std::string>> files;
    };
    const Disk sata{"pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "8:0",
                    {{"sys/class/ata_port/ata1/nr_pmp_links", "0\n"},
                     {"sys/class/ata_device/dev1.0/id", IdentifyText(IdentifyWordsWithModel("Hitachi HTS541080G9AT00"))}}};
    const Disk nvme{"pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1", "259:0",
                    {{"device/model", "KXG60ZNV256G TOSHIBA\n"}}};
    const std::string strUsb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
    const Disk sdCard{"pci0000:00/0000:00:1c.0/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0", "179:0",
                      {{"device/type", "SD\n"}, {"device/name", "SL16G\n"}}};
    const struct {
        std::vector<Disk> disks;
        dev_t rootDevice;
        std::string strModel, strErrorNode;
    } rows[] = {
        {{sata}, makedev(8, 0), "Hitachi HTS541080G9AT00", ""},
        {{nvme}, makedev(259, 0), "KXG60ZNV256G TOSHIBA", ""},
        {{{"platform/80860F14:00/mmc_host/mmc1/mmc1:0001/block/mmcblk1", "179:8",
           {{"device/type", "MMC\n"}, {"device/name", "DF4064\n"}}}},
         makedev(179, 8), "DF4064", ""},
        {{{"platform/1d84000.ufshc/host0/target0:0:0/0:0:0:0/block/sda", "8:0",
           {{"device/vendor", "SAMSUNG \n"}, {"device/model", "KLUDG4UHDB-B2D1 \n"}}}},
         makedev(8, 0), "SAMSUNG KLUDG4UHDB-B2D1", ""},
        {{{"pci0000:00/0000:00:03.0/host2/port-2:0/end_device-2:0/target2:0:0/2:0:0:0/block/sda", "8:0",
           {{"device/vendor", "ATA     \n"}, {"device/model", "MHV2040AH       \n"}}}},
         makedev(8, 0), "MHV2040AH", ""},
        {{{strUsb, "8:16", {{"device/vendor", "TOSHIBA \n"}, {"device/model", "MK4019GAX       \n"}}}},
         makedev(8, 16), "TOSHIBA MK4019GAX", ""},
        {{{strUsb, "8:16",
           {{"device/vendor", "JMicron \n"}, {"device/model", "Generic         \n"},
            {"device/vpd_pg89", AtaInformationPage(IdentifyWordsWithModel("IC25N040ATCS04-0"))}}}},
         makedev(8, 16), "IC25N040ATCS04-0", ""},
        {{sdCard, nvme}, makedev(0, 19), "KXG60ZNV256G TOSHIBA", ""},
        {{sdCard, {"virtual/block/zram0", "253:0", {}}}, makedev(0, 19), "", "sda"},
        {{{"pci0000:00/0000:00:02.0/virtio1/block/vda", "254:0", {{"device/vendor", "0x1af4\n"}}}}, makedev(254, 0),
         "", "vda"},
    };
    for (const auto& row : rows) {
        LinuxFakeSystemTree tree;
        tree.WriteFile("proc/self/mountinfo", "21 1 0:19 / / rw - overlay overlay rw\n");
        for (const Disk& disk : row.disks) {
            const std::string strFolder = tree.AddDisk(disk.strPath, disk.strNumber);
            for (const auto& [strFile, strContent] : disk.files)
                tree.WriteFile(strFile.starts_with("sys/") ? strFile : strFolder + "/" + strFile, strContent);
        }
        SCOPED_TRACE(row.disks.back().strPath);
        const ReadResult result = Read(LinuxDriveReader(tree.Roots(), row.rootDevice));
        const bool bModel = row.strErrorNode.empty();
        EXPECT_EQ(result.nCode, bModel ? READ_MODEL_OK : READ_MODEL_NO_DEVICE);
        EXPECT_EQ(bModel ? result.strModel : result.strError,
                  bModel ? row.strModel
                         : OpenFailedText(tree.Path("dev/") + row.strErrorNode, row.strErrorNode == "sda" ? ENODEV : ENOENT));
    }
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
