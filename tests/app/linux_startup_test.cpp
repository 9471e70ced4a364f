#include "../drive/linux_fake_system_tree.h"
#include "../drive/linux_identify_fixtures.h"
#include "drive/linux_drive_reader.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <sys/sysmacros.h>

TEST(LinuxStartup, AtaToshibaInSysfsReachesTheMainFrameSupported)
{
    LinuxFakeSystemTree tree;
    const std::string strSda = tree.AddDisk("pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sda", "8:0");
    tree.AddPartition(strSda, "sda1", "8:1");
    tree.WriteFile("sys/class/ata_port/ata2/nr_pmp_links", "0\n");
    tree.WriteFile("sys/class/ata_device/dev2.0/id", IdentifyText(IdentifyWordsWithModel("  TOSHIBA MK4019GAX")));

    LinuxDriveReader reader(tree.Roots(), makedev(8, 1));
    FakeAppHarness t;
    AppServices services;
    services.pDriveReader = &reader;
    services.pMessageBox = &t.messageBox;
    services.openSettings = [&t] { return &t.settings; };
    services.createMainFrame = [&t]() -> IMainFrame* { return &t.frame; };
    services.timeSeconds = [] { return std::int64_t{0}; };
    t.app.UseServices(std::move(services));

    ASSERT_TRUE(t.app.InitInstance());
    EXPECT_EQ(t.app.m_strModel, "TOSHIBA MK4019GAX");
    EXPECT_TRUE(t.app.m_bSupported);
    EXPECT_EQ(t.app.m_nModelDirection, +1);
    EXPECT_EQ(t.app.MainFrame(), &t.frame);
    EXPECT_TRUE(t.messageBox.shown.empty());
}
