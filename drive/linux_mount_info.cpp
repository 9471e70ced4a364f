#include "drive/linux_mount_info.h"

#include <sstream>

namespace {

bool IsOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

std::string UnescapeMountField(std::string_view field)
{
    std::string strText;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) && IsOctalDigit(field[i + 2])
            && IsOctalDigit(field[i + 3])) {
            strText += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            strText += field[i];
        }
    }
    return strText;
}

} // namespace

std::vector<MountInfoEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountInfoEntry> entries;
    std::istringstream lines{std::string(text)};
    for (std::string strLine; std::getline(lines, strLine);) {
        // id parent major:minor root mount-point options [optional fields] - type source super-options
        std::istringstream fields(strLine);
        std::vector<std::string> vecFields;
        for (std::string strField; fields >> strField;)
            vecFields.push_back(strField);
        std::size_t nSeparator = 6;
        while (nSeparator < vecFields.size() && vecFields[nSeparator] != "-")
            ++nSeparator;
        if (nSeparator + 2 < vecFields.size())
            entries.push_back({UnescapeMountField(vecFields[4]), UnescapeMountField(vecFields[nSeparator + 2])});
    }
    return entries;
}
