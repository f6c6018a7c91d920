# Waiting, for the scripts of the bench (sourced, not run).
#
#   wait_until SECONDS COMMAND [ARGS...]   poll until COMMAND succeeds; fails
#                                          once SECONDS have passed without it
#   gone PID                               the process has ended (a zombie
#                                          counts as ended: it runs no more)
#   end_child PID                          ends a process this shell started,
#                                          if it is still this shell's child
#   find_window                            sets $window to the X window named
#                                          "Config Quarnel" on $DISPLAY, if any

# Polls every 50 ms. The command is tried once more at the deadline, so that a
# slow machine gets the whole time.
wait_until() {
  local seconds=$1 deadline
  shift
  deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    "$@" && return 0
    sleep 0.05
  done
  "$@"
}

gone() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  # The state follows the name in brackets, which may itself hold spaces.
  stat=${stat##*) }
  [[ -z "$stat" || "${stat:0:1}" == Z || "${stat:0:1}" == X ]]
}

# Once a child has ended, the system may give its number to another process:
# only a process whose parent is still this shell is the one it started.
end_child() {
  [[ "$(ps -o ppid= -p "$1" 2>/dev/null | tr -d ' ')" == "$$" ]] || return 0
  kill "$1" 2>/dev/null || true
}

window=""
find_window() {
  window=$(xdotool search --name '^Config Quarnel$' 2>/dev/null | head -n 1) && [[ -n "$window" ]]
}
