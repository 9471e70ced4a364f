#include "drive/linux_device_identify.h"

#include "drive/drive_model_reader.h"
#include "drive/ata_sense.h"
#include "drive/identify_decoding.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <linux/hdreg.h>
#include <linux/nvme_ioctl.h>
#include <memory>
#include <scsi/sg.h>
#include <string_view>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// One page serves every request: 512 bytes of ATA identify data, 4096 of NVMe's.
// Page alignment lets the block layer map it for DMA instead of bouncing it.
constexpr std::size_t kBufferSize = 4096;

constexpr unsigned char kNvmeIdentifyOpcode = 0x06;
constexpr std::uint32_t kNvmeCnsController = 1;
constexpr std::size_t kNvmeModelOffset = 24;

constexpr unsigned kSgTimeoutMs = 10000;

// The four numbers of string 101, in its slots' order.
struct RequestFailure {
    unsigned nErrno = 0;            // GetLastError
    unsigned nBytesTransferred = 0; // BytesReturned
    unsigned nDriverStatus = 0;     // DriverStatus
    unsigned nAtaError = 0;         // IDE Status
};

class FileDescriptor {
public:
    explicit FileDescriptor(int nFd) : m_nFd(nFd) {}
    ~FileDescriptor()
    {
        if (m_nFd >= 0)
            close(m_nFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_nFd; }

private:
    int m_nFd;
};

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};
using PageBuffer = std::unique_ptr<unsigned char, FreeDeleter>;

PageBuffer AllocatePageBuffer()
{
    return PageBuffer(static_cast<unsigned char*>(std::aligned_alloc(kBufferSize, kBufferSize)));
}

std::string ModelBytes(const unsigned char* pBuffer, std::size_t nOffset)
{
    return PlainModel(std::string_view(reinterpret_cast<const char*>(pBuffer) + nOffset, kModelBytes));
}

// An ioctl that the kernel refused leaves errno only: nothing was transferred,
// and there is no driver status or ATA error register to show.
RequestFailure RefusedRequest()
{
    return RequestFailure{static_cast<unsigned>(errno), 0, 0, 0};
}

// libata (and the IDE driver before it) hand back the model already in reading order.
bool RequestHdioIdentity(int nFd, unsigned char* pBuffer, std::string& strModel, RequestFailure& failure)
{
    if (ioctl(nFd, HDIO_GET_IDENTITY, pBuffer) != 0) {
        failure = RefusedRequest();
        return false;
    }
    strModel = ModelBytes(pBuffer, offsetof(hd_driveid, model));
    return true;
}

bool RequestAtaPassThroughIdentify(int nFd, unsigned char* pBuffer, std::string& strModel, RequestFailure& failure)
{
    // ATA PASS-THROUGH (16): PIO data-in of one block, counted in the sector count
    // field, for command ECh, IDENTIFY DEVICE.
    unsigned char abCdb[16] = {0x85, 0x08, 0x0E, 0, 0, 0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0xEC, 0};
    unsigned char abSense[32] = {};
    sg_io_hdr_t header{};
    header.interface_id = 'S';
    header.dxfer_direction = SG_DXFER_FROM_DEV;
    header.cmd_len = sizeof abCdb;
    header.mx_sb_len = sizeof abSense;
    header.dxfer_len = kIdentifyBytes;
    header.dxferp = pBuffer;
    header.cmdp = abCdb;
    header.sbp = abSense;
    header.timeout = kSgTimeoutMs;
    if (ioctl(nFd, SG_IO, &header) != 0) {
        failure = RefusedRequest();
        return false;
    }

    const unsigned nResid = header.resid > 0 ? static_cast<unsigned>(header.resid) : 0;
    const unsigned nTransferred = nResid < kIdentifyBytes ? kIdentifyBytes - nResid : 0;
    if ((header.info & SG_INFO_OK_MASK) == SG_INFO_OK && nTransferred == kIdentifyBytes) {
        strModel = IdentifyModel(IdentifyWordsFromBytes(pBuffer));
        return true;
    }
    // The ioctl went through, so errno says nothing: GetLastError stays 0. DriverStatus
    // is driver_status when it is set, else host_status, else the SCSI status byte,
    // so that a plain CHECK CONDITION still shows as 2.
    failure.nErrno = 0;
    failure.nBytesTransferred = nTransferred;
    failure.nDriverStatus = header.driver_status != 0 ? header.driver_status
        : header.host_status != 0                     ? header.host_status
                                                      : header.status;
    failure.nAtaError = AtaErrorFromSense(abSense, header.sb_len_wr);
    return false;
}

bool RequestNvmeIdentifyController(int nFd, unsigned char* pBuffer, std::string& strModel, RequestFailure& failure)
{
    nvme_admin_cmd command{};
    command.opcode = kNvmeIdentifyOpcode;
    command.addr = reinterpret_cast<std::uintptr_t>(pBuffer);
    command.data_len = kBufferSize;
    command.cdw10 = kNvmeCnsController;
    const int nResult = ioctl(nFd, NVME_IOCTL_ADMIN_CMD, &command);
    if (nResult == 0) {
        strModel = ModelBytes(pBuffer, kNvmeModelOffset);
        return true;
    }
    // -1 and errno when the kernel refused the command; a positive NVMe status
    // (DriverStatus) when the controller failed it. NVMe reports no byte count
    // and has no ATA error register.
    failure = nResult < 0 ? RefusedRequest() : RequestFailure{0, 0, static_cast<unsigned>(nResult), 0};
    return false;
}

} // namespace

int ReadModelFromDeviceNode(const std::string& strNodePath, bool bNvme, std::string& strModel, std::string& strError)
{
    const FileDescriptor device(open(strNodePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (device.Get() < 0) {
        const unsigned nErrno = static_cast<unsigned>(errno);
        strError = FormatString(IDS_DEVICE_OPEN_FAILED, strNodePath.c_str(), nErrno);
        return READ_MODEL_NO_DEVICE;
    }
    const PageBuffer buffer = AllocatePageBuffer();
    if (!buffer) {
        strError.clear();
        return READ_MODEL_IOCTL_FAILED;
    }

    RequestFailure failure;
    std::string strFound;
    // SG_IO is tried whatever HDIO_GET_IDENTITY failed with, and its failure is
    // the one reported: it reaches more drivers, and its errno (EPERM without
    // CAP_SYS_RAWIO, ENOTTY where the driver takes no SCSI commands) tells the
    // user more than HDIO's.
    bool bAnswered = false;
    if (bNvme)
        bAnswered = RequestNvmeIdentifyController(device.Get(), buffer.get(), strFound, failure);
    else
        bAnswered = RequestHdioIdentity(device.Get(), buffer.get(), strFound, failure)
            || RequestAtaPassThroughIdentify(device.Get(), buffer.get(), strFound, failure);
    if (!bAnswered) {
        strError = FormatString(IDS_IDENTIFY_FAILED, failure.nErrno, failure.nBytesTransferred, failure.nDriverStatus,
                                failure.nAtaError);
        return READ_MODEL_IOCTL_FAILED;
    }
    strModel = strFound;
    return READ_MODEL_OK;
}
