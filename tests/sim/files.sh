#!/usr/bin/env bash
# selvo-sim's files and signals as a user meets them: every refusal before the batch, bad input,
# files written through, its charts, all outputs or none, and no temporary file or game process left by an
# ending signal. Cases where
# root's rights would hide a fault run as the unprivileged user 65534.
#   tests/sim/files.sh SELVO_SIM MEDIA_FOLDER
set -u
sim=$1 media=$2
failures=0 checks=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { checks=$((checks + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
home=$work/home # the user's own folder
mkdir "$home"
# The areas picture where the user may read it too (the checkout may be private to root).
mkdir "$work/areas" && cp "$media/KarteGebiete.png" "$work/areas/" && chmod -R a+rX "$work/areas"
media=$work/areas
# A sanitizer build names a suppressions file in the checkout, which the user may not read either.
case ${LSAN_OPTIONS:-} in *suppressions=*)
    supp=${LSAN_OPTIONS##*suppressions=} && supp=${supp%%:*}
    cp "$supp" "$work/lsan.supp" && chmod 644 "$work/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/"$supp"/"$work/lsan.supp"} ;;
esac

if [ "$(id -u)" = 0 ]; then
    if setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
        as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; }
    else
        as_user() { runuser -u "$(id -nu 65534)" -- "$@"; }
    fi
    chown 65534:65534 "$home"
    root=1
else
    echo "not root: the cases with another user's files are skipped"
    as_user() { "$@"; }
    root=0
fi

batch=(--seed 3 --runs 4 --years 30 --media "$media")

# run AS_USER(0/1) ARGS...: status in $status, standard error in $err.
run() {
    local user=$1
    shift
    if [ "$user" = 1 ]; then
        as_user "$sim" "${batch[@]}" "$@" >"$work/stdout" 2>"$work/stderr"
    else
        "$sim" "${batch[@]}" "$@" >"$work/stdout" 2>"$work/stderr"
    fi
    status=$?
    err=$(cat "$work/stderr")
}

# Listing of a folder with sizes, owners and modes, to see that nothing changed.
state() { find "$1" -not -name 'std*' -printf '%p %s %u %g %m %l\n' | sort; }

# refuse NAME AS_USER FOLDER FRAGMENT ARGS...: exit 2, one line naming the fragment (the
# user's path), nothing in FOLDER changed, no game played.
refuse() {
    local name=$1 user=$2 folder=$3 fragment=$4
    shift 4
    local before
    before=$(state "$folder")
    run "$user" "$@"
    check
    [ "$status" = 2 ] || fail "$name: status $status, not 2 ($err)"
    [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "$name: not one line: $err"
    case $err in *"$fragment"*) ;; *) fail "$name: '$err' does not name '$fragment'" ;; esac
    [ "$(state "$folder")" = "$before" ] || fail "$name: $folder changed"
    [ ! -s "$work/stdout" ] || fail "$name: wrote to standard output"
}

old() { echo "previous results" >"$1"; }

# --- Refusals, as the user and (where the fault shows only then) as root --------------------
old "$home/keep.csv"
old "$home/protected.csv" && chmod 444 "$home/protected.csv"
chown -R 65534:65534 "$home" 2>/dev/null
refuse "write-protected file" 1 "$home" "--out $home/protected.csv" --out "$home/protected.csv"
refuse "write-protected file, root" 0 "$home" "--out $home/protected.csv" --out "$home/protected.csv"
refuse "missing folder" 1 "$home" "--by-year $home/no/such/by-year.csv" \
    --out "$home/keep.csv" --by-year "$home/no/such/by-year.csv"
mkdir "$home/chart.png"
refuse "a folder" 1 "$home" "--plot $home/chart.png is a folder" --out "$home/keep.csv" \
    --plot "$home/chart.png"
refuse "same file" 1 "$home" "are the same file" --out "$home/keep.csv" --by-year "$home/./keep.csv"
"$sim" "${batch[@]}" --by-year "$home/keep.csv" >>"$home/keep.csv" 2>"$work/stderr"
status=$? && check
[ "$status" = 2 ] && [ "$(cat "$home/keep.csv")" = "previous results" ] &&
    grep -q "standard output and --by-year" "$work/stderr" || fail "standard output: $status"
ln -s keep.csv "$home/link.csv"
refuse "same file through a link" 1 "$home" "--by-year $home/link.csv" \
    --out "$home/keep.csv" --by-year "$home/link.csv"
# Links followed as far as the kernel follows them: 40 in a row lead to the file, 41 do not.
chain=$(mktemp -d) && chmod 755 "$chain"
for i in $(seq 41); do ln -s "l$((i + 1))" "$chain/l$i"; done
refuse "41 links" 0 "$chain" "--out $chain/l1: Too many levels of symbolic links" --out "$chain/l1"
run 0 --out "$chain/l2"
check
[ "$status" = 0 ] && [ "$(head -c 4 "$chain/l42")" = "run," ] || fail "40 links: $status $err"
rm -rf "$chain"
refuse "same new file" 1 "$home" "are the same file" --out "$home/new.csv" --by-year "$home/../home/new.csv"
if [ "$root" = 1 ]; then
    old "$home/roots.csv" && chown 0:0 "$home/roots.csv" && chmod 644 "$home/roots.csv"
    refuse "root's file in the user's folder" 1 "$home" "--out $home/roots.csv" --out "$home/roots.csv"
    mkdir -m 755 "$work/rootsfolder"
    refuse "a folder the user may not write" 1 "$work" "--out $work/rootsfolder/new.csv" \
        --out "$work/rootsfolder/new.csv"
    mkdir -m 1777 "$work/sticky"
    old "$work/sticky/other.csv" && chmod 666 "$work/sticky/other.csv"
    refuse "another user's file in a sticky folder" 1 "$work" "--by-year $work/sticky/other.csv" \
        --out "$home/keep.csv" --by-year "$work/sticky/other.csv"
    # Root may replace another user's file, in a third user's sticky folder too, and keeps its
    # owner and mode.
    theirs=$work/sticky/theirs.csv && chown 65533 "$work/sticky"
    old "$theirs" && chown 65534:65534 "$theirs" && chmod 640 "$theirs"
    run 0 --out "$theirs"
    check
    [ "$status" = 0 ] && [ "$(stat -c '%u %g %a' "$theirs")" = "65534 65534 640" ] ||
        fail "owner and mode not kept: $status $(stat -c '%u %g %a' "$theirs") $err"
fi

# --- Bad input: exit 2 with one line, before anything is written ----------------------------
mkdir "$work/media" && printf '\x89PNG\r\n\x1a\n not really' >"$work/media/KarteGebiete.png"
refuse "unknown option" 0 "$home" "unknown option '--frobnicate'" --frobnicate --out "$home/keep.csv"
refuse "no areas picture" 0 "$home" "$work/nowhere/KarteGebiete.png not found" \
    --media "$work/nowhere" --out "$home/keep.csv"
refuse "damaged areas picture" 0 "$home" "$work/media/KarteGebiete.png cannot be read" \
    --media "$work/media" --out "$home/keep.csv"
refuse "plot type" 0 "$home" "unknown picture type" --out "$home/keep.csv" --plot "$home/c.gif"
printf 'kaputt\n' >"$work/kaputt.selvo"
refuse "damaged saved game" 0 "$home" "--from $work/kaputt.selvo: Zeile 1" \
    --from "$work/kaputt.selvo" --out "$home/keep.csv"
refuse "progress descriptor" 0 "$home" "--progress-fd 9: no file descriptor open for writing" \
    --out "$home/keep.csv" --progress-fd 9

# --- Progress: one line per finished game, in order, whichever process played it ---------------
check
counted=$("$sim" "${batch[@]}" --jobs 2 --out /dev/null --progress-fd 3 3>&1 2>/dev/null | tr '\n' ' ')
[ "$counted" = "1 2 3 4 " ] || fail "progress lines: $counted"

# --- Written through: a link's target replaced, a file's mode kept, a FIFO written directly --
for option in --out --by-year; do
    run 0 "$option" "$work/plain"
    plain=$(cat "$work/plain")
    t=$work/through
    rm -rf "$t" && mkdir "$t"
    old "$t/target" && ln -s target "$t/link" && old "$t/private" && chmod 640 "$t/private"
    mkfifo "$t/fifo"
    for name in link private; do
        run 0 "$option" "$t/$name"
        check
        [ "$status" = 0 ] || fail "$option $name: status $status ($err)"
    done
    timeout 60 cat "$t/fifo" >"$work/from-fifo" &
    run 0 "$option" "$t/fifo"
    wait $!
    check
    [ -L "$t/link" ] && [ "$(cat "$t/target")" = "$plain" ] && [ "$(cat "$t/private")" = "$plain" ] &&
        [ "$(stat -c %a "$t/private")" = 640 ] && [ -p "$t/fifo" ] &&
        [ "$(cat "$work/from-fifo")" = "$plain" ] && [ "$(ls "$t" | tr '\n' ' ')" = "fifo link private target " ] ||
        fail "$option written through: $(ls -l "$t")"
done

# --- Charts: a PNG of the chart's size (landscape by default, or the size asked for) and an SVG
# with its title in German, beside the by-year table ------------------------------------------
for chart in c.png c.SVG "d.png --plot-size 1000x1500"; do
    # shellcheck disable=SC2086 # the name and its size option split on purpose
    run 0 --seed 5 --runs 3 --years 20 --policy cull --out /dev/null --plot "$home/"$chart \
        --by-year "$home/by-year.csv"
    check
    [ "$status" = 0 ] && grep -q "^selvo-sim: policy cull$" "$work/stderr" &&
        [ "$(wc -l <"$home/by-year.csv")" = 22 ] || fail "chart $chart: $status $err"
done
check
file "$home/c.png" | grep -q "PNG image data, 1600 x 900," || fail "PNG: $(file "$home/c.png")"
file "$home/d.png" | grep -q "PNG image data, 1000 x 1500," || fail "PNG: $(file "$home/d.png")"
check
[ "$(head -c 5 "$home/c.SVG")" = "<?xml" ] && [ "$(tail -c 7 "$home/c.SVG")" = "</svg>" ] && grep -q "<title>3 Läufe zu 20 Jahren, Startwert 5: Überzählige schießen</title>" "$home/c.SVG" ||
    fail "SVG: $(head -c 300 "$home/c.SVG")"
refuse "plot size" 0 "$home" "--plot-size 800x800: not WIDTHxHEIGHT" --out "$home/keep.csv" \
    --plot "$home/c.png" --plot-size 800x800
rm -f "$home/d.png" rm -f "$home/c.png" "$home/c.SVG" "$home/by-year.csv"

# --- All or nothing: a late failure replaces nothing and leaves no temporary file ------------
if [ -w /dev/full ]; then
    before=$(state "$home")
    run 1 --out "$home/keep.csv" --by-year /dev/full --plot "$home/chart.svg"
    check
    [ "$status" = 1 ] || fail "late failure: status $status ($err)"
    [ "$(state "$home")" = "$before" ] || fail "late failure: $home changed"
fi
# The CSV cut short by the file size limit, written by one process and by two: "writing the CSV
# failed", exit 1, nothing replaced and no temporary file left.
for jobs in 1 2; do
    before=$(state "$home")
    (trap '' XFSZ && ulimit -f 64 && exec "$sim" --seed 1 --runs 200 --years 100 --jobs "$jobs" \
        --media "$media" --out "$home/keep.csv") >/dev/null 2>"$work/stderr"
    status=$?
    check
    [ "$status" = 1 ] && grep -q "writing the CSV failed" "$work/stderr" &&
        [ "$(state "$home")" = "$before" ] || fail "size limit, $jobs jobs: $status $(cat "$work/stderr")"
done
# No process may be started (the user's process limit reached, which binds root only as a user):
# one process plays on as ever; two cannot start, "a game process failed", exit 1, nothing
# replaced. Without --jobs there are as many as the cores the program may run on: one under
# `taskset -c 0`, all of them otherwise.
# The user's shell must reach the program too (a checkout may be private to root).
cp "$sim" "$work/selvo-sim" && chmod 755 "$work/selvo-sim"
for jobs in 1 2 one-core all-cores; do
    case $jobs in
    one-core) run=(taskset -c 0 "$work/selvo-sim" "${batch[@]}") ;;
    all-cores) run=("$work/selvo-sim" "${batch[@]}") ;;
    *) run=("$work/selvo-sim" "${batch[@]}" --jobs "$jobs") ;;
    esac
    old "$home/keep.csv" && chown 65534:65534 "$home/keep.csv" 2>/dev/null
    before=$(state "$home")
    # (A sanitizer build's leak check at exit starts a task of its own, which the limit forbids.)
    as_user env "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        bash -c 'ulimit -u 0 && exec "$0" "$@"' "${run[@]}" --out "$home/keep.csv" >/dev/null \
        2>"$work/stderr"
    status=$?
    check
    if [ "$jobs" = 1 ] || [ "$jobs" = one-core ] || [ "$(nproc)" = 1 ]; then
        [ "$status" = 0 ] && [ "$(head -c 4 "$home/keep.csv")" = "run," ] ||
            fail "process limit, $jobs: $status $(cat "$work/stderr")"
    else
        [ "$status" = 1 ] && grep -q "a game process failed" "$work/stderr" &&
            [ "$(state "$home")" = "$before" ] ||
            fail "process limit, $jobs: $status $(cat "$work/stderr")"
    fi
