#!/usr/bin/env bash
# The real ConfigQuarnel.exe under Wine, driven as a user drives it: xdotool
# clicks and keys only, on a Wine prefix and Xvfb of these tests' own, with
# COM1..COM15, COM19 and COM23 captured into files that are compared byte for
# byte.
#
#   drive-window.sh setup          make the prefix, capture those ports
#   drive-window.sh teardown       end the capture, the prefixes and their Xvfb
#   drive-window.sh SCENARIO       one of the scenarios below
#
# COM16 leads nowhere, from set-up on: Wine opens it, and a write to it fails
# at once; so do the other names up to COM32. COM19 and COM23 stand for the
# ports a machine gives its USB adapters. The prefix keeps one Wine session from set-up to teardown: no
# scenario starts Wine afresh or changes its ports. Scenarios that need
# another locale or window frame (and lcdsim) bring a prefix of their own up
# and down.
#
# Environment: CQ_TOOLS (the tools/ folder), CQ_APP (ConfigQuarnel.exe),
# CQ_LCDSIM (lcdsim.exe of the same target), CQ_WORK (a folder of its own);
# for some scenarios CQ_PLANTED_DLL, CQ_IMPORTS_COMCTL32, CQ_INSPECTOR
# (WindowInspector.exe of the same target) and CQ_CLI (cqconfig.exe).
# Exit code 77 (skipped) where this machine cannot run the program, or, out of
# CI, where a tool is missing (in CI that fails).
set -euo pipefail

: "${CQ_TOOLS:?}" "${CQ_APP:?}" "${CQ_LCDSIM:?}" "${CQ_WORK:?}"
source "$CQ_TOOLS/lib/wait.sh"
source "$CQ_TOOLS/lib/needs.sh"
mkdir -p "$CQ_WORK"
# The X server of these prefixes outlives its clients (see wine-run).
export CQ_XVFB_NORESET=1
work=$(cd "$CQ_WORK" && pwd)
prefix="$work/wineprefix"
bench="$work/bench"

say() { echo "drive-window: $*" >&2; }
# A failure says what the program and the prefix were doing at that moment.
fail() {
  say "FAILED: $*"
  if [[ -n "$app_prefix" ]]; then
    [[ -z "$app_pid" ]] || say "the program $(describe_app); its messages: $(tr '\n' ' ' <"$work/app.err")"
    say "its lines: $(cd "$app_prefix/dosdevices" && for n in $(seq 17); do printf 'com%s->%s ' "$n" "$(readlink "com$n" || echo -)"; done)"
    say "the prefix's Wine and X: $("$CQ_TOOLS/wine-run" --prefix "$app_prefix" --status | tr '\n' ';')"
    say "X windows on $DISPLAY: $(xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\)$/\1 \2/p' | tr '\n' ';')"
  fi
  exit 1
}

# --- the window -------------------------------------------------------------

app_pid=""
app_prefix=""
extra_pids=()

end_started() {
  local pid
  for pid in ${app_pid:+"$app_pid"} ${extra_pids[@]+"${extra_pids[@]}"}; do
    end_child "$pid"
  done
}

use_display() { DISPLAY=$(cat "$1/display"); export DISPLAY; }

# Wine closes a desktop a second after its last program has left it. Each
# scenario starts from the same state, a session with no desktop: no program
# of these tests runs while the next one starts, so a desktop that is still
# there is closing, and the next program waits until it has gone.
desktop_closed() {
  ! "$CQ_TOOLS/wine-run" --prefix "$1" --status | grep -q 'explorer\.exe'
}

