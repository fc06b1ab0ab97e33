#!/usr/bin/env bash
# Builds the Debian package of this build tree, checks it with the field's own tools, unpacks it
# into a temporary root and runs both programs from there with a private HOME.
# Usage: package_test.sh BUILD_DIR [CPACK]
set -euo pipefail
build=$1
cpack=${2:-cpack}
tmp=$(mktemp -d)
chmod 755 "$tmp" # the programs may run as nobody below
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail cpack; }
debs=("$tmp"/out/lumivex_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package made"

lintian --fail-on error "$deb" || fail "lintian reports an error"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the toolkit: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Recommends | grep -q 'libglib2.0-bin' || fail "gio is not recommended"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/com.corvandale.Lumivex.desktop || fail desktop-file-validate
appstreamcli validate --no-net "$root"/usr/share/metainfo/com.corvandale.Lumivex.metainfo.xml >"$tmp/as.log" ||
    { cat "$tmp/as.log"; fail "appstreamcli validate"; }
for f in usr/bin/Lumivex usr/bin/lumivex-convert usr/lib/lumivex/Lumivex.fmt usr/lib/lumivex/Lumivex.lng \
    usr/share/man/man1/Lumivex.1.gz usr/share/man/man1/lumivex-convert.1.gz \
    usr/share/icons/hicolor/{48x48,128x128,256x256}/apps/com.corvandale.Lumivex.png \
    usr/share/icons/hicolor/scalable/apps/com.corvandale.Lumivex.svg \
    usr/share/bash-completion/completions/lumivex-convert; do
    [ -e "$root/$f" ] || fail "missing /$f"
done

# The installed folder cannot be written: the programs keep the user's files in the configuration
# folder. As root, which writes anywhere, they run as nobody.
home=$tmp/home
mkdir -p "$home/run"
chmod 700 "$home/run"
printf 'Date;Valeur;Ouverture;Haut;Bas;Cloture;Volume\r\n02/12/2024;ACME;42,10;42,16;41,53;41,80;87977\r\n' >"$home/q.txt"
chmod -R a-w "$root"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() { env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/xdg" XDG_RUNTIME_DIR="$home/run" \
    QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$@"; }

run "$root/usr/bin/lumivex-convert" --version | grep -q '^lumivex-convert ' || fail "converter --version"
run "$root/usr/bin/Lumivex" --version | grep -q '^Lumivex ' || fail "window --version"
run "$root/usr/bin/lumivex-convert" --lang English --in FRJOUR --out ISOTAB -q -o "$home/r.txt" "$home/q.txt" ||
    fail "the converter does not convert"
grep -q $'^2024-12-02\tACME\t42.10' "$home/r.txt" || fail "wrong result: $(cat "$home/r.txt")"
run "$root/usr/bin/Lumivex" --screenshots "$home/shots" >"$tmp/window.log" 2>&1 || { cat "$tmp/window.log"; fail "the window"; }
[ -f "$home/xdg/Lumivex/Lumivex.prm" ] || fail "the window's first start wrote no Lumivex.prm"
echo "package ok: $(basename "$deb")"