done
# A parent killed while one game process runs ahead of a stopped one (its ring full, waiting
# for the parent to take the rows) leaves none of them behind: each sees the parent's end of its
# pipe close, the stopped one once it goes on.
running() { # the pids of the copy's processes, or nothing
    for p in /proc/[0-9]*; do [ "$p/exe" -ef "$work/selvo-sim" ] && echo "${p#/proc/}"; done
}
"$work/selvo-sim" --seed 1 --runs 400 --years 5000 --restart --jobs 2 --media "$media" --out /dev/null \
    2>/dev/null &
parent=$!
sleep 0.5
for p in $(running); do
    read -r _ _ _ ppid _ <"/proc/$p/stat" && [ "$ppid" = "$parent" ] && stopped=$p && break
done
kill -STOP "$stopped" && sleep 1 && kill -KILL "$parent" && wait "$parent" 2>/dev/null
kill -CONT "$stopped"
for wait in $(seq 50); do [ -n "$(running)" ] && sleep 0.1 || break; done
check
if [ -n "$(running)" ]; then
    fail "game processes left after their parent was killed"
    kill -KILL $(running)
fi
# On a terminal the bar shows every percent from 0 to 100 once, in order, and is wiped at the end.
if command -v script >/dev/null; then
    script -qec "$sim --seed 1 --runs 400 --years 100 --jobs 2 --media $media --out /dev/null" \
        /dev/null >"$work/tty" 2>&1
    check
    bars=$(tr '\r' '\n' <"$work/tty" | grep '^\[')
    want=$(awk 'BEGIN { for (p = 0; p <= 100; ++p) { b = "["; for (i = 0; i < 40; ++i)
        b = b (i < int(p * 40 / 100) ? "#" : "."); printf "%s] %3d%%\n", b, p } }')
    [ "$bars" = "$want" ] && [ "$(tr '\r' '\n' <"$work/tty" | grep -cx ' \{48\}')" = 1 ] ||
        fail "progress bar: $(tr '\r' '\n' <"$work/tty" | head -3)"
