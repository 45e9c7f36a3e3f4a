# shellcheck shell=bash disable=SC2154  # $scratch and $session_name: the script's
# What the two session scripts share (desktop-session.sh and
# ../wayland/sway-session.sh): the programs they start, stopped when the
# script ends and their scratch folder removed; failing with a reason; and
# polling (desktop-wait.sh). Sourced, not run, once $scratch exists; the
# script's name for its messages in $session_name.

pids=()

# Stops what was started, last first; the children a program started of its
# own (the panel's plugin processes) with it.
teardown() {
  local i child
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    for child in $(pgrep -P "${pids[i]}" 2>/dev/null); do kill "$child" 2>/dev/null; done
    kill "${pids[i]}" 2>/dev/null
  done
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    wait "${pids[i]}" 2>/dev/null
  done
  rm -rf "$scratch"
}
trap teardown EXIT
trap 'exit 130' INT TERM

# desk_wait SECONDS CONDITION...: polls the command CONDITION every 50 ms.
# shellcheck source-path=SCRIPTDIR source=desktop-wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/desktop-wait.sh"

die() {
  echo "$session_name: $*" >&2
  exit 1
}
