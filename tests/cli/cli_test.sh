#!/usr/bin/env bash
# The desktop game's command line: help and version answer on standard output with
# status 0; anything else is one line on standard error, status 2, and no window (no
# display is given, so a program that tried to open one would say so instead).
set -uo pipefail
quelmo=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() {  # run ARGS...: sets status, out, err
  local o e
  o=$(mktemp) e=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY "$quelmo" "$@" >"$o" 2>"$e"
  status=$?
  out=$(cat "$o") err=$(cat "$e")
  rm -f "$o" "$e"
}

run --help
[[ $status -eq 0 && $out == usage:\ quelmo* && $out == *--seed\ N* && $out == *--scale\ N* &&
   $out == *--lang\ de\|en* && $out == *--marks* && -z $err ]] ||
  fail "--help: status $status, out '$out', err '$err'"
run --version
[[ $status -eq 0 && $out =~ ^quelmo\ [0-9]+\.[0-9]+\.[0-9]+$ && -z $err ]] ||
  fail "--version: status $status, out '$out'"

for args in "--bogus" "--seed" "--seed abc" "--seed -1" "--seed 4294967296" "--seed=" \
            "extra" "--seed 3 extra" "--record" "--record=" "--scale" "--scale 0" "--scale 9" \
            "--scale=2x" "--scale -1" "--lang" "--lang fr" "--lang=EN" "--marks=1"; do
  # shellcheck disable=SC2086
  run $args
  lines=$(printf '%s\n' "$err" | wc -l)
  [[ $status -eq 2 && -z $out && $lines -eq 1 && $err == quelmo:* ]] ||
    fail "'$args': status $status, out '$out', err '$err'"
done

# A recording that cannot be written stops the game before it starts.
run --record /nonexistent-dir/game.sim
[[ $status -eq 1 && -z $out && $err == "quelmo: cannot write the recording '/nonexistent-dir/game.sim': "* &&
   $(printf '%s\n' "$err" | wc -l) -eq 1 ]] || fail "--record to a missing folder: status $status, err '$err'"

# A recording to watch is read whole before any window: one that is missing, or that
# changes the game behind the player's back, is refused in one line.
printf 'frames 1\nset Level 3\n' >"${TMPDIR:-/tmp}/quelmo-cli-bad.sim"
for args in "--replay /nonexistent-dir/game.sim" "--replay ${TMPDIR:-/tmp}/quelmo-cli-bad.sim" \
            "--replay a.sim --record b.sim"; do
  # shellcheck disable=SC2086
  run $args
  [[ $status -eq 2 && -z $out && $(printf '%s\n' "$err" | wc -l) -eq 1 && $err == quelmo:* ]] ||
    fail "'$args': status $status, err '$err'"
done
rm -f "${TMPDIR:-/tmp}/quelmo-cli-bad.sim"

# The manual page and the README list every key as --help does: the inputs of each,
# from one table.
manual=$(dirname "$0")/../../assets/linux/quelmo.6.in
readme=$(dirname "$0")/../../README.md
run --help
while IFS= read -r keys; do
  grep -qF -- "$keys" "$manual" || fail "the manual page does not list '$keys'"
  grep -qF -- "| $keys |" "$readme" || fail "the README does not list '$keys'"
done < <(printf '%s\n' "$out" | sed -n '/^Keys and gamepads/,/^Watching/p' |
         grep -E '^  [A-Z]' | sed -E 's/^  (.*[^ ]) {2,}.*/\1/')

if [[ $failures -ne 0 ]]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "command line: all cases passed"