fi
# No descriptor left for the second temporary file (the first took the last one): refused
# before the batch, the first one removed again, the files as they were.
before=$(state "$home")
(for fd in $(ls /proc/$BASHPID/fd); do [ "$fd" -gt 2 ] && eval "exec $fd>&-"; done
    ulimit -n 4 && exec "$sim" "${batch[@]}" --out "$home/keep.csv" --by-year "$home/by-year.csv") \
    >/dev/null 2>"$work/stderr"
status=$?
check
[ "$status" = 2 ] && grep -q 'by-year.csv: Too many open files' "$work/stderr" &&
    [ "$(state "$home")" = "$before" ] || fail "no descriptor: $status $(cat "$work/stderr")"
run 1 --out "$home/keep.csv" --by-year "$home/by-year.csv" --plot "$home/chart.svg"
check
[ "$status" = 0 ] && [ -s "$home/by-year.csv" ] && [ -s "$home/chart.svg" ] &&
    [ "$(head -c 4 "$home/keep.csv")" = "run," ] || fail "all outputs: $status $err"

# --- Undefined figures are empty cells: the sd of one game, the mean over no living game --------
# (seed 1's only game dies out in year 26; the header names columns 8, 12 and 13)
"$sim" --seed 1 --runs 1 --years 30 --media "$media" --out /dev/null --by-year "$home/one.csv" 2>/dev/null
check
cells() { awk -F, -v y="$1" '$1 == y || (y == "header" && NR == 1) { print $8 "|" $12 "|" $13 }' "$home/one.csv"; }
[ "$(cells header)" = "animals_sd|animals_mean_extant|genepool_mean" ] &&
    [ "$(cells 0)" = "|19|9" ] && [ "$(cells 30)" = "||-645" ] ||
    fail "empty cells: $(cells header) / $(cells 0) / $(cells 30)"

