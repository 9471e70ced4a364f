#include "latitude/area_code_lookup.h"

#include <algorithm>

std::optional<std::size_t> FindAreaCodeEntry(std::string_view list, const std::string& strCityCode)
{
    std::string strKey = "l" + strCityCode.substr(std::min(strCityCode.find_first_not_of('0'), strCityCode.size()));
    std::size_t nFound = list.find(strKey);
    while (nFound == std::string_view::npos && strKey.size() > 1) {
        strKey.pop_back();
        // Codes continuing the shortened key by one more digit are tried, digit by digit, before it.
        for (char cDigit = '0'; cDigit <= '9' && nFound == std::string_view::npos; ++cDigit)
            nFound = list.find(strKey + cDigit);
        if (nFound == std::string_view::npos)
            nFound = list.find(strKey);
    }
    if (nFound == std::string_view::npos)
        return std::nullopt;
    return static_cast<std::size_t>(std::count(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(nFound), 'l'));
}
