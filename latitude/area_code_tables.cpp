#include "latitude/area_code_tables.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

// Counts the codes, or returns std::nullopt if the text is not "l<digits>l<digits>…l".
std::optional<std::size_t> CountCodes(std::string_view list)
{
    if (list.size() < 2 || list.front() != 'l' || list.back() != 'l')
        return std::nullopt;
    std::size_t nCodes = 0;
    std::size_t nDigits = 0;
    for (char c : list.substr(1)) {
        if (c == 'l') {
            if (nDigits == 0)
                return std::nullopt;
            ++nCodes;
            nDigits = 0;
        } else if (c >= '0' && c <= '9') {
            ++nDigits;
        } else {
            return std::nullopt;
        }
    }
    return nCodes;
}

} // namespace

std::optional<AreaCodeTables> AreaCodeTables::FromData(std::string_view list, std::span<const std::byte> latitudes)
{
    const std::optional<std::size_t> nCodes = CountCodes(list);
    if (!nCodes || latitudes.size() != *nCodes * sizeof(double))
        return std::nullopt;
    return AreaCodeTables(list, latitudes);
}

double AreaCodeTables::Latitude(std::size_t nIndex) const
{
    std::uint64_t nBits;
    std::memcpy(&nBits, m_latitudes.data() + nIndex * sizeof(double), sizeof nBits);
    if constexpr (std::endian::native == std::endian::big)
        nBits = __builtin_bswap64(nBits);
    return std::bit_cast<double>(nBits);
}

const AreaCodeTables* AreaCodeTableCache::Get()
{
    std::lock_guard lock(m_mutex);
    if (!m_tables)
        m_tables = m_load();
    return m_tables ? &*m_tables : nullptr;
}
