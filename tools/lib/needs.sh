# Tools a test cannot do without (sourced, not run).
#
#   needs TOOL...   returns when every TOOL is on the PATH. Else the test
#                   does not pass by not running: in CI (CI=true) it fails
#                   (exit 1); elsewhere it is skipped (exit 77, CTest's skip)
#                   with a line that says what is missing.
needs() {
  local tool missing=()
  for tool in "$@"; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  if [[ "${CI:-}" == true ]]; then
    echo "FAILED: ${missing[*]} missing; CI runs every test (tools/setup installs what they need)" >&2
    exit 1
  fi
  echo "skipped: ${missing[*]} missing (tools/setup installs what the tests need)" >&2
  exit 77
}
