#include "app/linux_sysfs_keyboard_locks.h"

#include "drive/linux_sysfs_file.h"

#include <cstdlib>
#include <string_view>

namespace {

bool Lit(const std::string& strBrightnessPath)
{
    const std::optional<std::string> value = ReadSmallFile(strBrightnessPath);
    return value && std::strtol(value->c_str(), nullptr, 10) > 0;
}

} // namespace

SysfsKeyboardLockSource::SysfsKeyboardLockSource(std::string strSysfsRoot)
    : m_strLedsFolder(std::move(strSysfsRoot) + "/class/leds/")
{
}

std::optional<KeyboardLocks> SysfsKeyboardLockSource::Read()
{
    // Read afresh each time: keyboards come and go.
    bool bAnyKeyboard = false;
    KeyboardLocks locks;
    for (const std::string& strName : SortedEntryNames(m_strLedsFolder)) {
        const std::size_t nSeparator = strName.find("::");
        if (!strName.starts_with("input") || nSeparator == std::string::npos)
            continue;
        const std::string_view function = std::string_view(strName).substr(nSeparator + 2);
        bool* pLock = function == "capslock"     ? &locks.bCapsLock
                      : function == "numlock"    ? &locks.bNumLock
                      : function == "scrolllock" ? &locks.bScrollLock
                                                 : nullptr;
        if (!pLock)
            continue;
        bAnyKeyboard = true;
        *pLock = *pLock || Lit(m_strLedsFolder + strName + "/brightness");
    }
    if (!bAnyKeyboard)
        return std::nullopt;
    return locks;
}
