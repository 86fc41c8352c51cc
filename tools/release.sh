#!/usr/bin/env bash
# Makes a release of this checkout: every package of the game, in dist/.
#
#   tools/release.sh
#
#   dist/quelmo_<version>_amd64.deb    the Debian package (the game in /usr/games)
#   dist/quelmo-<version>-win64.zip    the Windows game, to unpack anywhere
#   dist/quelmo-<version>-web.zip      the site, to upload to a static host or portal
#   dist/SHA256SUMS                    their checksums
#
# Each package is built in a folder of its own under build/dist/, from scratch.  Two
# runs on one commit give the same bytes, in any folder: every time stamp is the last
# commit's (SOURCE_DATE_EPOCH, unless it is set already), and no package holds a path
# of the build or an order that the file system chose.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/install-deps.sh --release

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    { echo "release.sh: not a git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
# Zip entries keep local time; permissions come from the installation rules, the
# rest from this mask.
export TZ=UTC
umask 022
if [[ -n $(git status --porcelain 2>/dev/null) ]]; then
  echo "release.sh: warning: the checkout has changes that are not committed; this" \
       "release is not that of commit $(git rev-parse --short HEAD)" >&2
fi

builds=build/dist
rm -rf dist "$builds"
mkdir -p dist

# The presets dist-linux, dist-windows and dist-web (CMakePresets.json) are the three
# builds: the first with the distribution's hardening flags, the others without tests.
echo "== Debian package"
cmake --preset dist-linux >/dev/null
cmake --build --preset dist-linux
(cd "$builds/linux" && cpack -B "$root/$builds/linux/package" >/dev/null)
mv "$builds"/linux/package/quelmo_*.deb dist/

echo "== Windows zip"
cmake --preset dist-windows >/dev/null
cmake --build --preset dist-windows >/dev/null
mv "$builds"/windows/quelmo-*-win64.zip dist/

echo "== web site zip"
cmake --preset dist-web >/dev/null
cmake --build --preset dist-web >/dev/null
mv "$builds"/web/quelmo-*-web.zip dist/

(cd dist && sha256sum -- *.deb *.zip >SHA256SUMS)
echo "== dist/ (SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH)"
ls -l dist
cat dist/SHA256SUMS
