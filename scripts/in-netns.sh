#!/usr/bin/env bash
# Runs a command inside a private network namespace that has nothing but loopback, with
# multicast enabled on it, so nothing a test sends can reach a real interface.
#
#   scripts/in-netns.sh [--own] COMMAND [ARGS...]
#
# Inside such a namespace already, COMMAND runs there, unless --own asks for a namespace of its
# own: CTest starts every test program that way, so tests running side by side never receive
# each other's datagrams on a shared loopback.
set -euo pipefail
own=0
if [ "${1:-}" = --own ]; then
    own=1
    shift
fi
if [ "${TESSAVIEW_IN_NETNS:-}" = 1 ] && [ $own = 0 ]; then
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
