#!/usr/bin/env bash
# Records the converter's observable outputs, to show that a change of structure changed none.
#
#   tests/frozen/record.sh BUILD_DIR [MANIFEST]
#
# Runs BUILD_DIR/app/lumivex-convert on every example file with every pair of example formats,
# on a small bench file with the bench's jobs, and --check, --show, --list and the log; and the
# window, BUILD_DIR/app/Lumivex, for the log of its start-up (a build without it leaves those
# cases out of the comparison). Prints
# one line per case: its name and the sha256 of its exit status, standard output, standard
# error, result and rejects bytes, with only what varies from run to run (timings, the log's
# date and time, the temporary folder) normalised. With MANIFEST, compares with it instead,
# names the cases that changed and exits 1 when one did. With FROZEN_KEEP=DIR, the normalised
# outputs of every case are also left in DIR (diff two such folders to see what changed).
set -u -o pipefail
build=$(cd "$1" && pwd) || exit 2
manifest=${2:-}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
convert=$build/app/lumivex-convert
window=$build/app/Lumivex
quotegen=$build/bench/lumivex-quotegen
# Nothing of the caller's environment may reach the runs: locale, home, configuration.
export LC_ALL=C.UTF-8 TZ=UTC
unset LANG LANGUAGE
# In memory when possible: every run flushes its files to disk, slow on a loaded machine.
base=${TMPDIR:-/tmp}
[ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ] && base=/dev/shm
tmp=$(mktemp -d "$base/lumivex-frozen.XXXXXX") || exit 2
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config
keep=${FROZEN_KEEP:-$tmp/cases}
mkdir -p "$HOME" "$keep" "$tmp/ex" "$tmp/bench" "$tmp/w"

cp "$root"/examples/* "$tmp/ex/"
# The cases were recorded over the French sample in Windows-1252; the example itself is UTF-8.
cp "$root"/tests/frozen/quotes_fr.txt "$tmp/ex/quotes_fr.txt"
# shellcheck source=bench/jobs.sh
source "$root/bench/jobs.sh"
bench_formats >"$tmp/bench/Lumivex.fmt"
"$quotegen" 2000 20240101 >"$tmp/bench/quotes.txt" &&
    "$quotegen" --wide 2000 20240101 >"$tmp/bench/quotes_wide.txt" || exit 2

# The run's varying parts: timings, the log's start/end date and time, the work folder.
normalise() {
    sed -e "s|$tmp|TMP|g" -e 's/[0-9][0-9]* \{0,1\}ms\b/N ms/g' \
        -e 's/^\(START\|END\|STOP\)\( \+\).*[0-9][0-9]:[0-9][0-9]:[0-9][0-9].*/\1\2DATE/'
}

# run_case NAME ARG...: runs the converter in the work folder (result "out", rejects "rej" and
# log "log" there), its standard input from $stdin, and keeps its normalised outputs under NAME.
# Few processes a case: it is quick.
names=() stdin=/dev/null
run_case() {
    local name=$1 rc=0
    shift
    rm -f "$tmp"/w/*
    (cd "$tmp/w" && exec "$convert" "$@" <"$stdin" >"$tmp/stdout" 2>"$tmp/stderr") || rc=$?
    { echo "exit $rc" && tail -v -n +1 "$tmp/stdout" "$tmp/stderr" "$tmp"/w/* 2>/dev/null; } |
        normalise >"$keep/$name"
    names+=("$name")
}

# The window's start-up log, the program's files beside a copy of it (the window takes them from
# its own folder): a first start, then the output format alone chosen, then both with the extended log.
window_case() {
    local name=$1 rc=0
    (cd "$tmp/win" && QT_QPA_PLATFORM=offscreen exec ./Lumivex --startup-log >"$tmp/stdout" 2>/dev/null) || rc=$?
    { echo "exit $rc" && cat "$tmp/stdout"; } | normalise >"$keep/$name"
    names+=("$name")
}
record_window() {
    mkdir -p "$tmp/win"
    cp "$window" "$root/examples/Lumivex.fmt" "$root/examples/Lumivex.lng" "$tmp/win/"
    window_case window.first-start
    sed -i -e 's/^MRI=.*/MRI=\r/' -e 's/^MRO=.*/MRO=ISOTAB\r/' "$tmp/win/Lumivex.prm"
    window_case window.output-format-only
    sed -i -e 's/^MRI=.*/MRI=FRJOUR\r/' -e 's/^LOG=.*/LOG=1\r/' "$tmp/win/Lumivex.prm"
    window_case window.both-formats
}

