#!/usr/bin/env bash
# Runs a command beside a real OLA daemon (olad) acting as an independent controller, or two.
#
#   scripts/ola-peer.sh [--plugin NAME]... [--set NAME:KEY=VALUE]... [--patch NAME:PORT:UNIVERSE]...
#                       [--second-daemon] [--second-local] -- COMMAND [ARGS...]
#
# Must itself run inside the private test namespace (scripts/in-netns.sh). It then creates
# fresh network namespaces of its own: one for COMMAND, so that concurrent tests never see each
# other's interfaces or sockets, and one per olad, each joined to a bridge on COMMAND's side by
# a veth pair, so that every daemon reaches COMMAND and the other daemon, multicast included
# (the bridge floods multicast rather than snooping IGMP):
#
#   COMMAND's side: lo, bridge tvpeer0 10.77.0.1/24 (ports tvlink1, tvlink2)
#   first olad's side: lo, tvpeer1 10.77.0.2/24     second olad's side: lo, tvpeer1 10.77.0.3/24
#
# Each olad runs as nobody with a config directory of its own in which every plugin except the
# named ones (OLA's config prefixes: artnet, e131, ...) is disabled; the named ones bind to the
# daemon's address. --set adds or replaces a key of a plugin's config, --patch patches output
# port PORT of the plugin's device to UNIVERSE; both apply to every daemon. --second-daemon
# starts the second olad; --second-local adds 10.77.0.4/24 to the bridge, a second address of
# ours (a second source on our side of the link). COMMAND sees:
#   TESSAVIEW_OLA_RUN      a program that runs its arguments as nobody in olad's namespace,
#                          e.g. "$TESSAVIEW_OLA_RUN" ola_set_dmx -u 1 -d 1,2,3
#   TESSAVIEW_PEER_LOCAL   10.77.0.1 (ours)     TESSAVIEW_PEER_REMOTE  10.77.0.2 (olad's)
#   TESSAVIEW_PEER_IFACE   tvpeer0 (the bridge, for captures)
#   TESSAVIEW_OLA_DEVICE_<NAME>  olad's device number of each named plugin (ARTNET, E131, ...),
#                          for ola_patch; OLA's Art-Net plugin sends ArtDmx only to nodes that
#                          answered its ArtPoll, and it polls when a port is patched, so a test
#                          patches its Art-Net ports once its node listens
#   TESSAVIEW_OLA_RUN2, TESSAVIEW_PEER_REMOTE2 (10.77.0.3), TESSAVIEW_OLA_DEVICE2_<NAME>
#                          the same for the second olad, with --second-daemon
#   TESSAVIEW_PEER_LOCAL2  10.77.0.4, with --second-local
#   TESSAVIEW_PEER_STATE   the run's folder (olad.log, conf/, olad2.log, conf2/); removed
#                          afterwards unless TESSAVIEW_KEEP_PEER_STATE=1
# Exit status: COMMAND's; 77 when the run is impossible here (not root, olad missing); 2 for
# usage errors or when an olad does not come up. Everything is torn down on every exit path.
set -euo pipefail

readonly local_address=10.77.0.1 second_local_address=10.77.0.4 prefix=24
readonly remote_addresses=(10.77.0.2 10.77.0.3)
readonly local_iface=tvpeer0 remote_iface=tvpeer1
# Config prefixes of every plugin Debian's olad loads (ola-<prefix>.conf).
readonly all_plugins=(artnet dummy e131 espnet ftdidmx gpio karate kinet milinst opendmx
    openpixelcontrol osc pathport renard sandnet shownet spi stageprofi uartdmx usbdmx usbserial)

skip() {
    echo "ola-peer: skipped: $*" >&2
    exit 77
}
fail() {
    echo "ola-peer: $*" >&2
    exit 2
}

original_args=("$@")
plugins=() settings=() patches=()
daemons=1 second_local=
while [ $# -gt 0 ]; do
    case "$1" in
    --plugin) plugins+=("$2"); shift 2 ;;
    --set) settings+=("$2"); shift 2 ;;
    --patch) patches+=("$2"); shift 2 ;;
    --second-daemon) daemons=2; shift ;;
    --second-local) second_local=1; shift ;;
    --) shift; break ;;
    *) fail "unknown option $1" ;;
    esac
