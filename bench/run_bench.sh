#!/usr/bin/env bash
# Lumivex conversion benchmark.
#
#   bench/run_bench.sh [LINES] [RUNS]        (defaults: 1000000 lines, 10 runs)
#
# Builds Release into build-release/, generates LINES synthetic quote lines
# (and a wide file of the same lines with a settlement date and blanks in some
# tickers), then times lumivex-convert on six jobs against `cat` of the same
# file (the I/O floor) and against mawk, gawk and Miller doing the same job,
# when installed; the date + decimal job also from a pipe (`cat file |
# lumivex-convert ... -o - - > out`). Every peer's output is compared byte for
# byte with lumivex-convert's.
#
# Environment:
#   LUMIVEX_CONVERT  converter to time (default build-release/app/lumivex-convert)
#   QUOTEGEN         data generator    (default build-release/bench/lumivex-quotegen)
#   SEED             generator seed    (default 20240101)
# Targets whose path is given are not built; with both given, nothing is.
#
# Exit status: 0 when lumivex-convert succeeded on every job and every peer
# that ran produced identical output; 1 otherwise; 2 on usage/setup errors.
# Missing peers are reported and skipped, they do not fail the run.

# awk/Miller programs are single-quoted on purpose; run_* are called by name.
# shellcheck disable=SC2016,SC2317

set -u -o pipefail

usage() {
    sed -n '2,20s/^# \{0,1\}//p' "$0"
}

case "${1:-}" in
-h | --help) usage; exit 0 ;;
esac

LINES=${1:-1000000}
RUNS=${2:-10}
SEED=${SEED:-20240101}
if ! [[ $LINES =~ ^[1-9][0-9]*$ && $RUNS =~ ^[1-9][0-9]*$ && $SEED =~ ^[0-9]+$ ]]; then
    echo "run_bench.sh: LINES and RUNS must be positive integers, SEED an integer" >&2
    usage >&2
    exit 2
fi

# C locale: ASCII-only case mapping in the awks, "." in EPOCHREALTIME.
export LC_ALL=C

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build-release"
# shellcheck source=bench/build_release.sh
source "$ROOT/bench/build_release.sh"

# --- build -----------------------------------------------------------------

targets=()
[[ -n ${LUMIVEX_CONVERT:-} ]] || targets+=(lumivex-convert)
[[ -n ${QUOTEGEN:-} ]] || targets+=(lumivex-quotegen)
build_release run_bench.sh "${targets[@]}"
CONVERT=${LUMIVEX_CONVERT:-$BUILD/app/lumivex-convert}
QUOTEGEN=${QUOTEGEN:-$BUILD/bench/lumivex-quotegen}
for exe in "$CONVERT" "$QUOTEGEN"; do
    if [[ ! -x $exe ]]; then
        echo "run_bench.sh: not an executable: $exe" >&2
        exit 2
    fi
done

# --- work area ---------------------------------------------------------------

TMP=$(mktemp -d "${TMPDIR:-/tmp}/lumivex-bench.XXXXXX") || exit 2
trap 'rm -rf "$TMP"' EXIT
trap 'exit 130' INT TERM

DATA="$TMP/quotes.txt"
WIDE="$TMP/quotes_wide.txt"
if ! "$QUOTEGEN" "$LINES" "$SEED" >"$DATA" || ! "$QUOTEGEN" --wide "$LINES" "$SEED" >"$WIDE"; then
    echo "run_bench.sh: data generation failed" >&2
    exit 2
fi

# shellcheck source=bench/jobs.sh
source "$ROOT/bench/jobs.sh"
bench_formats >"$TMP/Lumivex.fmt"

# --- jobs --------------------------------------------------------------------

declare -A INDATA=()
for job in "${JOBS[@]}"; do
    INDATA[$job]=$DATA
    [[ $WIDEJOBS == *" $job "* ]] && INDATA[$job]=$WIDE
done
# The lines whose ticker holds the output separator are rejected: exit status 1
# for the converter and the awks (Miller has no such status).
declare -A REJECTS=([sepfield]=1)

