#!/usr/bin/env bash
# Runs a command inside a private network namespace that has nothing but loopback, with
# multicast enabled on it, so nothing a test sends can reach a real interface.
set -euo pipefail
if [ "${TESSAVIEW_IN_NETNS:-}" = 1 ]; then
    exec "$@"
fi
unshare_args=(--net)
[ "$(id -u)" -ne 0 ] && unshare_args+=(--map-root-user)
exec unshare "${unshare_args[@]}" -- env TESSAVIEW_IN_NETNS=1 bash -c '
    set -e
    ip link set lo up
    ip link set lo multicast on
    ip route add 224.0.0.0/4 dev lo
    exec "$@"' netns "$@"
