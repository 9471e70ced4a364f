#include "app/linux_sysfs_keyboard_locks.h"

#include "../temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// A sysfs tree whose class/leds entries link to their devices, as the kernel's do.
struct FakeLeds {
    TempFolder folder{"quorvel-leds"};
    const fs::path& root = folder.Root();

    void Led(const std::string& strName, const char* pszBrightness) const
    {
        const fs::path device = root / "devices/platform/i8042/serio0/input/input3" / strName;
        fs::create_directories(device);
        if (pszBrightness)
            std::ofstream(device / "brightness") << pszBrightness << "\n";
        fs::create_directories(root / "class/leds");
        fs::create_directory_symlink(device, root / "class/leds" / strName);
    }
    void Set(const std::string& strName, const char* pszBrightness) const
    {
        std::ofstream(root / "class/leds" / strName / "brightness") << pszBrightness << "\n";
    }
    std::optional<KeyboardLocks> Read() const { return SysfsKeyboardLockSource(root.string()).Read(); }
};

} // namespace

TEST(SysfsKeyboardLocks, EachLockFollowsItsKeyboardLeds)
{
    FakeLeds sys;
    EXPECT_EQ(sys.Read(), std::nullopt) << "no leds folder";
    // LEDs that belong to no keyboard, or tell no lock, say nothing.
    sys.Led("phy0-led", "1");
    sys.Led("platform::capslock", "1");
    sys.Led("input3::kana", "1");
    EXPECT_EQ(sys.Read(), std::nullopt);

    sys.Led("input3::capslock", "1");
    sys.Led("input3::numlock", "0");
    sys.Led("input3::scrolllock", "255");
    EXPECT_EQ(sys.Read(), (KeyboardLocks{true, false, true}));

    sys.Set("input3::capslock", "0");
    sys.Set("input3::numlock", "1");
    sys.Set("input3::scrolllock", "0");
    EXPECT_EQ(sys.Read(), (KeyboardLocks{false, true, false}));

    // A second keyboard: a lock is on when either keyboard shows it; an unreadable LED is off.
    sys.Led("input7::capslock", "1");
    sys.Led("input7::numlock", nullptr);
    EXPECT_EQ(sys.Read(), (KeyboardLocks{true, true, false}));
}
