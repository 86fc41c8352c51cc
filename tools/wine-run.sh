#!/usr/bin/env bash
# Runs a Windows program under Wine, in a Wine prefix of the build's own:
#   tools/wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The cross build's CTest emulator.  The prefix is made on first use, and a
# wineserver that stays for 30 s after the last program ends keeps it loaded, so
# every start in a test run is cheap.
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the game and its tests need neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
mkdir -p "$prefix"
# Wine's own processes outlive this script: they must not hold on to the lock, nor
# to the caller's output (CTest would wait for the Wine server to end).
# A Wine server picks its display when its first program starts: one started without
# a display (the tests that need none) cannot show a window later, and one started on
# an X server that has ended keeps that screen's size even when a new X server of
# another size takes the same display number.  So a program for another display, or
# for a new X server (its socket made anew), gets a new server.
display_id="${DISPLAY:-}"
display_number=${DISPLAY:-}
display_number=${display_number#*:}
socket=/tmp/.X11-unix/X${display_number%%.*}
if [[ -n ${DISPLAY:-} && -S $socket ]]; then display_id+=" $(stat -c '%i %Z' "$socket")"; fi
# Whether this prefix's Wine server runs: it works in a folder named after the
# prefix's device and inode.
server_runs() {
  local dir pid
  dir=server-$(stat -c %D "$prefix")-$(printf '%x' "$(stat -c %i "$prefix")")
  for pid in $(pgrep wineserver || true); do
    [[ $(readlink "/proc/$pid/cwd" 2>/dev/null) == */"$dir" ]] && return 0
  done
  return 1
}
(
  flock 9
  [[ -f $prefix/system.reg ]] || wine wineboot --init </dev/null >/dev/null 2>&1 9>&-
  if [[ $(cat "$prefix.display" 2>/dev/null) != "$display_id" ]]; then
    wineserver -k </dev/null >/dev/null 2>&1 9>&- || true
    wineserver -w </dev/null >/dev/null 2>&1 9>&- || true
    printf '%s\n' "$display_id" >"$prefix.display"
  fi
  if server_runs; then
    wineserver -p30 </dev/null >/dev/null 2>&1 9>&- || true
  else
    # A new server: the services the first program starts come up here, away from
    # the caller's output, or the caller would wait for them to end.
    wineserver -p30 </dev/null >/dev/null 2>&1 9>&- || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$prefix.lock"
exec wine "$@"
