# Waiting on a desktop: shared by desktop-session.sh and desktop-lib.sh.
# Sourced, not run.

# desk_wait SECONDS COMMAND...: polls COMMAND every 50 ms until it succeeds;
# fails (status 1) after SECONDS.
desk_wait() {
  local deadline=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "${EPOCHREALTIME/./}" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
