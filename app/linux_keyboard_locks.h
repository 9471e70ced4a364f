#pragma once

#include "app/keyboard_locks.h"

#include <memory>
#include <string>

// The lock-key state for the status bar: the X keyboard extension on X11, the
// keyboard LEDs below strSysfsRoot (normally "/sys") everywhere else.
std::unique_ptr<IKeyboardLockSource> OpenKeyboardLockSource(const std::string& strSysfsRoot);
