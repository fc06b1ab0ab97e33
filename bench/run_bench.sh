#!/usr/bin/env bash
# Lumivex conversion benchmark.
#
#   bench/run_bench.sh [LINES] [RUNS]        (defaults: 1000000 lines, 5 runs)
#
# Builds Release into build-release/, generates LINES synthetic quote lines
# (and a wide file of the same lines with a settlement date and blanks in some
# tickers), then times side by side, runs interleaved, lumivex-convert on six
# jobs, `cat` of the same file, cat+flush (the same durable result as the
# converter's) and mawk doing the same job; the date + decimal job also from a
# pipe. Wall and CPU seconds (medians), peak memory, and the ratios to
# cat+flush and to mawk's CPU. Then many small files into one result, each
# source renamed after, against cat with the same flushes. Every peer's output
# is compared byte for byte with lumivex-convert's.
#
# Environment:
#   LUMIVEX_CONVERT  converter to time (default build-release/app/lumivex-convert)
#   QUOTEGEN         data generator    (default build-release/bench/lumivex-quotegen)
#   SEED             generator seed    (default 20240101)
#   PEERS            peers timed beside mawk: "gawk mlr" (default none)
#   SMALL            many small files: FILESxLINES (default 20000x50), 0 to skip
# Targets whose path is given are not built; with both given, nothing is.
#
# Exit status: 0 when lumivex-convert succeeded on every job and every peer
# that ran produced identical output; 1 otherwise; 2 on usage/setup errors.
# Missing peers are reported and skipped, they do not fail the run.

# awk/Miller programs are single-quoted on purpose; run_* are called by name.
# shellcheck disable=SC2016,SC2317

set -u -o pipefail

usage() {
    sed -n '2,23s/^# \{0,1\}//p' "$0"
}

case "${1:-}" in
-h | --help) usage; exit 0 ;;
esac

LINES=${1:-1000000}
RUNS=${2:-5}
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
run_cat() { $TIMED cat "${INDATA[$1]}" >"$2"; }
# The floor of a result that reaches the disk whole, as the converter's does: a temporary file
# beside the result, flushed, renamed onto it, the folder flushed.
run_catflush() { cat "${INDATA[$1]}" >"$2.tmp" && sync "$2.tmp" && mv "$2.tmp" "$2" && sync "$(dirname "$2")"; }
run_lumivex() { $TIMED "$CONVERT" --dir "$TMP" --in "${INFMT[$1]}" --out "${OUTFMT[$1]}" -o "$2" --force -q "${INDATA[$1]}"; }
# The same job from a pipe to standard output, as in `cat quotes.txt | lumivex-convert ... -o - - > OUT`.
run_pipe() { cat "${INDATA[$1]}" | $TIMED "$CONVERT" --dir "$TMP" --in "${INFMT[$1]}" --out "${OUTFMT[$1]}" -o - -q - >"$2"; }
# Jobs also timed from a pipe.
PIPEJOBS=" datedec "
run_mawk() { $TIMED mawk "${AWKPROG[$1]}" "${INDATA[$1]}" >"$2"; }
run_gawk() { $TIMED gawk "${AWKPROG[$1]}" "${INDATA[$1]}" >"$2"; }
run_mlr() {
    local io=("${MLR_IO[@]}")
    [[ $1 == sepfield ]] && io+=(--ofs space)
    if [[ $1 == standard ]]; then
        $TIMED mlr "${io[@]}" cut -o -f 2,1,6,7 "${INDATA[$1]}" >"$2"
    else
        $TIMED mlr "${io[@]}" put "${MLRPUT[$1]}" "${INDATA[$1]}" >"$2"
    fi
}

# Peak memory of the single program a tool runs, where /usr/bin/time is there.
TIMED=
[[ -x /usr/bin/time ]] && TIMED="/usr/bin/time -f %M -o $TMP/rss"

# sample TOOL JOB OUT: runs once and appends "JOB TOOL WALL CPU RSS" to the samples (CPU: user +
# system seconds of everything the tool started). True when the tool ended as the job expects
# (0, or 1 for a job whose rejected lines the tool reports by its status).
sample() {
    local rc=0 t0 t1 cpu rss=-
    rm -f "$TMP/rss"
    t0=$EPOCHREALTIME
    (
        rc=0
        "run_$1" "$2" "$3" 2>"$TMP/stderr" || rc=$?
        times >"$TMP/times"
        exit "$rc"
    ) || rc=$?
    t1=$EPOCHREALTIME
    # The second line of `times`: the children's user and system time, as 0m1.234s 0m0.056s.
    cpu=$(awk 'NR == 2 { n = split($0, f, /[ms ]+/); print f[1] * 60 + f[2] + f[3] * 60 + f[4] }' "$TMP/times")
    [[ -s $TMP/rss ]] && rss=$(tail -n 1 "$TMP/rss")
    echo "$2 $1 $(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", b - a }') $cpu $rss" >>"$TMP/samples"
    ((rc == 0 || (rc == 1 && ${REJECTS[$2]:-0} == 1)))
}