record() {
    local data in out job fmts dir
    fmts=$(sed -n 's/^NOM=\([^\r]*\)\r\{0,1\}$/\1/p' "$tmp/ex/Lumivex.fmt")
    # Every pair, even those whose input format does not fit: a refusal is behaviour too.
    for data in fr court; do
        for in in $fmts; do
            for out in $fmts; do
                run_case "$data.$in.$out" --dir "$tmp/ex" --in "$in" --out "$out" -o out \
                    --rejects rej --log log --encoding windows-1252 --eol crlf "$tmp/ex/quotes_$data.txt"
            done
        done
    done
    # The texts a format adds, in the other encoding and line end, to standard output; the log
    # there; two outputs there at once (refused).
    run_case fr.utf8-lf-stdout --dir "$tmp/ex" --in FRJOUR --out FRJOUR -o - --rejects rej --log log \
        --encoding utf-8 --eol lf "$tmp/ex/quotes_fr.txt"
    run_case court.log-stdout --dir "$tmp/ex" --in FRCOURT --out FRJOUR -o out --rejects rej --log - \
        --encoding windows-1252 --eol crlf "$tmp/ex/quotes_court.txt"
    run_case fr.two-stdout --dir "$tmp/ex" --in FRJOUR --out FRJOUR -o - --rejects - \
        --encoding utf-8 --eol lf "$tmp/ex/quotes_fr.txt"
    run_case fr+court.stop-on-error --dir "$tmp/ex" --in FRJOUR --out ISOTAB -o out --stop-on-error \
        --log log --encoding windows-1252 --eol crlf "$tmp/ex/quotes_fr.txt" "$tmp/ex/quotes_court.txt"
    for job in "${JOBS[@]}"; do
        data=quotes.txt
        [[ $WIDEJOBS == *" $job "* ]] && data=quotes_wide.txt
        run_case "bench.$job" --dir "$tmp/bench" --in "${INFMT[$job]}" --out "${OUTFMT[$job]}" -o out \
            --rejects rej --log log --encoding windows-1252 --eol crlf "$tmp/bench/$data"
    done
    # The pipe of the bench, and a source that does not exist.
    stdin=$tmp/bench/quotes.txt run_case bench.datedec-pipe --dir "$tmp/bench" --in QIN --out QISO -o - \
        --encoding windows-1252 --eol crlf -
    run_case fr.missing-source --dir "$tmp/ex" --in FRJOUR --out ISOTAB -o out --encoding windows-1252 \
        --eol crlf "$tmp/ex/quotes_fr.txt" "$tmp/ex/none.txt"
    for dir in ex bench; do
        run_case "check.$dir" --dir "$tmp/$dir" --check
        run_case "list.$dir" --dir "$tmp/$dir" --list
        for in in $(sed -n 's/^NOM=\([^\r]*\)\r\{0,1\}$/\1/p' "$tmp/$dir/Lumivex.fmt") NOSUCH; do
            run_case "show.$dir.$in" --dir "$tmp/$dir" --show "$in"
        done
    done
    run_case usage --dir "$tmp/ex" --no-such-option
    [ -x "$window" ] && record_window
    (cd "$keep" && sha256sum -- "${names[@]}") | awk '{ print $2, $1 }'
}

if [ -z "$manifest" ]; then
    record
    exit
fi
record >"$tmp/now" || exit 2
if [ ! -x "$window" ]; then
    grep -v '^window\.' "$manifest" >"$tmp/manifest"
    manifest=$tmp/manifest
fi
if diff "$manifest" "$tmp/now" >"$tmp/diff"; then
    echo "frozen outputs: $(wc -l <"$tmp/now") cases unchanged"
    exit 0
fi
echo "frozen outputs changed (cases with '<' as recorded, '>' as now):"
grep '^[<>]' "$tmp/diff"
echo "If the change is intended: tests/frozen/record.sh BUILD_DIR >tests/frozen/outputs.sha256"
exit 1