# Starts the program and waits for its window. When none comes, what there is
# to know is printed.
start_app() {
  local on_prefix=$1
  "$CQ_TOOLS/wine-run" --prefix "$on_prefix" --init
  use_display "$on_prefix"
  app_prefix=$on_prefix
  wait_until 30 desktop_closed "$on_prefix" || fail "the desktop of the program before does not close"
  # The pointer waits in the screen's corner, outside the centred window:
  # where the scenario before left it, it may rest on the new window's
  # button, which would be raised before the scenario points at it.
  xdotool mousemove 0 0
  "$CQ_TOOLS/wine-run" --prefix "$on_prefix" "$CQ_APP" >"$work/app.out" 2>"$work/app.err" &
  app_pid=$!
  if ! wait_until 60 find_window; then
    say "windows on $DISPLAY: $(window_names)"
    fail "no window \"Config Quarnel\" on $DISPLAY within 60 s"
  fi
  # Shown and placed: the loop is running.
  wait_until 30 window_placed || fail "the window was not shown in the middle of the screen"
}

window_names() {
  local w
  for w in $(xdotool search --name '.' 2>/dev/null); do
    printf '%s|' "$(xdotool getwindowname "$w" 2>/dev/null)"
  done
}

describe_app() {
  if kill -0 "$app_pid" 2>/dev/null; then
    echo "still runs"
  else
    local code=0
    wait "$app_pid" || code=$?
    echo "ended with exit code $code"
  fi
}

# The frame of the window on the screen. (xdotool's getwindowgeometry counts
# the offset of Wine's desktop window twice; moving the pointer to the
# window's corner and reading it back does not.)
window_placed() {
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null)" || return 1
  win_w=$WIDTH win_h=$HEIGHT
  xdotool mousemove --window "$window" 0 0 || return 1
  eval "$(xdotool getmouselocation --shell)"
  # Centred on the 1024 x 768 desktop.
  [[ $X -eq $(((1024 - win_w) >> 1)) && $Y -eq $(((768 - win_h) >> 1)) ]]
}

# Where the client area starts within the frame: Wine's sizing border and
# caption.
client_dx=4 client_dy=23

# Moves the pointer to a point of the client area, as the children are placed.
point_at() { xdotool mousemove --window "$window" $((client_dx + $1)) $((client_dy + $2)); }

click_at() { point_at "$1" "$2"; xdotool click 1; }

# Keys go to the window under the pointer: keep it over the form.
keys() {
  point_at 60 135
  xdotool key --delay 40 "$@"
}

# The lists, by the middle of their selection field, and the button.
port_list=(141 14) rows_list=(147 40) columns_list=(156 66) type_list=(140 92)
button=(96 124)

# Focuses a list with the mouse (the first click drops it down, the second
# closes it again), then moves its selection with the arrow key.
choose() {
  local x=$1 y=$2 downs=$3
  click_at "$x" "$y"
  click_at "$x" "$y"
  if [[ $downs -gt 0 ]]; then
    keys $(printf 'Down %.0s' $(seq "$downs"))
  fi
}

# The button as the screen shows it, saved under a name. The window is
# centred on the desktop (start_app checked it).
button_shot() {
  local left=$(((1024 - win_w) >> 1)) top=$(((768 - win_h) >> 1))
  import -window root -crop "177x26+$((left + client_dx + 8))+$((top + client_dy + 111))" \
    "$work/button-$1.png"
}

# Two pictures alike to the pixel.
alike() { [[ "$(compare -metric AE "$1" "$2" null: 2>&1)" == 0 ]]; }

# Compares a fresh picture of the button with a saved one.
same_button() {
  button_shot now
  alike "$work/button-$1.png" "$work/button-now.png"
}
button_looks_unlike() { ! same_button "$1"; }

# The flat button as it is first drawn (the mouse has not been over it yet):
# its caption shows, so the picture has more than the one colour of the
# background.
button_drawn() {
  button_shot flat
  [[ $(identify -format %k "$work/button-flat.png") -gt 1 ]]
}

# The flat button is raised while the mouse is over it, and flat again once
# the mouse has left it.
hover_and_leave_button() {
  point_at 60 150
  wait_until 10 button_drawn || fail "the button was not drawn"
  point_at "${button[@]}"
  wait_until 10 button_looks_unlike flat || fail "no raised edge while the mouse is over the button"
  point_at 60 150
  wait_until 10 same_button flat || fail "the button stays raised after the mouse has left it"
}

app_finished() { ! kill -0 "$app_pid" 2>/dev/null; }

