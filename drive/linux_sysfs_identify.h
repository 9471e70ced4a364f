#pragma once

#include <optional>
#include <string>

// The models that sysfs publishes without any request to the device. Each
// returns nullopt when its source does not answer for the disk.

// From the `id` attribute of the disk's libata ata_device.
std::optional<std::string> ReadLibataIdentifyModel(const std::string& strSysRoot, const std::string& strDisk);

// From the ATA Information VPD page (vpd_pg89) of a SCSI-attached ATA disk.
std::optional<std::string> ReadAtaInformationPageModel(const std::string& strSysRoot, const std::string& strDisk);

// From the `model` attribute of an NVMe disk's controller or subsystem.
std::optional<std::string> ReadNvmeModel(const std::string& strSysRoot, const std::string& strDisk);

// What a disk without ATA identify data publishes as its model: an MMC or SD
// card's product name, or the SCSI INQUIRY vendor and product of a UFS, USB or
// SAS disk (without the "ATA" that libata's translation puts as the vendor).
std::optional<std::string> ReadPublishedModel(const std::string& strSysRoot, const std::string& strDisk);

// Whether the disk hangs off an NVMe controller or subsystem.
bool IsNvmeDisk(const std::string& strSysRoot, const std::string& strDisk);
