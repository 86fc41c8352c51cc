#!/usr/bin/env bash
# The Windows program needs no DLL beyond those every Windows ships:
#   imports_test.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 exe=$2
# The Windows system DLLs the program may use (msvcrt is the C runtime of Windows).
allowed=" kernel32.dll user32.dll gdi32.dll winmm.dll msvcrt.dll advapi32.dll shell32.dll "
headers=$("$objdump" -p "$exe")
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')
[[ -n $dlls ]] || { echo "FAIL: no imports found in $exe"; exit 1; }
status=0
for dll in $dlls; do
  if [[ $allowed != *" $dll "* ]]; then
    echo "FAIL: $exe needs $dll, which Windows does not ship"
    status=1
  fi
done
grep -q 'Subsystem.*Windows GUI' <<<"$headers" ||
  { echo "FAIL: $exe is not a GUI program (a console window would open with it)"; status=1; }
((status == 0)) && echo "imports: ${dlls//$'\n'/ }"
exit "$status"
