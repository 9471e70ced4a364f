#include "latitude/area_code_lookup.h"

#include <algorithm>
#include <cstring>

namespace {

// The first occurrence of the key in the list, searched in place; memmem skips ahead
// instead of comparing at every 'l'.
std::size_t Find(std::string_view list, const std::string& strKey)
{
    const void* pFound = memmem(list.data(), list.size(), strKey.data(), strKey.size());
    return pFound ? static_cast<std::size_t>(static_cast<const char*>(pFound) - list.data()) : std::string_view::npos;
}

} // namespace

std::optional<std::size_t> FindAreaCodeEntry(std::string_view list, const std::string& strCityCode)
{
    std::string strKey = "l" + strCityCode.substr(std::min(strCityCode.find_first_not_of('0'), strCityCode.size()));
    std::size_t nFound = Find(list, strKey);
    while (nFound == std::string_view::npos && strKey.size() > 1) {
        strKey.pop_back();
        // Codes continuing the shortened key by one more digit are tried, digit by digit, before it.
        for (char cDigit = '0'; cDigit <= '9' && nFound == std::string_view::npos; ++cDigit)
            nFound = Find(list, strKey + cDigit);
        if (nFound == std::string_view::npos)
            nFound = Find(list, strKey);
    }
    if (nFound == std::string_view::npos)
        return std::nullopt;
    return static_cast<std::size_t>(std::count(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(nFound), 'l'));
}
