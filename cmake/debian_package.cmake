# `cpack` builds quorvel_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Valdrin)
set(CPACK_PACKAGE_CONTACT "Quorvel developers <dev@quorvel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "navigation with the notebook's hard disk")
set(CPACK_PACKAGE_DESCRIPTION
  "Quorvel presents the notebook's built-in hard disk as a navigation instrument:\na calibration walk around a 5 m square, a live navigation display and a\n24-hour latitude measurement. The user interface is German.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, but needed at run time: the font the pages are set in, the Liberation 2 fonts (Debian
# 13's fonts-liberation; Debian 12's is version 1, its 2 is fonts-liberation2). The X11 platform plugin
# comes with libqt6gui6, which the linked libraries bring.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation (>= 1:2) | fonts-liberation2")
# A Wayland desktop without Qt's Wayland plugin runs the program through XWayland, blurred at
# fractional scales. The plugin is in qt6-wayland up to Qt 6.10.1 (Debian 12 and 13), in
# libqt6waylandclient6 from 6.10.2 on (testing), whose older versions do not hold it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "qt6-wayland (<< 6.10.2~) | libqt6waylandclient6 (>= 6.10.2~), qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
