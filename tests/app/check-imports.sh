#!/usr/bin/env bash
# The program is one exe that needs nothing but Windows itself: every DLL it
# imports must be a known system DLL. Prints the DLLs and the size of the file,
# which must not pass MAX_BYTES when that is given.
#
#   check-imports.sh OBJDUMP PROGRAM.exe [MAX_BYTES]
set -euo pipefail
objdump=${1:?usage: check-imports.sh OBJDUMP PROGRAM.exe}
program=${2:?usage: check-imports.sh OBJDUMP PROGRAM.exe}

# System DLLs that are known DLLs too, which the platform takes only from the
# system folder. (comctl32 is not one: a copy beside the exe would be loaded
# in its place, so the program loads it itself, from the system folder.)
system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll "

dlls=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
[[ -n "$dlls" ]] || { echo "check-imports: no import table in $program" >&2; exit 1; }

status=0
while read -r dll; do
  lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  if [[ "$system_dlls" == *" $lower "* ]]; then
    echo "imports $dll"
  else
    echo "imports $dll: NOT a system DLL" >&2
    status=1
  fi
done <<<"$dlls"

size=$(stat -c %s "$program")
echo "size $size bytes ($(((size + 1023) / 1024)) KiB): $(basename "$program")"

# Size: deterministic for a given toolchain, so a plain limit.
max_bytes=${3:-}
if [[ -n "$max_bytes" ]] && ((size > max_bytes)); then
  echo "size $size bytes: more than the $max_bytes allowed" >&2
  status=1
fi
exit $status
