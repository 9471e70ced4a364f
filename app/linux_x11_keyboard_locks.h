#pragma once

#include "app/keyboard_locks.h"

#include <memory>

// The lock indicators of the X keyboard extension, with their atoms looked up once;
// nullptr where Qt runs on no X display that has the extension (Wayland, offscreen).
std::unique_ptr<IKeyboardLockSource> OpenX11KeyboardLockSource();
