#pragma once

#include <optional>

struct KeyboardLocks {
    bool bCapsLock = false;
    bool bNumLock = false;
    bool bScrollLock = false;

    friend bool operator==(const KeyboardLocks&, const KeyboardLocks&) = default;
};

// Tells the state of the keyboard's lock keys, where the platform does.
class IKeyboardLockSource {
public:
    virtual ~IKeyboardLockSource() = default;
    virtual std::optional<KeyboardLocks> Read() = 0;
};
