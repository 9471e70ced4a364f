#include "calibration/linux_power_supply.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct FakeSys {
    TempFolder folder{"quorvel-power"};
    const fs::path& root = folder.Root();
    void Supply(const std::string& strName, const std::string& strType, const char* pszOnline,
                const char* pszScope = nullptr) const
    {
        const fs::path supply = root / "class/power_supply" / strName;
        fs::create_directories(supply);
        std::ofstream(supply / "type") << strType << "\n";
        if (pszOnline)
            std::ofstream(supply / "online") << pszOnline << "\n";
        if (pszScope)
            std::ofstream(supply / "scope") << pszScope << "\n";
    }
    std::optional<bool> OnMains() const { return LinuxPowerSupply(root.string()).OnMains(); }
};

} // namespace

TEST(LinuxPowerSupply, MainsOnlineCountsBatteryAndDeviceSuppliesDoNot)
{
    FakeSys none;
    EXPECT_EQ(none.OnMains(), std::nullopt);
    none.Supply("BAT0", "Battery", nullptr);
    none.Supply("hidpp_battery_0", "Mains", "1", "Device");
    EXPECT_EQ(none.OnMains(), std::nullopt);
    none.Supply("AC-broken", "Mains", nullptr);
    EXPECT_EQ(none.OnMains(), std::nullopt);

    FakeSys unplugged;
    unplugged.Supply("AC", "Mains", "0");
    unplugged.Supply("BAT0", "Battery", "1");
    EXPECT_EQ(unplugged.OnMains(), false);

    FakeSys plugged;
    plugged.Supply("ADP0", "Mains", "0");
    plugged.Supply("ADP1", "Mains", "1", "System");
    EXPECT_EQ(plugged.OnMains(), true);
}
