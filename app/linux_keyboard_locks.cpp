#include "app/linux_keyboard_locks.h"

#include "app/linux_sysfs_keyboard_locks.h"
#include "app/linux_x11_keyboard_locks.h"

std::unique_ptr<IKeyboardLockSource> OpenKeyboardLockSource(const std::string& strSysfsRoot)
{
    if (std::unique_ptr<IKeyboardLockSource> pX11 = OpenX11KeyboardLockSource())
        return pX11;
    return std::make_unique<SysfsKeyboardLockSource>(strSysfsRoot);
}