# Checks that the program has ended, with exit code 0, after what was done.
expect_ended() {
  wait_until 30 app_finished || fail "the program still runs after $1"
  local code=0
  wait "$app_pid" || code=$?
  app_pid=""
  [[ $code -eq 0 ]] || fail "the program ended with exit code $code after $1"
}

# Closes the window with its close box.
close_with_close_box() {
  xdotool mousemove --window "$window" $((win_w - 14)) 13 click 1
  expect_ended "a click on the close box"
}

answers() { xdotool getwindowname "$window" >/dev/null 2>&1 && kill -0 "$app_pid" 2>/dev/null; }

# Every visible top-level window of the display with a name.
named_windows() {
  xdotool search --onlyvisible --name '.' 2>/dev/null | sort
}

# --- the window read back from outside --------------------------------------

shots="$work/shots"

# Reads the window back through the platform's Unicode functions
# (WindowInspector with ARGS, in the program's prefix) into shots/NAME.txt,
# and takes pictures of its client area (shots/NAME-client.png) and of the
# whole window (NAME-window.png) once they have stopped changing. Says what
# differs from what the window is meant to show, and returns 1 then.
#   inspect NAME [ARGS...]
inspect() {
  local name=$1 code=0
  shift
  mkdir -p "$shots"
  "$CQ_TOOLS/wine-run" --prefix "$app_prefix" "$CQ_INSPECTOR" "$@" >"$shots/$name.txt" 2>&1 || code=$?
  [[ $code -le 1 ]] || fail "WindowInspector $*: $(tr '\n' ' ' <"$shots/$name.txt")"
  local client window
  client=$(sed -n 's/^form .*, client \([0-9]*\),\([0-9]*\) \([0-9]*x[0-9]*\)$/\3+\1+\2/p' "$shots/$name.txt")
  window=$(sed -n 's/^form .*: window \([0-9]*\),\([0-9]*\) \([0-9]*x[0-9]*\),.*$/\3+\1+\2/p' "$shots/$name.txt")
  wait_until 20 settled "$shots/$name-client.png" "$client" || fail "the client area keeps changing"
  import -window root -crop "$window" "$shots/$name-window.png"
  grep '^differs: ' "$shots/$name.txt" | while read -r line; do say "$name $line"; done
  return $code
}

# A picture of part of the screen that two shots half a second apart agree on.
settled() {
  import -window root -crop "$2" "$1"
  sleep 0.5
  import -window root -crop "$2" "${1%.png}-again.png"
  alike "$1" "${1%.png}-again.png"
}

# A prefix of the scenario's own, made once for the locale or window frame
# that the settings give (CQ_LOCALE=..., CQ_WINDOW_FRAME=..., see wine-run),
# kept up from here and shut down when the scenario ends; in $other.
#   other_prefix NAME [SETTING...]
other_prefix() {
  other="$work/$1/wineprefix"
  shift
  trap 'end_started; "$CQ_TOOLS/wine-run" --prefix "$other" --shutdown' EXIT
  env "$@" "$CQ_TOOLS/wine-run" --prefix "$other" --serve
}

# --- the lines --------------------------------------------------------------

declare -A offset=()

# The lines the bench serves; COM16 is held empty.
served=($(seq 15) 19 23)
missing=16

# Remembers how much each capture holds, so that a scenario sees only what it
# made the program write.
mark_lines() {
  local n
  links_to_bench
  for n in "${served[@]}"; do offset[$n]=$(stat -c %s "$bench/com$n.bin" 2>/dev/null || echo 0); done
}

# The bytes written to COMn since mark_lines, as hex pairs.
written() {
  local file="$bench/com$1.bin"
  [[ -f "$file" ]] || return 0
  tail -c +$((offset[$1] + 1)) "$file" | od -An -tx1 -v | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'
}

count_at_least() { [[ $(($(stat -c %s "$bench/com$1.bin") - offset[$1])) -ge $2 ]]; }

