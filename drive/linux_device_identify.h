#pragma once

#include <string>

// Asks the disk's device node, opened read-only, for its model: an NVMe disk
// with the admin Identify Controller command, any other with HDIO_GET_IDENTITY
// and then ATA PASS-THROUGH (16) IDENTIFY DEVICE through SG_IO. Returns a
// READ_MODEL_ code; on failure strError holds string 102 when the node does not
// open, string 101 when the requests fail, and is empty when no buffer could be had.
int ReadModelFromDeviceNode(const std::string& strNodePath, bool bNvme, std::string& strModel, std::string& strError);
