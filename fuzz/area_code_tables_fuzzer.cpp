// The area-code list and latitude table as damaged resources may hold them.

#include "fuzz/area_code_entry_oracle.h"
#include "fuzz/fuzz_require.h"
#include "latitude/area_code_lookup.h"
#include "latitude/area_code_tables.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace {

// The codes of "l<digits>l…l", counted by splitting at each l; std::nullopt for any other text.
std::optional<std::size_t> ReferenceCodeCount(std::string_view list)
{
    if (list.empty() || list.front() != 'l' || list.back() != 'l')
        return std::nullopt;
    std::size_t nCodes = 0;
    for (std::size_t nStart = 1; nStart < list.size(); ++nCodes) {
        const std::size_t nEnd = list.find('l', nStart);
        const std::string_view code = list.substr(nStart, nEnd - nStart);
        if (code.empty() || code.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        nStart = nEnd + 1;
    }
    if (nCodes == 0)
        return std::nullopt;
    return nCodes;
}

std::uint64_t LittleEndianBits(std::span<const std::byte> bytes)
{
    std::uint64_t nBits = 0;
    for (std::size_t i = 0; i < sizeof nBits; ++i)
        nBits |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    return nBits;
}

void CheckEntry(const AreaCodeTables& tables, const std::string& strCityCode)
{
    const std::optional<std::size_t> nEntry = FindAreaCodeEntry(tables.List(), strCityCode);
    FUZZ_REQUIRE(nEntry && *nEntry < tables.Count());
    if (const std::optional<std::size_t> nExpected = ExpectedAreaCodeEntry(SplitAreaCodes(tables.List()), strCityCode))
        FUZZ_REQUIRE(*nEntry == *nExpected);
}

} // namespace

// The list runs up to the input's first zero byte, the latitude bytes are the rest.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view input(reinterpret_cast<const char*>(pData), nSize);
    const std::size_t nSeparator = std::min(input.find('\0'), input.size());
    const std::string_view list = input.substr(0, nSeparator);
    const auto latitudes = std::as_bytes(std::span(pData, nSize)).subspan(std::min(nSeparator + 1, nSize));

    const std::optional<AreaCodeTables> tables = AreaCodeTables::FromData(list, latitudes);
    const std::optional<std::size_t> nCodes = ReferenceCodeCount(list);
    FUZZ_REQUIRE(tables.has_value() == (nCodes && latitudes.size() == *nCodes * sizeof(double)));
    if (!tables)
        return 0;

    FUZZ_REQUIRE(tables->List().data() == list.data() && tables->List().size() == list.size());
    FUZZ_REQUIRE(tables->Count() == *nCodes);
    for (std::size_t i = 0; i < tables->Count(); ++i)
        FUZZ_REQUIRE(std::bit_cast<std::uint64_t>(tables->Latitude(i)) == LittleEndianBits(latitudes.subspan(i * sizeof(double))));

    // Codes from the list itself, with and without leading zeros, and the tails of the list and input.
    const std::string strFirst(list.substr(1, list.find('l', 1) - 1));
    const std::size_t nLastStart = list.rfind('l', list.size() - 2) + 1;
    const std::string strLast(list.substr(nLastStart, list.size() - 1 - nLastStart));
    for (const std::string& strCode : {strFirst, "0" + strFirst, strLast, std::string(list.substr(list.size() / 2)),
                                       std::string(input.substr(nSize - std::min<std::size_t>(nSize, 8))), std::string()})
        CheckEntry(*tables, strCode);
    return 0;
}
