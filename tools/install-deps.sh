#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test and run, if any is
# missing.  Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  cmake g++ make pkg-config          # build
  libsdl2-dev libx11-dev             # the window
  libfreetype-dev libpng-dev         # the glyph generator; PNG reference screenshots
  fonts-lato                         # the heavy text face the glyph generator renders
  libgtest-dev libbenchmark-dev      # tests and benchmarks
  xvfb xdotool x11-utils imagemagick # the real-window test ...
  openbox wmctrl                     # ... with a window manager for close requests
  desktop-file-utils appstream       # checking the menu entry and the AppStream data
  dpkg-dev file lintian              # the Debian package (CPack) and its check
  time procps                        # tools/measure-window.sh; pgrep in the window test
  strace                             # the window test: the game starts no process
  emscripten chromium nodejs         # the browser build and its test ...
  firefox-esr                        # ... in Firefox too
  g++-mingw-w64-x86-64 mingw-w64     # the Windows game ...
  wine wine64                        # ... and its tests, under Wine
)
if [[ "${1:-}" == "--play" ]]; then
  packages=(cmake g++ make pkg-config libsdl2-dev libx11-dev fonts-lato)
elif [[ "${1:-}" == "--web" ]]; then
  packages=(cmake make emscripten python3 fonts-lato)
elif [[ "${1:-}" == "--windows" ]]; then
  packages=(cmake make g++-mingw-w64-x86-64 mingw-w64 imagemagick fonts-lato)
elif [[ "${1:-}" == "--release" ]]; then
  # tools/release.sh: the three builds and their packages.
  packages=(cmake g++ make pkg-config libsdl2-dev libx11-dev dpkg-dev file fonts-lato
            emscripten python3 g++-mingw-w64-x86-64 mingw-w64 imagemagick)
elif [[ -n "${1:-}" ]]; then
  echo "usage: install-deps.sh [--play | --web | --windows | --release]" >&2
  exit 2
fi
# npm comes with some builds of nodejs and is a package of its own in Debian's.
if [[ " ${packages[*]} " == *" nodejs "* ]] && ! command -v npm >/dev/null; then
  packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "need root or sudo to install ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser test's driver, pinned in tests/web/package-lock.json.
if [[ " ${packages[*]} " == *" chromium "* ]]; then
  web_tests="$(cd "$(dirname "$0")/../tests/web" && pwd)"
  pinned=$(node -p "require('$web_tests/package.json').dependencies['puppeteer-core']")
  installed=$(node -p "try { require('$web_tests/node_modules/puppeteer-core/package.json').version } catch { '' }")
  if [[ "$pinned" != "$installed" ]]; then
    (cd "$web_tests" && npm ci --no-audit --no-fund)
  fi
fi