# One awk text per job, shared by mawk and gawk. Lines without 7 fields (8 in
# the wide file) are dropped and make awk exit 1, as the converter rejects them.
AWK_HEAD='BEGIN { RS = "\r\n"; FS = ";"; OFS = "\t"; ORS = "\r\n" }
NF != 7 { bad++; next }'
AWK_HEAD8='BEGIN { RS = "\r\n"; FS = ";"; OFS = "\t"; ORS = "\r\n" }
NF != 8 { bad++; next }'
AWK_TAIL='END { if (bad) { print bad " rejected line(s)" > "/dev/stderr"; exit 1 } }'
AWK_ISO='$1 = substr($1, 7, 4) "-" substr($1, 4, 2) "-" substr($1, 1, 2)'
declare -A AWKPROG=(
    [standard]="$AWK_HEAD
{ print \$2, \$1, \$6, \$7 }
$AWK_TAIL"
    [decimal]="$AWK_HEAD
{ gsub(/,/, \".\"); \$1 = \$1; print }
$AWK_TAIL"
    [datedec]="$AWK_HEAD
{ gsub(/,/, \".\"); $AWK_ISO; print }
$AWK_TAIL"
    [global]="$AWK_HEAD
{ gsub(/,/, \".\")
  if ((\$3 \$4 \$5 \$6 \$7) ~ /[^0-9.]/) { bad++; next }
  \$2 = toupper(\"X:\" \$2); $AWK_ISO; print }
$AWK_TAIL"
    [twodates]="$AWK_HEAD8
{ gsub(/,/, \".\"); $AWK_ISO
  \$8 = substr(\$8, 9, 2) \"/\" substr(\$8, 6, 2) \"/\" substr(\$8, 1, 4); print }
$AWK_TAIL"
    [sepfield]="$AWK_HEAD8
BEGIN { OFS = \" \" }
\$2 ~ / / { bad++; next }
{ gsub(/,/, \".\"); \$1 = \$1; print }
$AWK_TAIL"
)

# Miller: plain strings (-S), CSV reader for ";" fields, NIDX writer for a
# bare tab-joined CR LF output. gssub is Miller's non-regex replace, the
# fastest way it has to swap every "," for ".". The standard job is a plain
# `cut`; the others are put expressions. A job absent from MLRJOBS is shown
# as n/a (Miller cannot express it byte-exactly).
MLR_IO=(-S --icsvlite --implicit-csv-header --headerless-csv-output --ifs ';'
    --onidx --ofs tab --ors crlf)
MLR_DEC='$1 = gssub($1, ",", "."); $2 = gssub($2, ",", "."); $3 = gssub($3, ",", ".");
$4 = gssub($4, ",", "."); $5 = gssub($5, ",", "."); $6 = gssub($6, ",", ".");
$7 = gssub($7, ",", ".");'
MLR_ISO='$1 = substr1($1, 7, 10) . "-" . substr1($1, 4, 5) . "-" . substr1($1, 1, 2);'
MLR_SETTLE='$8 = substr1($8, 9, 10) . "/" . substr1($8, 6, 7) . "/" . substr1($8, 1, 4);'
MLRJOBS=" standard decimal datedec global twodates sepfield "
declare -A MLRPUT=(
    [decimal]="$MLR_DEC"
    [datedec]="$MLR_DEC $MLR_ISO"
    [global]="$MLR_DEC $MLR_ISO"' $2 = toupper("X:" . $2);
filter !(($3 . $4 . $5 . $6 . $7) =~ "[^0-9.]")'
    [twodates]="$MLR_DEC $MLR_ISO $MLR_SETTLE"
    [sepfield]="$MLR_DEC"' filter !($2 =~ " ")'
)

# The cat "jobs" are the data files themselves.
run_cat() { cat "${INDATA[$1]:-$1}" >"$2"; }
# The floor of a result that reaches the disk whole, as the converter's does: a temporary file
# beside the result, flushed, renamed onto it, the folder flushed.
run_catsync() { cat "${INDATA[$1]:-$1}" >"$2.tmp" && sync "$2.tmp" && mv "$2.tmp" "$2" && sync "$(dirname "$2")"; }
run_lumivex() { "$CONVERT" --dir "$TMP" --in "${INFMT[$1]}" --out "${OUTFMT[$1]}" -o "$2" --force -q "${INDATA[$1]}"; }
# The same job from a pipe to standard output, as in `cat quotes.txt | lumivex-convert ... -o - - > OUT`.
run_pipe() { cat "${INDATA[$1]}" | "$CONVERT" --dir "$TMP" --in "${INFMT[$1]}" --out "${OUTFMT[$1]}" -o - -q - >"$2"; }
# Jobs also timed from a pipe.
PIPEJOBS=" datedec "
run_mawk() { mawk "${AWKPROG[$1]}" "${INDATA[$1]}" >"$2"; }
run_gawk() { gawk "${AWKPROG[$1]}" "${INDATA[$1]}" >"$2"; }
run_mlr() {
    local io=("${MLR_IO[@]}")
    [[ $1 == sepfield ]] && io+=(--ofs space)
    if [[ $1 == standard ]]; then
        mlr "${io[@]}" cut -o -f 2,1,6,7 "${INDATA[$1]}" >"$2"
    else
        mlr "${io[@]}" put "${MLRPUT[$1]}" "${INDATA[$1]}" >"$2"
    fi
}

# run TOOL JOB OUT: true when the tool ended as the job expects (0, or 1 for a
# job whose rejected lines the tool reports by its status).
run() {
    local rc=0
    "run_$1" "$2" "$3" 2>"$TMP/stderr" || rc=$?
    ((rc == 0 || (rc == 1 && ${REJECTS[$2]:-0} == 1)))
}

# measure TOOL JOB OUT: one untimed warm-up run (its exit status is checked),
# then RUNS timed runs. Sets MEDIAN (seconds). Returns non-zero on failure.
measure() {
    local tool=$1 job=$2 out=$3 i t0 t1
    run "$tool" "$job" "$out" || return 1
    : >"$TMP/times"
    for ((i = 0; i < RUNS; i++)); do
        t0=$EPOCHREALTIME
        run "$tool" "$job" "$out" || return 1
        t1=$EPOCHREALTIME
        echo "$t0 $t1" >>"$TMP/times"
    done
    MEDIAN=$(awk '{ printf "%.6f\n", $2 - $1 }' "$TMP/times" | sort -g |
        awk '{ v[NR] = $1 } END { printf "%.6f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
}

line() { printf '%-9s %-8s %10s %9s  %s\n' "$@"; }
row() { # JOB TOOL MEDIAN|- CHECK [CAT_MEDIAN]
    local ratio=- cat=${5:-$CAT_MEDIAN}
    [[ $3 != - ]] && ratio=$(awk -v m="$3" -v c="$cat" 'BEGIN { printf "%.2f", (c > 0 ? m / c : 0) }')
    local shown=-
    [[ $3 != - ]] && shown=$(awk -v m="$3" 'BEGIN { printf "%.3f", m }')
    line "$1" "$2" "$shown" "$ratio" "$4"
}

# --- run ---------------------------------------------------------------------

PEERS=()
for p in mawk gawk mlr; do
    command -v "$p" >/dev/null 2>&1 && PEERS+=("$p")
done

echo "== Lumivex benchmark: $LINES lines ($(wc -c <"$DATA") bytes), $RUNS timed runs each, seed $SEED"
echo "   converter: $CONVERT"
echo "   cpu: $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null), $(nproc 2>/dev/null || echo '?') cores"
command -v mawk >/dev/null && echo "   mawk: $(mawk -W version 2>&1 | head -n 1)"
command -v gawk >/dev/null && echo "   gawk: $(gawk --version | head -n 1)"
command -v mlr >/dev/null && echo "   mlr:  $(mlr --version)"
for p in mawk gawk mlr; do
    command -v "$p" >/dev/null 2>&1 || echo "   note: $p not installed, skipped"
done
echo

STATUS=0
line job tool 'median s' 'x cat' check
line --------- -------- ---------- --------- -----
if ! measure cat "$DATA" "$TMP/out.cat"; then
    echo "run_bench.sh: cat baseline failed" >&2
    exit 2
fi
CAT_MEDIAN=$MEDIAN
row '(all)' cat "$CAT_MEDIAN" baseline
if measure catsync "$DATA" "$TMP/out.cat"; then
    row '(all)' cat+sync "$MEDIAN" "floor of a result flushed to disk"
fi
if ! measure cat "$WIDE" "$TMP/out.cat"; then
    echo "run_bench.sh: cat baseline failed" >&2
    exit 2
fi
WIDE_MEDIAN=$MEDIAN
row '(wide)' cat "$WIDE_MEDIAN" "baseline of the last two jobs" "$WIDE_MEDIAN"
rm -f "$TMP/out.cat"

for job in "${JOBS[@]}"; do
    ref="$TMP/out.lumivex"
    base=$CAT_MEDIAN
    [[ ${INDATA[$job]} == "$WIDE" ]] && base=$WIDE_MEDIAN
    if ! measure lumivex "$job" "$ref"; then
        row "$job" lumivex - FAIL
        sed 's/^/    /' "$TMP/stderr" | head -n 5
        STATUS=1
        continue
    fi
    row "$job" lumivex "$MEDIAN" reference "$base"
    if [[ $PIPEJOBS == *" $job "* ]]; then
        out="$TMP/out.pipe"
        if ! measure pipe "$job" "$out"; then
            row "$job" pipe - FAIL
            sed 's/^/    /' "$TMP/stderr" | head -n 5
            STATUS=1
        elif cmp -s "$ref" "$out"; then
            row "$job" pipe "$MEDIAN" OK "$base"
        else
            row "$job" pipe "$MEDIAN" DIFF "$base"
            STATUS=1
        fi
        rm -f "$out"
    fi
    for peer in mawk gawk mlr; do
        if [[ " ${PEERS[*]} " != *" $peer "* ]]; then
            row "$job" "$peer" - 'not installed'
            continue
        fi
        if [[ $peer == mlr && $MLRJOBS != *" $job "* ]]; then
            row "$job" "$peer" - n/a
            continue
        fi
        out="$TMP/out.$peer"
        if ! measure "$peer" "$job" "$out"; then
            row "$job" "$peer" - 'FAIL (peer error)'
            sed 's/^/    /' "$TMP/stderr" | head -n 5
            STATUS=1
        elif cmp -s "$ref" "$out"; then
            row "$job" "$peer" "$MEDIAN" OK "$base"
        else
            row "$job" "$peer" "$MEDIAN" DIFF "$base"
            cmp "$ref" "$out" 2>&1 | sed 's/^/    /'
            STATUS=1
        fi
        rm -f "$out"
    done
    rm -f "$ref"
done

# --- memory --------------------------------------------------------------------

echo
if [[ -x /usr/bin/time ]]; then
    rss() { # DATAFILE -> peak RSS in KiB of the datedec job, or FAIL
        if /usr/bin/time -f %M -o "$TMP/rss" "$CONVERT" --dir "$TMP" --in QIN --out QISO \
            -o "$TMP/out.rss" --force -q "$1" 2>/dev/null; then
            tail -n 1 "$TMP/rss"
        else
            echo FAIL
        fi
        rm -f "$TMP/out.rss"
    }
    r1=$(rss "$DATA")
    BIG="$TMP/quotes5x.txt"
    rm -f "$DATA" "$WIDE"
    if "$QUOTEGEN" $((LINES * 5)) "$SEED" >"$BIG"; then
        r5=$(rss "$BIG")
    else
        r5='not measured (generation failed)'
    fi
    rm -f "$BIG"
    echo "Peak RSS of lumivex-convert, datedec job:"
    echo "   $LINES lines: $r1 KiB"
    echo "   $((LINES * 5)) lines: $r5 KiB"
    [[ $r1 == FAIL || $r5 == FAIL ]] && STATUS=1
else
    echo "Peak RSS not measured: /usr/bin/time missing (Debian package 'time')."
fi

echo
if ((STATUS == 0)); then
    echo "Result: all outputs identical."
else
    echo "Result: FAILED (converter error or output difference above)."
fi
exit "$STATUS"
