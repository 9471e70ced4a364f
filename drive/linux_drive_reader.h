#pragma once

#include "drive/drive_model_reader.h"
#include "drive/linux_drive_roots.h"

#include <sys/types.h>

// Reads the model of the disk under the root file system from what Linux
// offers for it: the identify data that sysfs publishes, else a request to the
// device node, else the model the disk publishes itself (a card's name, SCSI
// INQUIRY), which needs no privileges.
class LinuxDriveReader : public IDriveModelReader {
public:
    // The running system.
    LinuxDriveReader();
    // A tree of sysfs, procfs and /dev elsewhere, with "/" on rootDevice.
    LinuxDriveReader(LinuxDriveRoots roots, dev_t rootDevice);

    int ReadDriveModel(std::string& strModel, std::string& strError) override;

private:
    LinuxDriveRoots m_roots;
    dev_t m_rootDevice;
};
