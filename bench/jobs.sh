# Sourced by the bench scripts (and the frozen-outputs test): the formats and the jobs of the
# benchmark, so that every script converts the same data with the same format pairs.
# shellcheck shell=bash disable=SC2034 # the variables are read by the scripts that source this file

# Format file. Columns: name|type|case|control|prefix-type|prefix-text.
# The converter matches output columns to input columns by name.
format_banner() { # the seven lines a format file starts with
    printf '%s\r\n' \
        '*********************************************************************' \
        '****   Parvolin : Fichier des formats -- Data Description file   ****' \
        '****     ---------------------------------------------------     ****' \
        '****     NE PAS EDITER !  Fichier maintenu par le programme.     ****' \
        '****       DO NOT EDIT !    File produced by the software.       ****' \
        '****                                                             ****' \
        '*********************************************************************'
}
write_block() { # NAME COMMENT SEP DEC COL...
    local name=$1 comment=$2 sep=$3 dec=$4
    shift 4
    printf 'NOM=%s\r\nCMT=%s\r\nCLC=%d\r\nSEP=%s\r\nDEC=%s\r\nIFL=0\r\n' \
        "$name" "$comment" $# "$sep" "$dec"
    printf 'COL=%s\r\n' "$@"
}
bench_formats() { # prints the Lumivex.fmt of the jobs
    local TAB=$'\t'
    format_banner
    write_block QIN 'daily quotes, French style' ';' ',' \
        'DATE|/DD/MM/YYYY|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|'
    write_block QSTD 'bench: reorder and drop, no conversion' "$TAB" ',' \
        'TICKER|AN|0|0|0|' 'DATE|/DD/MM/YYYY|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|'
    write_block QDEC 'bench: decimal comma to point' "$TAB" '.' \
        'DATE|/DD/MM/YYYY|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|'
    write_block QISO 'bench: decimal point, ISO-like dates' "$TAB" '.' \
        'DATE|-YYYY/MM/DD|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|'
    write_block QGLB 'bench: every per-field option' "$TAB" '.' \
        'DATE|-YYYY/MM/DD|0|0|0|' 'TICKER|AN|1|0|1|X:' 'OPEN|N|0|1|0|' 'HIGH|N|0|1|0|' \
        'LOW|N|0|1|0|' 'CLOSE|N|0|1|0|' 'VOLUME|N|0|1|0|'
    write_block QIN2 'daily quotes with a settlement date' ';' ',' \
        'DATE|/DD/MM/YYYY|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|' 'SETTLE|-YYYY/MM/DD|0|0|0|'
    write_block Q2DT 'bench: two dates, each to another layout' "$TAB" '.' \
        'DATE|-YYYY/MM/DD|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|' 'SETTLE|/DD/MM/YYYY|0|0|0|'
    write_block QSPC 'bench: blank-separated, tickers with a blank rejected' ' ' '.' \
        'DATE|/DD/MM/YYYY|0|0|0|' 'TICKER|AN|0|0|0|' 'OPEN|N|0|0|0|' 'HIGH|N|0|0|0|' \
        'LOW|N|0|0|0|' 'CLOSE|N|0|0|0|' 'VOLUME|N|0|0|0|' 'SETTLE|-YYYY/MM/DD|0|0|0|'
}

JOBS=(standard decimal datedec global twodates sepfield)
declare -gA OUTFMT=([standard]=QSTD [decimal]=QDEC [datedec]=QISO [global]=QGLB [twodates]=Q2DT [sepfield]=QSPC)
declare -gA INFMT=([standard]=QIN [decimal]=QIN [datedec]=QIN [global]=QIN [twodates]=QIN2 [sepfield]=QIN2)
# The jobs that convert the wide file (quotegen --wide); the others convert the plain one.
WIDEJOBS=" twodates sepfield "
