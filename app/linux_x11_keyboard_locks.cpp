#include "app/linux_x11_keyboard_locks.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

class X11KeyboardLockSource : public IKeyboardLockSource {
public:
    // Interned rather than only looked up, so a keymap loaded later still finds them.
    explicit X11KeyboardLockSource(Display* pDisplay)
        : m_pDisplay(pDisplay),
          m_atomCapsLock(XInternAtom(pDisplay, "Caps Lock", False)),
          m_atomNumLock(XInternAtom(pDisplay, "Num Lock", False)),
          m_atomScrollLock(XInternAtom(pDisplay, "Scroll Lock", False))
    {
    }

    std::optional<KeyboardLocks> Read() override
    {
        return KeyboardLocks{On(m_atomCapsLock), On(m_atomNumLock), On(m_atomScrollLock)};
    }

private:
    bool On(Atom atom) const
    {
        Bool bOn = False;
        return XkbGetNamedIndicator(m_pDisplay, atom, nullptr, &bOn, nullptr, nullptr) && bOn;
    }

    Display* const m_pDisplay;
    const Atom m_atomCapsLock;
    const Atom m_atomNumLock;
    const Atom m_atomScrollLock;
};

} // namespace

std::unique_ptr<IKeyboardLockSource> OpenX11KeyboardLockSource()
{
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    int nOpcode = 0, nEvent = 0, nError = 0, nMajor = XkbMajorVersion, nMinor = XkbMinorVersion;
    if (!pDisplay || !XkbQueryExtension(pDisplay, &nOpcode, &nEvent, &nError, &nMajor, &nMinor))
        return nullptr;
    return std::make_unique<X11KeyboardLockSource>(pDisplay);
}