# Every COMn the bench serves leads to its capture, and COM16 nowhere.
links_to_bench() {
  local n
  for n in "${served[@]}"; do
    [[ "$(readlink "$prefix/dosdevices/com$n")" == "$(readlink -f "$bench/tty$n")" ]] \
      || fail "COM$n does not lead to the bench: $(readlink "$prefix/dosdevices/com$n")"
  done
  [[ ! -e "$prefix/dosdevices/com$missing" && ! -L "$prefix/dosdevices/com$missing" ]] \
    || fail "COM$missing leads to $(readlink "$prefix/dosdevices/com$missing")"
}

configured() {
  printf 'fe 04 %02x fe 03 %02x fe 05 %02x fe 58 43 6f 6d 70 6c 65 74 65 21' "$1" "$2" "$3"
}

# Waits for the 20 bytes on COMn, then checks them and that no other line
# got anything.
expect_only() {
  local port=$1 expected=$2 n
  wait_until 30 count_at_least "$port" 20 || fail "COM$port got only: $(written "$port")"
  [[ "$(written "$port")" == "$expected" ]] \
    || fail "COM$port got: $(written "$port"); expected: $expected"
  for n in "${served[@]}"; do
    [[ $n -eq $port || -z "$(written "$n")" ]] || fail "COM$n got: $(written "$n")"
  done
  say "COM$port: $expected"
}

# --- set-up and scenarios ---------------------------------------------------

runnable() {
  # The tools of the same build run exactly where the program runs.
  local code=0
  "$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_LCDSIM" --help >/dev/null 2>&1 || code=$?
  [[ $code -ne 77 ]] || { say "skipped: this machine cannot run the program"; exit 77; }
}

