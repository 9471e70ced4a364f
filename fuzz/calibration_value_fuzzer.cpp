// The stored calibration as a damaged or hand-edited settings file may hold it.

#include "app/calibration_value.h"
#include "app/rand15.h"
#include "drive/rotation_direction.h"
#include "fuzz/fuzz_require.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void CheckStoredValue(std::string_view value)
{
    const StoredCalibration stored = ReadCalibrationValue(value);
    FUZZ_REQUIRE(stored.nDirection == DIRECTION_RIGHT || stored.nDirection == DIRECTION_LEFT);
    FUZZ_REQUIRE(stored.bCalibrated == !value.empty());
}

// The input's first four bytes seed the generator, the lowest bit of the fifth picks the direction.
void CheckMadeValue(const std::uint8_t* pData, std::size_t nSize)
{
    std::uint32_t nSeed = 0;
    std::memcpy(&nSeed, pData, std::min<std::size_t>(nSize, sizeof nSeed));
    const int nDirection = nSize > sizeof nSeed && pData[sizeof nSeed] % 2 ? DIRECTION_LEFT : DIRECTION_RIGHT;

    Rand15 random(nSeed);
    const std::string strValue = MakeCalibrationValue(nDirection, random);
    FUZZ_REQUIRE(strValue.size() == 18);
    for (char c : std::string_view(strValue).substr(1))
        FUZZ_REQUIRE(c >= 'a' && c <= 'z');
    const StoredCalibration stored = ReadCalibrationValue(strValue);
    FUZZ_REQUIRE(stored.bCalibrated);
    FUZZ_REQUIRE(stored.nDirection == nDirection);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CheckStoredValue(std::string_view(reinterpret_cast<const char*>(pData), nSize));
    CheckMadeValue(pData, nSize);
    return 0;
}
