#!/bin/sh
# check-install.sh CMAKE BUILD_DIR: installs the build into a scratch prefix and
# checks what a desktop finds there: the program, a valid desktop entry whose
# Exec and Icon name what was installed, and the icon.
set -u
cmake=$1 build=$2
prefix=$(mktemp -d /tmp/owebook-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" || { echo "FAILED: cmake --install" >&2; exit 1; }

bin=$prefix/bin/owebook
entry=$prefix/share/applications/owebook.desktop
icon=$prefix/share/icons/hicolor/scalable/apps/owebook.svg

[ -f "$bin" ] && [ -x "$bin" ] || fail "no executable $bin"
# The installed program runs: --version answers without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version 2>&1) || fail "owebook --version: $version"
case $version in
  *[0-9].[0-9]*) ;;
  *) fail "owebook --version printed no version: $version" ;;
esac

if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
  # What a launcher runs and shows must be what was installed beside it.
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  icon_name=$(sed -n 's/^Icon=//p' "$entry")
  [ "${exec_line%% *}" = "$(basename "$bin")" ] || fail "Exec=$exec_line does not start the installed owebook"
  [ "$icon_name" = "$(basename "$icon" .svg)" ] || fail "Icon=$icon_name is not the installed icon"
else
  fail "no desktop entry $entry"
fi

if [ -f "$icon" ]; then
  python3 -c 'import sys, xml.etree.ElementTree as ET
root = ET.parse(sys.argv[1]).getroot()
sys.exit(0 if root.tag.endswith("}svg") or root.tag == "svg" else 1)' "$icon" \
    || fail "$icon is not an SVG picture"
else
  fail "no icon $icon"
fi

[ "$failures" -eq 0 ] && echo "installed into $prefix: program, desktop entry and icon in place"
exit "$failures"
