#pragma once

#include "latitude/area_code_tables.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// Tables built in the test: the codes in list order and one latitude per code, little-endian.
struct TestAreaCodeTables {
    std::string strList;
    std::vector<std::byte> latitudes;

    TestAreaCodeTables(const std::vector<std::string>& codes, const std::vector<double>& values)
    {
        for (const std::string& strCode : codes)
            strList += "l" + strCode;
        strList += "l";
        for (double dValue : values) {
            auto nBits = std::bit_cast<std::uint64_t>(dValue);
            for (int nByte = 0; nByte < 8; ++nByte)
                latitudes.push_back(static_cast<std::byte>(nBits >> (8 * nByte)));
        }
    }

    std::optional<AreaCodeTables> Tables() const { return AreaCodeTables::FromData(strList, latitudes); }
};
