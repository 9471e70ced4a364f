#include "drive/linux_device_identify.h"

#include "drive/drive_model_reader.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

TEST(LinuxDeviceIdentify, ReportsANodeThatDoesNotOpenWithItsPathAndErrno)
{
    std::string strModel = "unchanged", strError;
    EXPECT_EQ(ReadModelFromDeviceNode("/dev/quorvel-no-such-disk", false, strModel, strError), READ_MODEL_NO_DEVICE);
    EXPECT_EQ(strError, "Kann Geraet/Treiber '/dev/quorvel-no-such-disk' nicht öffnen, Fehler " + std::to_string(ENOENT));
    EXPECT_EQ(strModel, "unchanged");
}

TEST(LinuxDeviceIdentify, ReportsTheErrnoOfRequestsThatTheNodeRefuses)
{
    // /dev/null opens but takes no ioctl at all: HDIO_GET_IDENTITY, SG_IO and the
    // NVMe admin command all end in ENOTTY without transferring anything.
    const std::string strExpected = "Fehler in DeviceIoControl:\nGetLastError " + std::to_string(ENOTTY)
        + ", BytesReturned: 0,\nDriverStatus 0, IDE Status: 0";
    for (bool bNvme : {false, true}) {
        std::string strModel = "unchanged", strError;
        EXPECT_EQ(ReadModelFromDeviceNode("/dev/null", bNvme, strModel, strError), READ_MODEL_IOCTL_FAILED);
        EXPECT_EQ(strError, strExpected) << "NVMe: " << bNvme;
        EXPECT_EQ(strModel, "unchanged");
    }
}
