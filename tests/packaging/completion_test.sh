#!/usr/bin/env bash
# Drives the converter's bash completion through bash's own machinery, as a TAB would.
# Usage: completion_test.sh CONVERTER COMPLETION_SCRIPT
set -uo pipefail
convert=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
[ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion is not installed"; exit 77; }
mkdir -p "$tmp/dir" "$tmp/sub"
cp "$(dirname "$0")/../../examples/Lumivex.fmt" "$tmp/dir/"
touch "$tmp/sub/quotes.txt"
failures=0

# The candidates for the line $1 (the cursor at its end), one a line, sorted.
complete_line() {
    HOME="$tmp" XDG_CONFIG_HOME="$tmp/xdg" bash --norc --noprofile -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        COMP_LINE=$2 COMP_POINT=${#2}
        read -ra COMP_WORDS <<<"${2//=/ = }" # bash cuts words at "=" too
        [[ $2 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        spec=$(complete -p lumivex-convert) && spec=${spec#*-F } && "${spec%% *}" lumivex-convert "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s\n" "${COMPREPLY[@]}" | sort' _ "$2" "$1"
}
expect() {
    local got
    got=$(cd "$tmp" && complete_line "$1" "$completion" | tr '\n' ' ')
    [ "$got" = "$2" ] || { echo "FAIL: '$1' gives '$got', expected '$2'"; failures=$((failures + 1)); }
}
completion=$2
# The converter named by its full path, as the shell sees it on a line.
c=$convert
expect "$c --st" "--stop-on-error "
expect "$c --ch" "--check "
expect "$c --dir dir --in " "ADJCLOSE COMPACT FRCOURT FRJOUR INTRADAY ISOTAB QUOTED_EN QUOTED_FR TICKER10 "
expect "$c --dir=dir --out FR" "FRCOURT FRJOUR "
expect "$c --dir dir sub/q" "sub/quotes.txt "
expect "$c --dir s" "sub "
expect "$c --eol " "crlf lf "
exit $((failures > 0))
