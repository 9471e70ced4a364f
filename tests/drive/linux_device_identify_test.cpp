#include "drive/linux_device_identify.h"

#include "drive/drive_model_reader.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(LinuxDeviceIdentify, ReportsANodeThatDoesNotOpenOrRefusesTheRequests)
{
    std::string strModel = "unchanged", strError;
    EXPECT_EQ(ReadModelFromDeviceNode("/dev/quorvel-no-such-disk", false, strModel, strError), READ_MODEL_NO_DEVICE);
    EXPECT_EQ(strError,
              "Kann Geraet/Treiber '/dev/quorvel-no-such-disk' nicht öffnen, Fehler " + std::to_string(ENOENT));

    // /dev/null opens but takes no ioctl: HDIO_GET_IDENTITY, SG_IO and the NVMe
    // admin command all end in ENOTTY without transferring anything.
    for (bool bNvme : {false, true}) {
        EXPECT_EQ(ReadModelFromDeviceNode("/dev/null", bNvme, strModel, strError), READ_MODEL_IOCTL_FAILED);
        EXPECT_EQ(strError, "Fehler in DeviceIoControl:\nGetLastError " + std::to_string(ENOTTY)
                                + ", BytesReturned: 0,\nDriverStatus 0, IDE Status: 0")
            << "NVMe: " << bNvme;
    }
    EXPECT_EQ(strModel, "unchanged");
}
