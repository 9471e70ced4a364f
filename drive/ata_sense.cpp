#include "drive/ata_sense.h"

namespace {

constexpr unsigned char kResponseCodeMask = 0x7F;
constexpr unsigned char kFixedCurrent = 0x70;
constexpr unsigned char kFixedDeferred = 0x71;
constexpr unsigned char kDescriptorCurrent = 0x72;
constexpr unsigned char kDescriptorDeferred = 0x73;

constexpr std::size_t kFixedErrorOffset = 3;
constexpr std::size_t kDescriptorsOffset = 8;
constexpr unsigned char kAtaStatusReturnDescriptor = 0x09;
constexpr std::size_t kDescriptorErrorOffset = 3;

unsigned ErrorFromDescriptors(const unsigned char* pSense, std::size_t nLength)
{
    std::size_t nEnd = kDescriptorsOffset + pSense[7];
    if (nEnd > nLength)
        nEnd = nLength;
    for (std::size_t i = kDescriptorsOffset; i + 1 < nEnd; i += 2 + pSense[i + 1]) {
        if (pSense[i] == kAtaStatusReturnDescriptor)
            return i + kDescriptorErrorOffset < nEnd ? pSense[i + kDescriptorErrorOffset] : 0;
    }
    return 0;
}

} // namespace

unsigned AtaErrorFromSense(const unsigned char* pSense, std::size_t nLength)
{
    if (nLength == 0)
        return 0;
    switch (pSense[0] & kResponseCodeMask) {
    case kFixedCurrent:
    case kFixedDeferred:
        return nLength > kFixedErrorOffset ? pSense[kFixedErrorOffset] : 0;
    case kDescriptorCurrent:
    case kDescriptorDeferred:
        return nLength > kDescriptorsOffset ? ErrorFromDescriptors(pSense, nLength) : 0;
    default:
        return 0;
    }
}
