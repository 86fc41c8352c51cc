#!/usr/bin/env bash
# Checks that a release can be made again byte for byte: clones the commit twice, into
# folders of different names and depths, runs tools/release.sh in each and compares the
# two dist/ folders.  Two whole release builds: slow, so CI leaves it out.
#
#   tools/check-reproducible.sh [COMMIT]      (default: HEAD; the clones are kept
#                                              in a scratch folder when they differ)
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse --verify "${1:-HEAD}^{commit}") ||
  { echo "check-reproducible.sh: no commit ${1:-HEAD}" >&2; exit 2; }
work=$(mktemp -d "${TMPDIR:-/tmp}/quelmo-reproducible.XXXXXX")
folders=("$work/first" "$work/second/checkout-of-quelmo")
for folder in "${folders[@]}"; do
  echo "== release of ${commit:0:12} in $folder"
  git clone -q --no-checkout "$PWD" "$folder"
  git -C "$folder" checkout -q --detach "$commit"
  (cd "$folder" && tools/release.sh)
done

first=${folders[0]}/dist
second=${folders[1]}/dist
for folder in "${folders[@]}"; do
  echo "== $folder/dist/SHA256SUMS"
  cat "$folder/dist/SHA256SUMS"
done
if diff -r "$first" "$second" >/dev/null; then
  echo "PASS: the two releases are the same bytes"
  rm -rf "$work"
else
  diff -r "$first" "$second" || true
  echo "FAIL: the two releases differ; both are kept in $work" >&2
  exit 1
fi
