#pragma once

#include <cstddef>

// The ATA error register that a SCSI-to-ATA translation returns in the sense
// data of an ATA PASS-THROUGH command: in fixed format the first byte of the
// INFORMATION field, in descriptor format byte 3 of the ATA Status Return
// descriptor (09h). 0 where the sense data carries none.
unsigned AtaErrorFromSense(const unsigned char* pSense, std::size_t nLength);
