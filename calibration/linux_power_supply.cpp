#include "calibration/linux_power_supply.h"

#include <filesystem>
#include <fstream>

namespace {

std::optional<std::string> ReadAttribute(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::string strValue;
    if (!file || !std::getline(file, strValue))
        return std::nullopt;
    return strValue;
}

} // namespace

std::optional<bool> LinuxPowerSupply::OnMains()
{
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(m_strSysRoot) / "class/power_supply", error);
    if (error)
        return std::nullopt;

    std::optional<bool> bOnMains;
    for (const auto& entry : it) {
        const std::filesystem::path& supply = entry.path();
        if (ReadAttribute(supply / "type") != "Mains" || ReadAttribute(supply / "scope") == "Device")
            continue;
        const std::optional<std::string> online = ReadAttribute(supply / "online");
        if (!online)
            continue;
        if (*online == "1")
            return true;
        bOnMains = false;
    }
    return bOnMains;
}