scenario=${1:?usage: drive-window.sh setup|teardown|SCENARIO}
case $scenario in
  setup)
    "$CQ_TOOLS/wine-run" --prefix "$prefix" --init
    "$CQ_TOOLS/serial-bench" --prefix "$prefix" --dir "$bench" start --capture --pin "${served[@]}"
    "$CQ_TOOLS/wine-run" --prefix "$prefix" --serve
    exit 0 ;;
  teardown)
    status=0
    "$CQ_TOOLS/serial-bench" --prefix "$prefix" --dir "$bench" stop || status=1
    "$CQ_TOOLS/wine-run" --prefix "$prefix" --shutdown || status=1
    # The scenarios' own prefixes, should one have been stopped before it
    # could shut its prefix down.
    for other in "$work"/*/wineprefix; do
      [[ ! -d "$other" ]] || "$CQ_TOOLS/wine-run" --prefix "$other" --shutdown || status=1
    done
    exit $status ;;
esac

needs xdotool
trap end_started EXIT
runnable

case $scenario in
  enter-at-once)
    mark_lines
    start_app "$prefix"
    keys Return
    expect_only 1 "$(configured 2 16 52)"
    close_with_close_box
    ;;

  com12-by-mouse-and-keys)
    mark_lines
    start_app "$prefix"
    choose "${port_list[@]}" 11
    choose "${rows_list[@]}" 1
    choose "${columns_list[@]}" 3
    choose "${type_list[@]}" 4
    click_at "${button[@]}"
    expect_only 12 "$(configured 4 40 115)"
    close_with_close_box
    ;;

  missing-port)
    # COM16 leads nowhere.
    mark_lines
    start_app "$prefix"
    before=$(named_windows)
    choose "${port_list[@]}" 15
    click_at "${button[@]}"
    # Back to Com1: its bytes show that the first action has ended and that
    # the window still answers.
    choose "${port_list[@]}" 0
    keys Home Return
    expect_only 1 "$(configured 2 16 52)"
    answers || fail "the window no longer answers"
    [[ "$(named_windows)" == "$before" ]] || fail "another window appeared: $(named_windows | tr '\n' ' ')"
    close_with_close_box
    ;;

  com23-by-keys)
    # The list holds Com1..Com16, then every port above them that the
    # machine has, in number order (the inspector asks the platform name by
    # name); Com23 chosen by keys takes the configuration.
    : "${CQ_INSPECTOR:?}"
    needs import compare
    mark_lines
    start_app "$prefix"
    inspect ports || fail "the window's lists are not as meant"
    items=$(sed -n 's/^.* "Com1" items: \(.*\)$/\1/p' "$shots/ports.txt")
    [[ " $items " == *" Com16 Com17 "*" Com19 "*" Com23 "* ]] || fail "the port list: $items"
    index=$(tr ' ' '\n' <<<"$items" | grep -nx Com23 | cut -d: -f1)
    choose "${port_list[@]}" $((index - 1))
    keys Return
    expect_only 23 "$(configured 2 16 52)"
    close_with_close_box
    # cqconfig takes the same port, and lists both.
    : "${CQ_CLI:?}"
    mark_lines
    "$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_CLI" COM23 >"$work/cli.out" 2>&1 \
      || fail "cqconfig COM23: $(cat "$work/cli.out")"
    expect_only 23 "$(configured 2 16 52)"
    "$CQ_TOOLS/wine-run" --prefix "$prefix" "$CQ_CLI" --list >"$work/cli.out" 2>&1 \
      || fail "cqconfig --list: $(cat "$work/cli.out")"
    listed=$(tr -d '\r' <"$work/cli.out" | tr '\n' ' ')
    [[ " $listed" == *" COM16 COM17 "*" COM19 "*" COM23 "* ]] || fail "cqconfig --list: $listed"
    ;;

  button-hover)
    # The flat button is raised while the mouse is over it, and flat again
    # once the mouse has left it.
    needs import compare identify
    start_app "$prefix"
    hover_and_leave_button
    close_with_close_box
    ;;

  alt-f4)
    # Wine's drop-down list swallows Alt+F4 while it has the focus; a click
    # on the button leaves the platform's focus there, where it passes on.
    mark_lines
    start_app "$prefix"
    click_at "${button[@]}"
    expect_only 1 "$(configured 2 16 52)"
    keys alt+F4
    expect_ended "Alt+F4"
    ;;

  close-box)
    mark_lines
    start_app "$prefix"
    close_with_close_box
    for n in "${served[@]}"; do [[ -z "$(written "$n")" ]] || fail "COM$n got: $(written "$n")"; done
    ;;

  lcdsim)
    # A prefix of its own, with a pty pair on COM1 and lcdsim at the far end.
    sim_prefix="$work/lcdsim/wineprefix"
    sim_bench="$work/lcdsim/bench"
    log="$work/lcdsim/lcdsim.log"
    trap 'end_started; "$CQ_TOOLS/serial-bench" --prefix "$sim_prefix" --dir "$sim_bench" stop || true; "$CQ_TOOLS/wine-run" --prefix "$sim_prefix" --shutdown' EXIT
    "$CQ_TOOLS/wine-run" --prefix "$sim_prefix" --init
    "$CQ_TOOLS/serial-bench" --prefix "$sim_prefix" --dir "$sim_bench" start --pin 1
    "$CQ_TOOLS/wine-run" --prefix "$sim_prefix" --serve
    : >"$log"
    "$CQ_TOOLS/wine-run" --prefix "$sim_prefix" "$CQ_LCDSIM" --bytes 20 COM17 >"$log" 2>&1 &
    sim_pid=$!
    extra_pids+=("$sim_pid")
    wait_until 60 grep -q '^lcdsim: COM17' "$log" || fail "lcdsim did not start: $(cat "$log")"
    start_app "$sim_prefix"
    keys Return
    sim_finished() { ! kill -0 "$sim_pid" 2>/dev/null; }
    wait_until 30 sim_finished || fail "lcdsim did not get 20 bytes: $(cat "$log")"
    cat "$log"
    # The last picture: a 2 x 16 display of type LK162-12 showing the text.
    picture=$(awk '/, [0-9]+ x [0-9]+$/ { last = "" } { last = last $0 "\n" } END { printf "%s", last }' "$log")
    expected_picture=$'LK162-12 (0x34), 2 x 16\n+----------------+\n|Complete!       |\n|                |\n+----------------+'
    [[ "$picture" == "$expected_picture" ]] || fail "the display shows:"$'\n'"$picture"
    close_with_close_box
    ;;

  planted-comctl32)
    # DLLs named as system DLLs that are not known DLLs lie beside a copy of
    # the program, which runs with the platform's search order (the exe's own
    # folder first). It loads neither comctl32.dll, at start or when the flat
    # button first needs comctl32, nor uxtheme.dll, which user32 loads later;
    # and it still works.
    : "${CQ_PLANTED_DLL:?}" "${CQ_IMPORTS_COMCTL32:?}"
    needs import compare identify
    planted="$work/planted"
    rm -rf "$planted" && mkdir -p "$planted"
    cp "$CQ_APP" "$CQ_IMPORTS_COMCTL32" "$planted/"
    cp "$CQ_PLANTED_DLL" "$planted/comctl32.dll"
    cp "$CQ_PLANTED_DLL" "$planted/uxtheme.dll"
    export WINEDLLOVERRIDES="comctl32,uxtheme=n,b"
    # The loader may name a DLL as an import table writes it: COMCTL32.DLL.
    loaded() { find "$planted" -name '*.loaded' -printf '%f\n' | tr '[:upper:]' '[:lower:]' | sort | tr '\n' ' '; }
    # A program as the utility once was takes both: the bench can see it.
    "$CQ_TOOLS/wine-run" --prefix "$prefix" "$planted/$(basename "$CQ_IMPORTS_COMCTL32")" || true
    [[ "$(loaded)" == "comctl32.dll.loaded uxtheme.dll.loaded " ]] \
      || fail "a program that imports comctl32 took only these planted DLLs: $(loaded)"
    rm "$planted"/*.loaded
    CQ_APP="$planted/$(basename "$CQ_APP")"
    mark_lines
    start_app "$prefix"
    hover_and_leave_button
    keys Return
    expect_only 1 "$(configured 2 16 52)"
    close_with_close_box
    [[ -z "$(loaded)" ]] || fail "the program loaded the DLLs beside it: $(loaded)"
    ;;

  code-page-1252 | code-page-932)
    # The window on a Windows of another ANSI code page shows the same
    # Russian texts, and its client area the same pixels, as under 1251.
    # (The caption bar is the platform's: under 932 Wine draws it in a font
    # of its own.)
    : "${CQ_INSPECTOR:?}"
    needs import compare
    page=${scenario#code-page-}
    case $page in 1252) locale=en_US.UTF-8 ;; 932) locale=ja_JP.UTF-8 ;; esac
    start_app "$prefix"
    inspect cp1251 --code-page 1251 || fail "the window under 1251 is not as meant"
    close_with_close_box
    other_prefix "$locale" CQ_LOCALE="$locale"
    start_app "$other"
    verdict=0
    inspect "cp$page" --code-page "$page" || verdict=1
    if ! alike "$shots/cp1251-client.png" "$shots/cp$page-client.png"; then
      compare "$shots/cp1251-client.png" "$shots/cp$page-client.png" "$shots/cp$page-diff.png" 2>/dev/null || true
      say "the client area under $page differs from the one under 1251 ($(compare -metric AE "$shots/cp1251-client.png" "$shots/cp$page-client.png" null: 2>&1) pixels; see $shots/cp$page-client.png)"
      verdict=1
    fi
    close_with_close_box
    [[ $verdict -eq 0 ]] || fail "the window under code page $page is not the one under 1251"
    ;;

  windows10-frame)
    # The frame of Windows 10 and 11 takes more of the window than Wine's:
    # the client area keeps its size and holds every child, the form centred.
    : "${CQ_INSPECTOR:?}"
    needs import compare
    other_prefix windows10-frame CQ_WINDOW_FRAME=windows10
    start_app "$other"
    inspect windows10 --frame 8,31 || fail "the window in the frame of Windows 10 and 11 is not as meant"
    close_with_close_box
    ;;

  *) fail "no scenario $scenario" ;;
esac
say "passed: $scenario"