# --- Signals and failed workers, with two game processes --------------------------------------
# signal NAME NUMBER: the batch is stopped by the signal once both processes run; it exits
# 128 + NUMBER with no process and no temporary file left, the old files as they were.
long=(--seed 1 --runs 20000 --years 100 --jobs 2 --media "$media")
ending() {
    local name=$1 want=$2
    old "$home/keep.csv"
    local before
    before=$(state "$home")
    "$sim" "${long[@]}" --out "$home/keep.csv" --by-year "$home/by-year.csv" 2>"$work/stderr" &
    local pid=$! kids=""
    for _ in $(seq 100); do
        kids=$(awk -v p="$pid" '$4 == p { printf "%s ", $1 }' /proc/[0-9]*/stat 2>/dev/null)
        [ "$(echo $kids | wc -w)" = 2 ] && ls "$home" | grep -q tmp && break
        sleep 0.05
    done
    check
    if [ "$name" = KILL-WORKER ]; then
        kill -KILL "${kids%% *}"
    else
        kill "-$name" "$pid"
    fi
    wait "$pid"
    local status=$?
    [ "$status" = "$want" ] || fail "$name: status $status, not $want ($(cat "$work/stderr"))"
    sleep 0.2
    for kid in $kids; do
        [ -d "/proc/$kid" ] && ! grep -q zombie "/proc/$kid/status" 2>/dev/null &&
            fail "$name: game process $kid still runs"
        [ -d "/proc/$kid" ] && fail "$name: game process $kid not reaped"
    done
    [ "$(state "$home")" = "$before" ] || fail "$name: $home changed: $(ls "$home")"
}
for s in INT:2 TERM:15 HUP:1 QUIT:3 PIPE:13; do
    ending "${s%%:*}" $((128 + ${s##*:}))
done
ending KILL-WORKER 1
grep -q "a game process failed" "$work/stderr" || fail "killed worker: $(cat "$work/stderr")"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
