#include "drive/linux_drive_reader.h"

#include "drive/linux_device_identify.h"
#include "drive/linux_root_disk.h"
#include "drive/linux_sysfs_identify.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cerrno>
#include <optional>
#include <utility>

namespace {

// What sysfs already knows, so that no request goes to the device.
std::optional<std::string> SysfsModel(const std::string& strSysRoot, const std::string& strDisk, bool bNvme)
{
    if (bNvme)
        return ReadNvmeModel(strSysRoot, strDisk);
    std::optional<std::string> model = ReadLibataIdentifyModel(strSysRoot, strDisk);
    return model ? model : ReadAtaInformationPageModel(strSysRoot, strDisk);
}

} // namespace

LinuxDriveReader::LinuxDriveReader() : LinuxDriveReader(LinuxDriveRoots{}, RootFileSystemDevice()) {}

LinuxDriveReader::LinuxDriveReader(LinuxDriveRoots roots, dev_t rootDevice)
    : m_roots(std::move(roots)), m_rootDevice(rootDevice)
{
}

int LinuxDriveReader::ReadDriveModel(std::string& strModel, std::string& strError)
{
    const std::string strDisk = FindFirstFixedDisk(m_roots, m_rootDevice);
    if (strDisk.empty()) {
        // Without any disk, the message names the node a first disk usually has.
        const std::string strFirstDisk = m_roots.strDev + "/sda";
        strError = FormatString(IDS_DEVICE_OPEN_FAILED, strFirstDisk.c_str(), static_cast<unsigned>(ENODEV));
        return READ_MODEL_NO_DEVICE;
    }

    const bool bNvme = IsNvmeDisk(m_roots.strSys, strDisk);
    if (const std::optional<std::string> model = SysfsModel(m_roots.strSys, strDisk, bNvme)) {
        strModel = *model;
        return READ_MODEL_OK;
    }
    // Identify data from the device comes before what the disk publishes in sysfs:
    // behind a USB bridge, INQUIRY may name the bridge instead of the drive.
    std::string strNodeError;
    const int nResult = ReadModelFromDeviceNode(m_roots.strDev + "/" + strDisk, bNvme, strModel, strNodeError);
    if (nResult == READ_MODEL_OK)
        return nResult;
    if (const std::optional<std::string> model = ReadPublishedModel(m_roots.strSys, strDisk)) {
        strModel = *model;
        return READ_MODEL_OK;
    }
    strError = strNodeError;
    return nResult;
}
