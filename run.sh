#!/usr/bin/env bash
# Installs what is missing, builds, then runs the program: the window when there is a display,
# otherwise an example conversion with the command-line converter.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build

app=build/app
# First run: the example formats and the English texts go beside the program, as a user's own
# files would.
[ -f "$app/Lumivex.fmt" ] || cp examples/Lumivex.fmt "$app/Lumivex.fmt"
[ -f "$app/Lumivex.lng" ] || cp examples/Lumivex.lng "$app/Lumivex.lng"

if [ -x "$app/Lumivex" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$app/Lumivex" "$@"
fi
[ -x "$app/Lumivex" ] && echo "No display: converting an example with lumivex-convert instead of opening the window."

work=build/run
mkdir -p "$work"
cp examples/quotes_fr.txt "$work/quotes_fr.txt"
"$app/lumivex-convert" --dir "$app" --in FRJOUR --out ISOTAB --force -o "$work/quotes_fr_iso.txt" "$work/quotes_fr.txt"
echo
echo "Converted examples/quotes_fr.txt (format FRJOUR) to format ISOTAB: $work/quotes_fr_iso.txt"
head -n 4 "$work/quotes_fr_iso.txt"
