// Location codes as a hand-edited settings file may hold them, looked up in the program's own tables.

#include "fuzz/area_code_entry_oracle.h"
#include "fuzz/fuzz_require.h"
#include "latitude/area_code_lookup.h"
#include "latitude/area_code_tables.h"
#include "latitude/latitude_location.h"
#include "latitude/location_codes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string ReadResource(const char* pszName)
{
    std::ifstream file(std::string(QUORVEL_RESOURCE_DIR) + "/" + pszName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct RealTables {
    std::string strList = ReadResource("area_codes.txt");
    std::string strLatitudes = ReadResource("area_latitudes.bin");
    std::optional<AreaCodeTables> tables = AreaCodeTables::FromData(
        strList, std::as_bytes(std::span(strLatitudes.data(), strLatitudes.size())));
    std::vector<std::string_view> codes = SplitAreaCodes(strList);
};

const RealTables* g_pReal = nullptr;

struct FixedLocationSource : ILocationSource {
    std::optional<LocationCodes> codes;
    std::optional<LocationCodes> QueryLocation() override { return codes; }
};

// Central Europe, and the 37 degrees north that stops a run with the wrong direction set.
bool IsPlausibleBase(double dBase)
{
    return std::isfinite(dBase) && dBase >= 35.0 && dBase <= 56.0;
}

void CheckAreaCodeEntry(const std::string& strCityCode)
{
    const std::optional<std::size_t> nEntry = FindAreaCodeEntry(g_pReal->strList, strCityCode);
    FUZZ_REQUIRE(nEntry && *nEntry < g_pReal->codes.size());
    if (const std::optional<std::size_t> nExpected = ExpectedAreaCodeEntry(g_pReal->codes, strCityCode))
        FUZZ_REQUIRE(*nEntry == *nExpected);
}

void CheckDetermine(const LocationCodes& codes, AreaCodeTableCache& cache)
{
    FixedLocationSource source;
    source.codes = codes;
    LatitudeLocation location;
    location.Determine(source, cache, +1, +1);
    FUZZ_REQUIRE(IsPlausibleBase(location.m_dLatitudeBase));
    FUZZ_REQUIRE(std::isfinite(location.m_dLatitudeScale) && location.m_dLatitudeScale > 0.0);

    // A later failed query keeps the codes, and with them the same basis.
    const double dBase = location.m_dLatitudeBase;
    const double dScale = location.m_dLatitudeScale;
    source.codes.reset();
    location.Determine(source, cache, +1, +1);
    FUZZ_REQUIRE(location.m_strCountryCode == codes.strCountryCode && location.m_strCityCode == codes.strCityCode);
    FUZZ_REQUIRE(location.m_dLatitudeBase == dBase && location.m_dLatitudeScale == dScale);

    location.Determine(source, cache, -1, +1);
    FUZZ_REQUIRE(IsPlausibleBase(location.m_dLatitudeBase));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static const RealTables real;
    FUZZ_REQUIRE(real.tables && real.tables->Count() == real.codes.size());
    g_pReal = &real;
    return 0;
}

// The country code runs up to the input's first zero byte, the city code is the rest.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nSeparator = std::min(input.find('\0'), input.size());
    const LocationCodes codes{std::string(input.substr(0, nSeparator)),
                              std::string(input.substr(std::min(nSeparator + 1, input.size())))};
    // Past twice the 7 digits a code can have, each byte only repeats the shortening search through
    // the whole list, which under the fuzzer's tracing starves the run.
    if (codes.strCityCode.size() > 14)
        return 0;
    static AreaCodeTableCache cache([] { return g_pReal->tables; });

    // Valid codes fit a telephony query's 8-byte buffers as decimal digits.
    if (IsValidLocation(codes))
        for (const std::string& strCode : {codes.strCountryCode, codes.strCityCode})
            FUZZ_REQUIRE(strCode.size() <= 7 && strCode.find_first_not_of("0123456789") == std::string::npos);
    CheckDetermine(codes, cache);
    CheckAreaCodeEntry(codes.strCityCode);
    return 0;
}
