#!/usr/bin/env bash
# Runs a command in a network namespace of its own where only loopback is
# up, so that a Stellarium started inside (its HTTP server listens on every
# interface) cannot be reached from outside the machine and nothing inside
# reaches out.  The command also runs in a process namespace of its own:
# when it ends, however it ends (a crash, a test timeout), everything it
# started inside ends with it, Stellarium and its X server included.
#
#   scripts/stellarium-sandbox.sh COMMAND [ARGS...]
#
# As root the namespace is made directly; otherwise through a user
# namespace, where the kernel allows it.  Exits with 77 (a skipped test for
# CTest) when no namespace can be made.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 COMMAND [ARGS...]" >&2
  exit 2
fi

if [ "${LUMIRA_IN_SANDBOX:-}" = 1 ]; then
  ip link set lo up
  exec "$@"
fi

if ! command -v unshare >/dev/null || ! command -v ip >/dev/null; then
  echo "$0: unshare (util-linux) and ip (iproute2) are needed" >&2
  exit 77
fi

# --mount-proc: inside, /proc shows the namespace's own processes, as the
# sanitizers' leak check reads its threads there by the process's own id.
flags=(-n -p -f --kill-child --mount-proc)
if [ "$(id -u)" -ne 0 ]; then flags=(-r "${flags[@]}"); fi
if ! unshare "${flags[@]}" true 2>/dev/null; then
  echo "$0: cannot make a network namespace here (unshare ${flags[*]} failed)" >&2
  exit 77
fi
LUMIRA_IN_SANDBOX=1 exec unshare "${flags[@]}" -- "$0" "$@"
