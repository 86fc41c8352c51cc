#!/usr/bin/env bash
# Installs the game into a scratch directory the way `cmake --install` and the Debian
# package do, and checks that a Linux desktop finds it there: the program, its menu
# entry, its 64x64 icon and its AppStream description, each valid.
#
#   install_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
id=org.quelmo.Quelmo

check_tree() {
  local root=$1
  [[ -x $root/bin/quelmo ]] || fail "$root/bin/quelmo is missing"
  local desktop=$root/share/applications/$id.desktop
  local metainfo=$root/share/metainfo/$id.metainfo.xml
  local icon=$root/share/icons/hicolor/64x64/apps/$id.png
  [[ -f $desktop ]] || fail "the menu entry $desktop is missing"
  [[ -f $metainfo ]] || fail "the AppStream file $metainfo is missing"
  [[ -f $icon ]] || fail "the icon $icon is missing"
  grep -qx 'Exec=quelmo' "$desktop" || fail "the menu entry does not start quelmo"
  grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"
  if command -v identify >/dev/null; then
    [[ $(identify -format '%m %wx%h' "$icon") == "PNG 64x64" ]] ||
      fail "the icon is not a 64x64 PNG: $(identify "$icon")"
  fi
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the menu entry is not valid"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.txt" 2>&1 || {
      cat "$work/appstream.txt" >&2
      fail "the AppStream file is not valid"
    }
  fi
}

echo "-- cmake --install"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"

echo "-- the Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.txt" 2>&1) || {
  cat "$work/cpack.txt" >&2
  fail "cpack could not build the package"
}
deb=$(ls "$work"/deb/quelmo_*.deb)
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
echo "PASS"
