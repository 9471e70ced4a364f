#include "drive/linux_sysfs_identify.h"

#include "drive/identify_decoding.h"
#include "drive/linux_sysfs_file.h"

#include <cstdio>
#include <vector>

namespace {

// The N of the ataN folder that a libata disk's SCSI device sits under.
std::optional<unsigned> AtaPortNumber(const std::vector<std::string>& components)
{
    for (const std::string& strComponent : components) {
        unsigned nPort = 0;
        char cRest = 0;
        if (std::sscanf(strComponent.c_str(), "ata%u%c", &nPort, &cRest) == 1)
            return nPort;
    }
    return std::nullopt;
}

struct ScsiAddress {
    unsigned nHost = 0, nChannel = 0, nTarget = 0, nLun = 0;
};

std::optional<ScsiAddress> ParseScsiAddress(const std::string& strName)
{
    ScsiAddress address;
    char cRest = 0;
    if (std::sscanf(strName.c_str(), "%u:%u:%u:%u%c", &address.nHost, &address.nChannel, &address.nTarget,
                    &address.nLun, &cRest)
        != 4)
        return std::nullopt;
    return address;
}

// Where libata publishes a SCSI disk's identify data. A plain port puts the
// device number into the SCSI target; behind a port multiplier the channel
// is the multiplier's link.
std::optional<std::string> LibataIdentifyPath(const std::string& strSysRoot, const std::string& strDisk)
{
    const std::vector<std::string> components =
        ComponentsBelow(strSysRoot, strSysRoot + "/block/" + strDisk + "/device");
    const std::optional<unsigned> port = AtaPortNumber(components);
    const std::optional<ScsiAddress> address = port ? ParseScsiAddress(components.back()) : std::nullopt;
    if (!address)
        return std::nullopt;

    const std::string strPort = std::to_string(*port);
    const std::optional<std::string> pmpLinks =
        ReadSmallFile(strSysRoot + "/class/ata_port/ata" + strPort + "/nr_pmp_links");
    unsigned nPmpLinks = 0;
    if (!pmpLinks || std::sscanf(pmpLinks->c_str(), "%u", &nPmpLinks) != 1)
        return std::nullopt;
    const std::string strDevice = nPmpLinks == 0 ? "dev" + strPort + "." + std::to_string(address->nTarget)
                                                 : "dev" + strPort + "." + std::to_string(address->nChannel) + ".0";
    return strSysRoot + "/class/ata_device/" + strDevice + "/id";
}

// A text attribute of the disk's device, without the line end and the padding.
std::optional<std::string> DeviceAttribute(const std::string& strSysRoot, const std::string& strDisk,
                                           const char* pszName)
{
    std::optional<std::string> value = ReadSmallFile(strSysRoot + "/block/" + strDisk + "/device/" + pszName);
    if (!value)
        return std::nullopt;
    if (value->ends_with('\n'))
        value->pop_back();
    return PlainModel(*value);
}

} // namespace

std::optional<std::string> ReadLibataIdentifyModel(const std::string& strSysRoot, const std::string& strDisk)
{
    const std::optional<std::string> path = LibataIdentifyPath(strSysRoot, strDisk);
    const std::optional<std::string> text = path ? ReadSmallFile(*path) : std::nullopt;
    IdentifyWords words;
    if (!text || !ParseIdentifyText(*text, words))
        return std::nullopt;
    return IdentifyModel(words);
}

std::optional<std::string> ReadAtaInformationPageModel(const std::string& strSysRoot, const std::string& strDisk)
{
    const std::optional<std::string> page = ReadSmallFile(strSysRoot + "/block/" + strDisk + "/device/vpd_pg89");
    IdentifyWords words;
    if (!page || !ParseAtaInformationPage(*page, words))
        return std::nullopt;
    return IdentifyModel(words);
}

std::optional<std::string> ReadNvmeModel(const std::string& strSysRoot, const std::string& strDisk)
{
    return DeviceAttribute(strSysRoot, strDisk, "model");
}

std::optional<std::string> ReadPublishedModel(const std::string& strSysRoot, const std::string& strDisk)
{
    const std::vector<std::string> components =
        ComponentsBelow(strSysRoot, strSysRoot + "/block/" + strDisk + "/device");
    std::optional<std::string> model;
    // A card is mmcN:RRRR on the mmc bus; a SCSI device is host:channel:target:lun.
    if (!components.empty() && components.back().starts_with("mmc")) {
        model = DeviceAttribute(strSysRoot, strDisk, "name");
    } else if (!components.empty() && ParseScsiAddress(components.back())) {
        model = DeviceAttribute(strSysRoot, strDisk, "model");
        const std::string strVendor = DeviceAttribute(strSysRoot, strDisk, "vendor").value_or("");
        if (model && !strVendor.empty() && strVendor != "ATA")
            model = PlainModel(strVendor + " " + *model);
    }
    if (!model || model->empty())
        return std::nullopt;
    return model;
}

bool IsNvmeDisk(const std::string& strSysRoot, const std::string& strDisk)
{
    std::vector<std::string> components = ComponentsBelow(strSysRoot, strSysRoot + "/block/" + strDisk);
    if (!components.empty())
        components.pop_back();
    for (const std::string& strComponent : components)
        if (strComponent.starts_with("nvme"))
            return true;
    return false;
}
