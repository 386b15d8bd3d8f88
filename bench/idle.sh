#!/usr/bin/env bash
# Idle processor use of the game against its floors under a private Xvfb, inside one session bus:
# the share of one core each program takes over SECONDS with no input, from utime + stime in
# /proc/PID/stat (and the finer run time in /proc/PID/schedstat). All run side by side, so they
# share the machine's conditions. The floors: a loop of nothing but the game's 1 ms sleep, and a
# bare Qt window blocked in its event loop.
#   bench/idle.sh [BUILD_FOLDER [SECONDS [OTHER_GAME...]]]
set -euo pipefail

if [ "${SELVO_IDLE_SECONDS:-}" != "" ]; then
    # Inside the session bus: start everything, let it settle, measure, end it.
    read -r -a programs <<<"$SELVO_IDLE_PROGRAMS"
    pids=()
    for program in "${programs[@]}"; do
        "$program" >/dev/null 2>&1 &
        pids+=($!)
    done
    sleep 3
    ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
    runtime() { awk '{ print $1 }' "/proc/$1/schedstat" 2>/dev/null || echo 0; }
    declare -A ticks0 run0
    for pid in "${pids[@]}"; do ticks0[$pid]=$(ticks "$pid"); run0[$pid]=$(runtime "$pid"); done
    sleep "$SELVO_IDLE_SECONDS"
    hz=$(getconf CLK_TCK)
    for i in "${!pids[@]}"; do
        pid=${pids[$i]}
        awk -v p="${programs[$i]}" -v t="$(($(ticks "$pid") - ticks0[$pid]))" -v hz="$hz" \
            -v r="$(($(runtime "$pid") - run0[$pid]))" -v s="$SELVO_IDLE_SECONDS" 'BEGIN {
            printf "  %-44s %5.2f %% of one core (stat: %d ticks), %5.2f %% (schedstat)\n",
                   p, 100 * t / hz / s, t, 100 * r / 1e9 / s }'
    done
    kill "${pids[@]}" 2>/dev/null
    wait 2>/dev/null || true
    exit 0
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
seconds=${2:-10}
shift $(($# < 2 ? $# : 2))
for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "idle.sh needs $tool" >&2; exit 2; }
done
for program in "$build/bench/sleep_loop" "$build/bench/bare_window" "$build/selvo-mornik"; do
    [ -x "$program" ] || { echo "idle.sh: $program is not built" >&2; exit 2; }
done

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work"
export SELVO_IDLE_SECONDS="$seconds"
export SELVO_IDLE_PROGRAMS="$build/selvo-mornik $build/bench/sleep_loop $build/bench/bare_window $*"
cd "$root"

echo "Idle over $seconds s, no input, inside one session bus."
echo "Processor: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores."
dbus-run-session -- "$0" 2>/dev/null