# median JOB TOOL COLUMN (3 wall, 4 cpu, 5 rss) of the timed samples; - when there is none.
median() {
    awk -v j="$1" -v t="$2" -v c="$3" '$1 == j && $2 == t && $c != "-" { print $c }' "$TMP/samples" | sort -g |
        awk '{ v[NR] = $1 } END { if (!NR) print "-"; else printf "%.6f\n", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b <= 0) print "-"; else printf "%.2f", a / b }'; }
fixed() { awk -v a="$1" -v d="$2" 'BEGIN { if (a == "-") print "-"; else printf "%." d "f", a }'; }

# --- run ---------------------------------------------------------------------

TOOLS=(mawk)
for p in ${PEERS:-}; do
    [[ $p == gawk || $p == mlr ]] && TOOLS+=("$p")
done
missing=()
for p in "${TOOLS[@]}"; do
    command -v "$p" >/dev/null 2>&1 || missing+=("$p")
done

echo "== Lumivex benchmark: $LINES lines ($(wc -c <"$DATA") bytes), median of $RUNS interleaved runs, seed $SEED"
echo "   converter: $CONVERT"
echo "   machine: $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null), $(nproc 2>/dev/null || echo '?') cores," \
    "$(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo 2>/dev/null)," \
    "$(df -T "$TMP" 2>/dev/null | awk 'NR == 2 { print $2 }') at $TMP"
command -v mawk >/dev/null && echo "   mawk: $(mawk -W version 2>&1 | head -n 1)"
for p in "${missing[@]}"; do echo "   note: $p not installed, skipped"; done
[[ -n $TIMED ]] || echo "   note: /usr/bin/time missing (Debian package 'time'): no peak memory"
echo

# What runs for each job, in this order in every round: the converter first (its output is the
# reference), then the floors, then the peers.
declare -A ROWS=()
for job in "${JOBS[@]}"; do
    ROWS[$job]="lumivex"
    [[ $PIPEJOBS == *" $job "* ]] && ROWS[$job]+=" pipe"
    ROWS[$job]+=" cat catflush"
    for p in "${TOOLS[@]}"; do
        [[ " ${missing[*]} " == *" $p "* ]] && continue
        [[ $p == mlr && $MLRJOBS != *" $job "* ]] && continue
        ROWS[$job]+=" $p"
    done
done

# Round 0 is the warm-up (every file in the page cache) and the check of every output; then RUNS
# timed rounds, each tool in turn, so that a load on the machine weighs on all alike.
STATUS=0
declare -A CHECK=()
: >"$TMP/samples"
for ((round = 0; round <= RUNS; round++)); do
    for job in "${JOBS[@]}"; do
        for tool in ${ROWS[$job]}; do
            [[ ${CHECK[$job.$tool]:-} == FAIL* ]] && continue
            out="$TMP/out.$tool"
            [[ $tool == lumivex ]] && out="$TMP/out.$job"
            if ! sample "$tool" "$job" "$out"; then
                CHECK[$job.$tool]='FAIL'
                [[ $tool == lumivex || $tool == pipe ]] || CHECK[$job.$tool]='FAIL (peer error)'
                sed 's/^/    /' "$TMP/stderr" | head -n 5 >&2
                STATUS=1
            elif ((round == 0)); then
                case $tool in
                lumivex) CHECK[$job.$tool]=reference ;;
                cat | catflush) CHECK[$job.$tool]=- ;;
                *)
                    if cmp -s "$TMP/out.$job" "$out"; then
                        CHECK[$job.$tool]=OK
                    else
                        CHECK[$job.$tool]=DIFF
                        cmp "$TMP/out.$job" "$out" 2>&1 | sed 's/^/    /' >&2
                        STATUS=1
                    fi
                    ;;
                esac
            fi
            [[ $tool == lumivex ]] || rm -f "$out" "$out.tmp"
        done
        ((round == RUNS)) && rm -f "$TMP/out.$job"
    done
    ((round == 0)) && : >"$TMP/samples"
