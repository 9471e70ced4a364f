#include "drive/linux_sysfs_identify.h"

#include "drive/linux_identify_decoding.h"
#include "drive/linux_sysfs_file.h"

#include <cstdio>
#include <vector>

namespace {

// Where libata publishes a SCSI disk's identify data. The SCSI address of an ATA
// disk is host:channel:target:lun; a port without port multiplier puts the
// device number into the target, one behind a port multiplier puts the link
// into the channel.
std::optional<std::string> LibataIdentifyPath(const std::string& strSysRoot, const std::string& strDisk)
{
    const std::vector<std::string> components =
        ComponentsBelow(strSysRoot, strSysRoot + "/block/" + strDisk + "/device");
    unsigned nPort = 0;
    bool bHasPort = false;
    for (const std::string& strComponent : components) {
        char cRest = 0;
        if (std::sscanf(strComponent.c_str(), "ata%u%c", &nPort, &cRest) == 1)
            bHasPort = true;
    }
    unsigned nHost = 0, nChannel = 0, nTarget = 0, nLun = 0;
    char cRest = 0;
    if (!bHasPort
        || std::sscanf(components.back().c_str(), "%u:%u:%u:%u%c", &nHost, &nChannel, &nTarget, &nLun, &cRest) != 4)
        return std::nullopt;

    const std::string strPort = std::to_string(nPort);
    const std::optional<std::string> pmpLinks = ReadSmallFile(strSysRoot + "/class/ata_port/ata" + strPort + "/nr_pmp_links");
    unsigned nPmpLinks = 0;
    if (!pmpLinks || std::sscanf(pmpLinks->c_str(), "%u", &nPmpLinks) != 1)
        return std::nullopt;
    const std::string strDevice = nPmpLinks == 0 ? "dev" + strPort + "." + std::to_string(nTarget)
                                                 : "dev" + strPort + "." + std::to_string(nChannel) + ".0";
    return strSysRoot + "/class/ata_device/" + strDevice + "/id";
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
    std::optional<std::string> model = ReadSmallFile(strSysRoot + "/block/" + strDisk + "/device/model");
    if (!model)
        return std::nullopt;
    if (model->ends_with('\n'))
        model->pop_back();
    return PlainModel(*model);
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
