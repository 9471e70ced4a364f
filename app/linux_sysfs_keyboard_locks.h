#pragma once

#include "app/keyboard_locks.h"

#include <string>

// The lock LEDs that Linux publishes for every keyboard, readable by every user:
// <sysfs>/class/leds/input*::capslock, ::numlock and ::scrolllock. A lock counts
// as on when the LED of any keyboard is lit; without a keyboard LED there is no
// state to tell.
class SysfsKeyboardLockSource : public IKeyboardLockSource {
public:
    explicit SysfsKeyboardLockSource(std::string strSysfsRoot);
    std::optional<KeyboardLocks> Read() override;

private:
    const std::string m_strLedsFolder;
};
