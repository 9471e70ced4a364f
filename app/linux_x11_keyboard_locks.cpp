#include "app/linux_x11_keyboard_locks.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

bool IndicatorOn(Display* pDisplay, const char* pszName)
{
    const Atom atom = XInternAtom(pDisplay, pszName, True);
    Bool bOn = False;
    return atom != None && XkbGetNamedIndicator(pDisplay, atom, nullptr, &bOn, nullptr, nullptr) && bOn;
}

} // namespace

std::optional<KeyboardLocks> X11KeyboardLockSource::Read()
{
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (!pDisplay)
        return std::nullopt;
    return KeyboardLocks{IndicatorOn(pDisplay, "Caps Lock"), IndicatorOn(pDisplay, "Num Lock"),
                         IndicatorOn(pDisplay, "Scroll Lock")};
}
