#!/usr/bin/env bash
# Installs the game into a scratch directory the way `cmake --install` and the Debian
# package do, and checks that a Linux desktop finds it there and that Debian's own
# tools find no fault: the game in games/, its menu entry, its icons at 64, 128 and
# 256 pixels, its AppStream description, its manual page (every option of
# `quelmo --help` in it), the copyright file with the text face's licence and the
# changelog; the package through lintian at its strictest.  Any finding fails.
#
#   install_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: install_test.sh BUILD_DIR}
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
id=org.quelmo.Quelmo
for tool in desktop-file-validate appstreamcli lintian identify; do
  command -v "$tool" >/dev/null || fail "$tool is missing: tools/install-deps.sh installs it"
done
# The one finding that stays: the component id has capitals, and players' installs
# know the game by it.
kept_appstream_finding='P: org.quelmo.Quelmo:3: cid-contains-uppercase-letter org.quelmo.Quelmo'

# Fails with `what` and the tool's output unless `command` is silent and succeeds.
silent() {
  local what=$1
  shift
  if ! "$@" >"$work/out.txt" 2>&1 || [[ -s $work/out.txt ]]; then
    cat "$work/out.txt" >&2
    fail "$what"
  fi
}

check_tree() {
  local root=$1
  local game=$root/games/quelmo
  [[ -x $game ]] || fail "$game is missing"
  local desktop=$root/share/applications/$id.desktop
  [[ -f $desktop ]] || fail "the menu entry $desktop is missing"
  grep -qx 'Exec=quelmo' "$desktop" || fail "the menu entry does not start quelmo"
  grep -qx "Icon=$id" "$desktop" || fail "the menu entry does not name the icon $id"
  silent "the menu entry is not valid" desktop-file-validate "$desktop"
  for size in 64 128 256; do
    local icon=$root/share/icons/hicolor/${size}x$size/apps/$id.png
    [[ -f $icon ]] || fail "the icon $icon is missing"
    [[ $(identify -format '%m %wx%h' "$icon") == "PNG ${size}x$size" ]] ||
      fail "the icon is not a ${size}x$size PNG: $(identify "$icon")"
  done
  [[ -f $root/share/metainfo/$id.metainfo.xml ]] || fail "the AppStream file is missing"
  # The AppStream file with the menu entry and icons it names, as software centres
  # read them.
  appstreamcli validate-tree --pedantic --no-net --strict "$root/.." >"$work/appstream.txt" 2>&1 || {
    cat "$work/appstream.txt" >&2
    fail "the AppStream data is not valid"
  }
  if grep -E '^ *[EWIP]: ' "$work/appstream.txt" | grep -vxF "  $kept_appstream_finding"; then
    fail "appstreamcli found the faults above"
  fi

  local version
  version=$("$game" --version | sed -n 's/^quelmo //p')
  local manual=$root/share/man/man6/quelmo.6.gz
  [[ -f $manual ]] || fail "the manual page $manual is missing"
  local option
  for option in $("$game" --help | grep -oE '^  --[a-z-]+' | sed 's/^  --//'); do
    zcat "$manual" | grep -qF ".Option \\-\\-$option " ||
      fail "the manual page does not describe --$option"
  done
  zcat "$manual" | grep -qF "\"Quelmo $version\"" || fail "the manual page is not of version $version"
  local doc=$root/share/doc/quelmo
  grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$doc/copyright" || fail "$doc/copyright is not in the machine-readable format"
  grep -qx 'License: OFL-1.1' "$doc/copyright" || fail "$doc/copyright lacks the text face's licence"
  [[ $(zcat "$doc/changelog.gz" | head -1) == "quelmo ($version) "* ]] ||
    fail "the changelog's newest entry is not $version"
}

echo "-- cmake --install"
cmake --install "$build" --prefix "$work/prefix/usr" >/dev/null
check_tree "$work/prefix/usr"

echo "-- the Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.txt" 2>&1) || {
  cat "$work/cpack.txt" >&2
  fail "cpack could not build the package"
}
deb=$(ls "$work"/deb/quelmo_*.deb)
dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr"
dpkg-deb -f "$deb" Depends | grep -q libsdl2 || fail "the package does not depend on SDL2"
# lintian says that it runs as root when it does (in CI); that line is no finding.
lintian --pedantic --display-info --display-experimental \
  --fail-on error,warning,info,pedantic,experimental "$deb" >"$work/lintian.txt" 2>&1 || {
  cat "$work/lintian.txt" >&2
  fail "lintian found the faults above"
}
if grep -v '^running with root privileges is not recommended!$' "$work/lintian.txt"; then
  fail "lintian said the above"
fi
echo "PASS"
