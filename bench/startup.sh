#!/usr/bin/env bash
# Start-up of the game against its floor, a bare Qt window of the same size, under a private Xvfb:
# milliseconds from exec to the mapped window and to the first frame drawn into it, the programs
# taking turns, first all inside one session bus (as on a desktop), then with none at all.
#   bench/startup.sh [BUILD_FOLDER [ROUNDS [OTHER_GAME...]]]
# OTHER_GAME: more game programs timed in the same rounds, e.g. an older build for before/after.
set -euo pipefail

if [ "${SELVO_STARTUP_ROUNDS:-}" != "" ]; then
    # One series, in the bus setting the caller chose: "program map frame" lines on stdout.
    read -r -a programs <<<"$SELVO_STARTUP_PROGRAMS"
    for ((round = 0; round < SELVO_STARTUP_ROUNDS; ++round)); do
        for program in "${programs[@]}"; do
            # Without a bus, each program starts as if none had ever been started on this display
            # (dbus-launch notes the buses it starts in ~/.dbus).
            [ "${DBUS_SESSION_BUS_ADDRESS:-}" = "" ] && rm -rf "$HOME/.dbus"
            if times=$("$SELVO_STARTUP_TIMER" 1000 700 "$program" 2>/dev/null); then
                echo "$program $times"
            fi
        done
    done
    exit 0
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
rounds=${2:-15}
shift $(($# < 2 ? $# : 2))
for tool in Xvfb dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "startup.sh needs $tool" >&2; exit 2; }
done
for program in "$build/bench/map_timer" "$build/bench/bare_window" "$build/selvo-mornik"; do
    [ -x "$program" ] || { echo "startup.sh: $program is not built" >&2; exit 2; }
done

work=$(mktemp -d)
display_file="$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$display_file")"
export XDG_RUNTIME_DIR="$work" # fresh: no session bus socket to be found there
export SELVO_STARTUP_TIMER="$build/bench/map_timer"
export SELVO_STARTUP_ROUNDS="$rounds"
export SELVO_STARTUP_PROGRAMS="$build/selvo-mornik $build/bench/bare_window $*"
cd "$root" # the game reads Media/ from its working folder

dbus-run-session -- "$0" >"$work/bus" 2>/dev/null
mkdir "$work/home"
env -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" "$0" >"$work/nobus"

echo "Start-up in ms, median (fastest) of $rounds; ratio of medians to the bare window."
echo "Processor: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores."
# "median fastest" of one column (2: mapped, 3: first frame) of one program's lines.
stats() {
    awk -v p="$1" -v c="$2" '$1 == p { print $c }' "$3" | sort -n |
        awk '{ v[NR] = $1 } END { printf "%.1f %.1f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2, v[1] }'
}
for setting in bus nobus; do
    [ "$setting" = bus ] && echo "Inside one session bus:" || echo "Without a session bus:"
    read -r floorMap _ <<<"$(stats "$build/bench/bare_window" 2 "$work/$setting")"
    read -r floorFrame _ <<<"$(stats "$build/bench/bare_window" 3 "$work/$setting")"
    for program in $SELVO_STARTUP_PROGRAMS; do
        read -r map mapFastest <<<"$(stats "$program" 2 "$work/$setting")"
        read -r frame frameFastest <<<"$(stats "$program" 3 "$work/$setting")"
        awk -v p="$program" -v m="$map" -v mf="$mapFastest" -v f="$frame" -v ff="$frameFastest" \
            -v fm="$floorMap" -v fr="$floorFrame" 'BEGIN {
            printf "  %-44s mapped %6.1f (%6.1f) %4.2f x   first frame %6.1f (%6.1f) %4.2f x\n",
                   p, m, mf, m / fm, f, ff, f / fr }'
    done
done