done
[ $# -gt 0 ] || fail "no command given"
[ ${#plugins[@]} -gt 0 ] || fail "no plugin given"
for p in "${plugins[@]}"; do
    [[ " ${all_plugins[*]} " == *" $p "* ]] || fail "unknown plugin $p"
done

[ "${TESSAVIEW_IN_NETNS:-}" = 1 ] || skip "run it inside scripts/in-netns.sh"
# olad refuses root and nobody does not exist in a user namespace: real root is needed.
read -r _ outside _ </proc/self/uid_map
[ "$(id -u)" = 0 ] && [ "$outside" = 0 ] || skip "needs root (not root in a user namespace)"
for tool in olad ola_dev_info ola_patch ola_plugin_info ola_plugin_state setpriv nsenter unshare ip; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
id nobody >/dev/null 2>&1 && getent group nogroup >/dev/null || skip "no user nobody / group nogroup"

# Step 1: a namespace of our own for COMMAND; this script re-enters itself there.
if [ "${TESSAVIEW_PEER_NS:-}" != 1 ]; then
    exec unshare --net -- env TESSAVIEW_PEER_NS=1 "$0" "${original_args[@]}"
fi
[ "$(ip -o link show | grep -vc ': lo:')" = 0 ] || fail "our namespace is not fresh"

state=$(mktemp -d /tmp/tessaview-ola.XXXXXX)
chmod 755 "$state"
# Per daemon (index 1, 2): the process holding its namespace open, and olad.
holders=() olad_pids=()
teardown() {
    local rc=$? pid log
    trap - EXIT
    for pid in "${olad_pids[@]}"; do
        kill -0 "$pid" 2>/dev/null || continue
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    # The veth pairs and the daemons' namespaces vanish with the last process in them.
    for pid in "${holders[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for log in "$state"/olad*.log; do
        if [ $rc -ne 0 ] && [ -s "$log" ]; then
            echo "ola-peer: $(basename "$log"):" >&2
            tail -n 40 "$log" >&2
        fi
    done
    if [ "${TESSAVIEW_KEEP_PEER_STATE:-}" = 1 ]; then
        echo "ola-peer: kept $state" >&2
    else
        rm -rf "$state"
    fi
    exit $rc
}
trap teardown EXIT
trap 'exit 143' TERM INT HUP

ip link set lo up
ip link set lo multicast on
ip route add 224.0.0.0/4 dev lo
ip link add "$local_iface" type bridge mcast_snooping 0
ip addr add "$local_address/$prefix" brd + dev "$local_iface"
[ -z "$second_local" ] || ip addr add "$second_local_address/$prefix" dev "$local_iface"
ip link set "$local_iface" up

# The device a plugin created in daemon $1: olad's plugin id by the name it reports.
plugin_id() {
    local want
    case "$2" in
    artnet) want=ArtNet ;;
    e131) want=E1.31 ;;
    *) want=$2 ;;
    esac
    "$state/ola-run$1" ola_plugin_info | awk -v w="$want" 'tolower($2) == tolower(w) { print $1; exit }'
}
device_of() {
    local id
    id=$(plugin_id "$1" "$2")
    [ -n "$id" ] || return 1
    "$state/ola-run$1" ola_dev_info -p "$id" | sed -n 's/^Device \([0-9]\+\):.*/\1/p' | head -n 1
}

