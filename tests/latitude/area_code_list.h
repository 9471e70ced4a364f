#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// The codes of an l-separated area-code list, in list order.
inline std::vector<std::string_view> SplitAreaCodes(std::string_view list)
{
    std::vector<std::string_view> codes;
    for (std::size_t nStart = 1; nStart < list.size();) {
        const std::size_t nEnd = list.find('l', nStart);
        codes.push_back(list.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return codes;
}
