#pragma once

#include "app/keyboard_locks.h"

// The lock indicators of the X keyboard extension; nothing on other platforms
// (offscreen, Wayland), where Qt has no X display to ask.
class X11KeyboardLockSource : public IKeyboardLockSource {
public:
    std::optional<KeyboardLocks> Read() override;
};