done

line() { printf '%-9s %-9s %8s %7s %7s %8s %8s %8s  %s\n' "$@"; }
line job tool 'wall s' 'x cat' 'x flush' 'cpu s' 'mawk/cpu' 'rss KiB' check
line --------- --------- -------- ------- ------- -------- -------- -------- -----
for job in "${JOBS[@]}"; do
    cat=$(median "$job" cat 3)
    flush=$(median "$job" catflush 3)
    mawk=$(median "$job" mawk 4)
    for tool in ${ROWS[$job]}; do
        wall=$(median "$job" "$tool" 3)
        cpu=$(median "$job" "$tool" 4)
        name=$tool
        [[ $tool == catflush ]] && name='cat+flush'
        line "$job" "$name" "$(fixed "$wall" 3)" "$(ratio "$wall" "$cat")" "$(ratio "$wall" "$flush")" \
            "$(fixed "$cpu" 3)" "$(ratio "$mawk" "$cpu")" "$(fixed "$(median "$job" "$tool" 5)" 0)" "${CHECK[$job.$tool]}"
    done
done
echo
echo "   x cat, x flush: wall time over cat's, over cat+flush's (cat into a temporary file, fsync,"
echo "   rename, folder flushed: what the converter does with its result); mawk/cpu: mawk's CPU"
echo "   time over the tool's (how many times less CPU it takes)."
goal=datedec
w=$(median $goal lumivex 3) f=$(median $goal catflush 3) c=$(median $goal lumivex 4) m=$(median $goal mawk 4) r=$(median $goal lumivex 5)
echo "   $goal: wall $(ratio "$w" "$f")x cat+flush (goal <= 1.00), CPU $(ratio "$m" "$c")x less than mawk" \
    "(goal >= 8), peak RSS $(fixed "$r" 0) KiB (goal < 16384)"

# --- many small files ------------------------------------------------------------

SMALL=${SMALL:-20000x50}
if [[ $SMALL =~ ^([1-9][0-9]*)x([1-9][0-9]*)$ ]]; then
    NFILES=${BASH_REMATCH[1]} NLINES=${BASH_REMATCH[2]}
    SRC="$TMP/small"
    mkdir -p "$SRC" "$TMP/smallout"
    # The files cut from the data file, renamed back after each run.
    head -n $((NFILES * NLINES)) "$DATA" | (cd "$SRC" && split -a 6 -d -l "$NLINES" --additional-suffix=.txt - q)
    restore() { perl -e 'for (glob("$ARGV[0]/*_done.txt")) { (my $n = $_) =~ s/_done\.txt$/.txt/; rename($_, $n) or die "$_: $!\n" }' "$SRC"; }
    # Both write one durable result, then rename every source (the converter's --rename) and flush
    # the sources' folder once.
    run_smallcat() {
        cat "$SRC"/*.txt >"$2.tmp" && sync "$2.tmp" && mv "$2.tmp" "$2" && sync "$(dirname "$2")" &&
            perl -e 'for (glob("$ARGV[0]/*.txt")) { (my $n = $_) =~ s/\.txt$/_done.txt/; rename($_, $n) or die "$_: $!\n" }' "$SRC" &&
            sync "$SRC"
    }
    run_small() { "$CONVERT" --dir "$TMP" --in QIN --out QISO -o "$2" --force -q --rename _done "$SRC"/*.txt; }
    : >"$TMP/samples"
    for ((round = 0; round <= RUNS; round++)); do
        for tool in small smallcat; do
            if ! sample "$tool" small "$TMP/smallout/out.txt"; then
                echo "   $tool failed on the small files" >&2
                sed 's/^/    /' "$TMP/stderr" | head -n 5 >&2
                STATUS=1
            fi
            restore
        done
        ((round == 0)) && : >"$TMP/samples"
    done
    echo
    echo "Many small files: $NFILES files of $NLINES lines into one result, each source renamed after:"
    sw=$(median small small 3) cw=$(median small smallcat 3)
    echo "   lumivex-convert --rename $(fixed "$sw" 3) s, cat with the same flushes $(fixed "$cw" 3) s:" \
        "$(ratio "$sw" "$cw")x"
    rm -rf "$SRC" "$TMP/smallout"
fi

# --- memory --------------------------------------------------------------------

echo
if [[ -n $TIMED ]]; then
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
fi

echo
if ((STATUS == 0)); then
    echo "Result: all outputs identical."
else
    echo "Result: FAILED (converter error or output difference above)."
fi
exit "$STATUS"
