#pragma once

#include "tests/latitude/area_code_list.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The entry a city code's lookup must give, worked out on the codes rather than searched in the
// list's text: the first entry beginning with the code past its leading zeros; else, for the
// longest prefix of it that any entry begins with, the first entry beginning with that prefix and
// the lowest digit after it, else the first beginning with the prefix alone. std::nullopt for a
// code holding an l, which the search in the text matches across entries.
inline std::optional<std::size_t> ExpectedAreaCodeEntry(const std::vector<std::string_view>& codes,
                                                        const std::string& strCityCode)
{
    if (strCityCode.find('l') != std::string::npos)
        return std::nullopt;
    const std::string_view key =
        std::string_view(strCityCode).substr(std::min(strCityCode.find_first_not_of('0'), strCityCode.size()));
    const auto firstBeginningWith = [&](const std::string& strPrefix) {
        return static_cast<std::size_t>(
            std::find_if(codes.begin(), codes.end(), [&](std::string_view code) { return code.starts_with(strPrefix); })
            - codes.begin());
    };

    std::size_t nLongest = 0;
    for (std::string_view code : codes)
        nLongest = std::max<std::size_t>(nLongest, std::mismatch(key.begin(), key.end(), code.begin(), code.end()).first - key.begin());
    const std::string strPrefix(key.substr(0, nLongest));
    if (nLongest < key.size())
        for (char cDigit = '0'; cDigit <= '9'; ++cDigit)
            if (const std::size_t nEntry = firstBeginningWith(strPrefix + cDigit); nEntry < codes.size())
                return nEntry;
    return firstBeginningWith(strPrefix);
}