# Steps 2 to 4 for daemon $1 (1 or 2; files and variables of the first carry no number).
start_daemon() {
    local n=$1 suffix remote_address holder ns own_ns conf p s kv key f name device pt port universe
    suffix=$([ "$n" = 1 ] || echo "$n")
    remote_address=${remote_addresses[$((n - 1))]}

    # Step 2: the daemon's namespace, held open by a sleeping process, and the veth pair from
    # there to our bridge. pdeathsig: a harness killed outright (a test timeout) takes the
    # holder and olad with it.
    unshare --net -- setpriv --pdeathsig KILL -- sleep 100000 &
    holder=$!
    holders+=("$holder")
    own_ns=$(readlink /proc/self/ns/net)
    for _ in $(seq 100); do
        ns=$(readlink "/proc/$holder/ns/net" 2>/dev/null) || fail "namespace holder died"
        [ "$ns" != "$own_ns" ] && break
        sleep 0.02
    done
    ip link add "tvlink$n" type veth peer name "$remote_iface" netns "$holder"
    ip link set "tvlink$n" master "$local_iface"
    ip link set "tvlink$n" up
    nsenter --target "$holder" --net -- ip link set lo up
    nsenter --target "$holder" --net -- ip addr add "$remote_address/$prefix" brd + dev "$remote_iface"
    nsenter --target "$holder" --net -- ip link set "$remote_iface" up

    # OLA's clients start a default olad (every plugin on) through PATH when they find none;
    # the helper's PATH holds no olad, so they fail instead.
    mkdir -p "$state/no-daemon"
    cat >"$state/ola-run$suffix" <<EOS
#!/bin/sh
# Runs a program as nobody in olad's network namespace.
prog=\$(command -v "\$1") || { echo "ola-run: \$1 not found" >&2; exit 127; }
shift
PATH=$state/no-daemon exec $(command -v nsenter) --target $holder --net -- \\
    $(command -v setpriv) --reuid=nobody --regid=nogroup --clear-groups -- "\$prog" "\$@"
EOS
    chmod 755 "$state/ola-run$suffix"
    # plugin_id and device_of name the daemon by its number.
    [ "$n" = 1 ] && ln -s ola-run "$state/ola-run1"

    # Step 3: olad's config: every plugin off except the named ones, on the daemon's address.
    conf="$state/conf$suffix"
    mkdir "$conf"
    for p in "${all_plugins[@]}"; do
        if [[ " ${plugins[*]} " == *" $p "* ]]; then
            printf 'enabled = true\nip = %s\n' "$remote_address" >"$conf/ola-$p.conf"
        else
            printf 'enabled = false\n' >"$conf/ola-$p.conf"
        fi
    done
    for s in "${settings[@]}"; do
        p=${s%%:*} kv=${s#*:}
        key=${kv%%=*}
        [ -f "$conf/ola-$p.conf" ] && [ "$key" != "$kv" ] || fail "bad --set $s"
        sed -i "/^$key *=/d" "$conf/ola-$p.conf"
        printf '%s\n' "$kv" >>"$conf/ola-$p.conf"
    done
    chown -R nobody:nogroup "$conf"

    # Step 4: olad, quiet, without its web server or service announcement.
    nsenter --target "$holder" --net -- setpriv --pdeathsig KILL --reuid=nobody --regid=nogroup \
        --clear-groups -- olad -c "$conf" --no-http --no-register-with-dns-sd \
        -l "${TESSAVIEW_OLA_LOG_LEVEL:-2}" >"$state/olad$suffix.log" 2>&1 &
    olad_pids+=($!)
    for _ in $(seq 100); do
        kill -0 "${olad_pids[-1]}" 2>/dev/null || fail "olad $n exited at start"
        "$state/ola-run$n" ola_plugin_info >/dev/null 2>&1 && break
        sleep 0.1
    done
    "$state/ola-run$n" ola_plugin_info >/dev/null 2>&1 || fail "olad $n does not answer"

    # olad writes a file for every plugin it knows; one we did not write is a plugin that ran
    # with its defaults, which may reach hardware, so refuse to go on.
    for f in "$conf"/ola-*.conf; do
        name=$(basename "$f" .conf)
        name=${name#ola-}
        case "$name" in universe | port | server) continue ;; esac
        [[ " ${all_plugins[*]} " == *" $name "* ]] || fail "olad loaded a plugin not disabled here: $name"
    done

    # Devices appear once their plugin has started.
    declare -A device_numbers=()
    for p in "${plugins[@]}"; do
        device=
        for _ in $(seq 50); do
            device=$(device_of "$n" "$p") && [ -n "$device" ] && break
            sleep 0.1
        done
        if [ -n "$device" ]; then
            device_numbers[$p]=$device
            export "TESSAVIEW_OLA_DEVICE${suffix}_${p^^}=$device"
        fi
    done
    for pt in "${patches[@]}"; do
        IFS=: read -r p port universe <<<"$pt"
        [ -n "${device_numbers[$p]:-}" ] || fail "--patch $pt: no device of plugin $p"
        "$state/ola-run$n" ola_patch -d "${device_numbers[$p]}" -p "$port" -u "$universe" >/dev/null ||
            fail "--patch $pt failed in olad $n"
    done
}

for n in $(seq "$daemons"); do
    start_daemon "$n"
done

# Step 5: the command, in our namespace.
export TESSAVIEW_OLA_RUN="$state/ola-run" TESSAVIEW_PEER_STATE="$state"
export TESSAVIEW_PEER_LOCAL="$local_address" TESSAVIEW_PEER_REMOTE="${remote_addresses[0]}"
export TESSAVIEW_PEER_IFACE="$local_iface"
if [ "$daemons" = 2 ]; then
    export TESSAVIEW_OLA_RUN2="$state/ola-run2" TESSAVIEW_PEER_REMOTE2="${remote_addresses[1]}"
fi
[ -z "$second_local" ] || export TESSAVIEW_PEER_LOCAL2="$second_local_address"
set +e
"$@"
rc=$?
set -e
for pid in "${olad_pids[@]}"; do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "ola-peer: an olad died during the run" >&2
        [ $rc -ne 0 ] || rc=2
    fi
done
exit $rc
