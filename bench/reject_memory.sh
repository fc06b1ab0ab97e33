#!/usr/bin/env bash
# Peak memory with many rejected lines.
#
#   bench/reject_memory.sh [LINES]        (default 5000000 rejected lines, about 270 MB)
#
# Builds lumivex-convert and Lumivex (Release) into build-release/, writes a
# source whose every line is rejected (no column separator), then reports the
# peak resident memory (/usr/bin/time -v) of:
#   - lumivex-convert with --rejects (every line streamed to the file),
#   - lumivex-convert without --rejects,
#   - the window converting the file named on its command line (offscreen),
#     stopped once its result is in place and its rejected-lines grid is filled.
# Goals: the converter under 64 MB, the window under 256 MB.
#
# Environment:
#   LUMIVEX_CONVERT  converter (default build-release/app/lumivex-convert)
#   LUMIVEX_WINDOW   window    (default build-release/app/Lumivex; "none" skips it)
# Targets whose path is given are not built.
#
# Exit status: 0 when every figure is under its goal; 1 otherwise; 2 on
# usage or setup errors.

set -u -o pipefail

case "${1:-}" in
-h | --help) sed -n '2,22s/^# \{0,1\}//p' "$0"; exit 0 ;;
esac
LINES=${1:-5000000}
if ! [[ $LINES =~ ^[1-9][0-9]*$ ]]; then
    echo "reject_memory.sh: LINES must be a positive integer" >&2
    exit 2
fi
if [[ ! -x /usr/bin/time ]]; then
    echo "reject_memory.sh: /usr/bin/time is needed (Debian package: time)" >&2
    exit 2
fi
export LC_ALL=C

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build-release"
# shellcheck source=bench/build_release.sh
source "$ROOT/bench/build_release.sh"
# shellcheck source=bench/jobs.sh
source "$ROOT/bench/jobs.sh"
targets=()
[[ -n ${LUMIVEX_CONVERT:-} ]] || targets+=(lumivex-convert)
[[ -n ${LUMIVEX_WINDOW:-} ]] || targets+=(Lumivex)
build_release reject_memory.sh "${targets[@]}"
CONVERT=${LUMIVEX_CONVERT:-$BUILD/app/lumivex-convert}
WINDOW=${LUMIVEX_WINDOW:-$BUILD/app/Lumivex}

TMP=$(mktemp -d "${TMPDIR:-/tmp}/lumivex-rejmem.XXXXXX") || exit 2
trap '[[ -n ${KEEP_TMP:-} ]] || rm -rf "$TMP"' EXIT
trap 'exit 130' INT TERM

# Three columns separated by ";"; no line of the source has one, so every line is rejected.
{
    format_banner
    printf 'NOM=IN\r\nCMT=in\r\nCLC=3\r\nSEP=;\r\nDEC=,\r\nIFL=0\r\n'
    printf 'COL=A|AN|0|0|0|\r\nCOL=B|AN|0|0|0|\r\nCOL=C|AN|0|0|0|\r\n'
    printf 'NOM=OUT\r\nCMT=out\r\nCLC=3\r\nSEP=,\r\nDEC=.\r\nIFL=0\r\n'
    printf 'COL=A|AN|0|0|0|\r\nCOL=B|AN|0|0|0|\r\nCOL=C|AN|0|0|0|\r\n'
} >"$TMP/Lumivex.fmt"
SRC="$TMP/rejected.txt"
awk -v n="$LINES" 'BEGIN { for (i = 1; i <= n; i++) printf "2024-01-02 ACME 101.25 102.50 99.75 %012d\r\n", i }' >"$SRC"
echo "== $LINES rejected lines, $(($(stat -c %s "$SRC") / 1000000)) MB"

status=0
peak() { # LABEL GOAL_MB TIMEFILE
    local kb
    kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$3")
    if [[ -z $kb ]]; then
        echo "$1: no figure" >&2
        status=1
        return
    fi
    local mb=$((kb / 1024)) verdict=ok
    ((mb < $2)) || { verdict="OVER"; status=1; }
    printf '%-34s %6d MB peak (goal < %d MB) %s\n' "$1" "$mb" "$2" "$verdict"
}

/usr/bin/time -v -o "$TMP/t1" "$CONVERT" --dir "$TMP" --in IN --out OUT -q -o "$TMP/r1.txt" \
    --rejects "$TMP/rejects.txt" "$SRC"
[[ $? -eq 1 ]] || { echo "converter: unexpected exit status" >&2; status=1; }
[[ $(wc -l <"$TMP/rejects.txt") -eq $LINES ]] || { echo "converter: rejects file incomplete" >&2; status=1; }
peak "lumivex-convert --rejects" 64 "$TMP/t1"
rm -f "$TMP/rejects.txt"

/usr/bin/time -v -o "$TMP/t2" "$CONVERT" --dir "$TMP" --in IN --out OUT -q -o "$TMP/r2.txt" "$SRC"
peak "lumivex-convert (no --rejects)" 64 "$TMP/t2"

if [[ $WINDOW != none ]]; then
    # The window reads its files beside itself: a copy of it in the work folder.
    cp "$WINDOW" "$TMP/Lumivex"
    printf 'MRI=IN\r\nMRO=OUT\r\nMRD=$Q\r\nLOG=0\r\n' >"$TMP/Lumivex.prm"
    QT_QPA_PLATFORM=offscreen /usr/bin/time -v -o "$TMP/t3" "$TMP/Lumivex" "$SRC" >/dev/null 2>&1 &
    pid=$!
    # The result reaches its name when the run ends; the grid is filled right after.
    for ((i = 0; i < 3000; i++)); do
        [[ -e $TMP/rejected_conv.txt ]] && break
        sleep 0.1
    done
    sleep 3
    # The window itself, started by time: its only child.
    child=$(cat "/proc/$pid/task/$pid/children" 2>/dev/null)
    [[ -n $child ]] && kill -TERM $child
    wait "$pid"
    if [[ -e $TMP/rejected_conv.txt ]]; then
        peak "Lumivex (window, offscreen)" 256 "$TMP/t3"
    else
        echo "window: the run did not end in time" >&2
        status=1
    fi
fi
exit $status
