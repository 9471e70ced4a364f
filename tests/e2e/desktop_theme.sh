# Shared by the end-to-end scripts: a desktop colour scheme, the way Debian's qt6ct
# gives one to Qt programs. Sourced; expects XDG_CONFIG_HOME to be private.

# use_qt6ct_scheme NAME: the programs started from now on take qt6ct's scheme NAME
# (darker, airy, ...) through qt6ct's platform theme.
use_qt6ct_scheme() {
  [ -f "/usr/share/qt6ct/colors/$1.conf" ] || fail "qt6ct has no colour scheme '$1' (package qt6ct)"
  mkdir -p "$XDG_CONFIG_HOME/qt6ct"
  printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\ncustom_palette=true\nstyle=Fusion\n' \
    "$1" >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
  export QT_QPA_PLATFORMTHEME=qt6ct
}
