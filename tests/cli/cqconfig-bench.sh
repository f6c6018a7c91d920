#!/usr/bin/env bash
# cqconfig.exe under Wine on lines of its own: a prefix whose ports are the
# bench's alone, COM3 and COM5 each one end of a pty pair (far ends COM19
# and COM21), every other name up to COM32 held empty (Wine opens such a
# name, but every write to it fails at once).
#
#   cqconfig-bench.sh
# Environment: CQ_TOOLS (the tools/ folder), CQ_CLI (cqconfig.exe), CQ_LCDSIM
# (lcdsim.exe of the same target), CQ_WORK (a folder of its own),
# CQ_SHARED_PREFIX (a prefix where COM14 and COM200 name nothing at all).
# Exit code 77 (skipped) where this machine cannot run the program.
set -euo pipefail

: "${CQ_TOOLS:?}" "${CQ_CLI:?}" "${CQ_LCDSIM:?}" "${CQ_WORK:?}" "${CQ_SHARED_PREFIX:?}"
source "$CQ_TOOLS/lib/wait.sh"
mkdir -p "$CQ_WORK"
work=$(cd "$CQ_WORK" && pwd)
prefix="$work/wineprefix"
bench="$work/bench"

say() { echo "cqconfig-bench: $*" >&2; }
fail() { say "FAILED: $*"; exit 1; }

pids=()
cleanup() {
  local pid
  for pid in ${pids[@]+"${pids[@]}"}; do end_child "$pid"; done
  "$CQ_TOOLS/serial-bench" --prefix "$prefix" --dir "$bench" stop || true
  "$CQ_TOOLS/wine-run" --prefix "$prefix" --shutdown || true
}

code=0
"$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_CLI" --version >/dev/null 2>&1 || code=$?
[[ $code -ne 77 ]] || { say "skipped: this machine cannot run the program"; exit 77; }
trap cleanup EXIT
"$CQ_TOOLS/serial-bench" --prefix "$prefix" --dir "$bench" start --pin 3 5
"$CQ_TOOLS/wine-run" --prefix "$prefix" --serve

# Everything that reaches the far end of COM5, for the whole run.
: >"$work/com5.bin"
cat "$bench/far5" >>"$work/com5.bin" &
pids+=($!)
size() { stat -c %s "$work/com5.bin"; }
arrived() { (($(size) >= $1)); }

# Runs cqconfig; its exit code in $status, its output in $out and $err.
cqconfig() {
  status=0
  "$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_CLI" "$@" >"$work/out" 2>"$work/err" || status=$?
  out=$(tr -d '\r' <"$work/out") err=$(tr -d '\r' <"$work/err")
}
expect_status() {
  [[ $status -eq $1 ]] || fail "cqconfig $2 gave exit code $status, not $1; it said: $out $err"
}

# --- every value of every list reaches the line as its byte ---------------
rows=(2 4) rows_byte=(02 04)
columns=(8 16 20 24 40) columns_byte=(08 10 14 18 28)
types=(LCD0821 LCD2021 LCD2041 LCD4021 LCD4041 LK202-25 LK204-25 LK404-55 LK404-AT LK402-12
       LK162-12 LK204-25PC LK082-12 LK402-25 LK404-25)
types_byte=(01 02 05 06 07 08 09 0a 31 33 34 35 48 4b 73)
for i in "${!types[@]}"; do
  r=$((i % 2)) c=$((i % 5))
  start=$(size)
  cqconfig com5 --rows "${rows[r]}" --columns="${columns[c]}" --type "${types[i],,}"
  expect_status 0 "for ${types[i]}"
  expected="fe 04 ${rows_byte[r]} fe 03 ${columns_byte[c]} fe 05 ${types_byte[i]} fe 58 43 6f 6d 70 6c 65 74 65 21"
  wait_until 10 arrived $((start + 20)) || fail "COM5 got $(($(size) - start)) of 20 bytes"
  got=$(tail -c +$((start + 1)) "$work/com5.bin" | od -An -tx1 -v | tr -s ' \n' ' ' | sed 's/^ //; s/ $//')
  [[ "$got" == "$expected" ]] || fail "${types[i]}: COM5 got $got; expected $expected"
  [[ "$out" == "COM5: ${rows[r]} rows, ${columns[c]} characters, ${types[i]}: sent 20 bytes" ]] \
    || fail "cqconfig said: $out"
done
say "every row count, row length and type reached COM5 as its byte"

# --- nothing is ever sent to a port the user did not name ----------------
quiet_since() { sleep 1; (($(size) == $1)) || fail "COM5 got $(($(size) - $1)) bytes after $2"; }

start=$(size)
cqconfig COM257
expect_status 1 COM257
[[ "$err" == *'"COM257"'* && "$err" == *"try cqconfig --help"* ]] || fail "for COM257 it said: $err"
cqconfig COM5x --rows 4
expect_status 1 COM5x
quiet_since "$start" "ports outside COM1 to COM256"

# A name Wine holds empty opens, and the first write fails: nothing more goes.
cqconfig COM7
expect_status 3 COM7
[[ "$err" == "cqconfig: COM7: a write did not complete: 0 of 20 bytes went out" ]] \
  || fail "for COM7 it said: $err"

# A name the platform does not know at all cannot be opened.
for name in COM14 COM200; do
  status=0
  "$CQ_TOOLS/wine-run" --prefix "$CQ_SHARED_PREFIX" "$CQ_CLI" $name >"$work/out" 2>"$work/err" || status=$?
  err=$(tr -d '\r' <"$work/err")
  expect_status 2 "$name (missing)"
  [[ "$err" == "cqconfig: $name cannot be opened: "?* ]] || fail "for $name it said: $err"
done
quiet_since "$start" "a port that failed"
say "exit 1 for ports outside the range, 3 for a line that takes nothing, 2 for a missing port"

# --- the ports of the machine: the prefix's, in number order --------------
cqconfig --list
expect_status 0 --list
# Wine knows every name of the pinned port settings (COM1 to COM32, most of
# them empty) and the machine's own serial devices, which take the names after.
expected=$({ seq 32; ls "$prefix/dosdevices" | sed -n 's/^com\([1-9][0-9]*\)$/\1/p'; } | sort -nu | sed 's/^/COM/')
[[ "$out" == "$expected" ]] || fail "--list said: $(tr '\n' ' ' <<<"$out"); the prefix maps: $(tr '\n' ' ' <<<"$expected")"
say "--list: $(wc -l <<<"$out") ports, in number order"

# --- lcdsim at the far end of COM3 ----------------------------------------
log="$work/lcdsim.log"
: >"$log"
"$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_LCDSIM" --bytes 20 COM19 >"$log" 2>&1 &
sim=$!
pids+=("$sim")
wait_until 60 grep -q '^lcdsim: COM19' "$log" || fail "lcdsim did not start: $(cat "$log")"
cqconfig COM3 --rows 4 --columns 20 --type LK204-25
expect_status 0 "COM3 for lcdsim"
wait_until 30 gone "$sim" || fail "lcdsim did not get 20 bytes: $(cat "$log")"
picture=$(tr -d '\r' <"$log" | awk '/, [0-9]+ x [0-9]+$/ { last = "" } { last = last $0 "\n" } END { printf "%s", last }')
expected_picture=$'LK204-25 (0x09), 4 x 20\n+--------------------+\n|Complete!           |\n|                    |\n|                    |\n|                    |\n+--------------------+'
[[ "$picture" == "$expected_picture" ]] || fail "lcdsim shows:"$'\n'"$picture"
say "lcdsim shows \"Complete!\" on a 4 x 20 LK204-25"
say "passed"
