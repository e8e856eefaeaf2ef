#!/usr/bin/env bash
# Builds the Debian package, checks its fields and lintian's verdict, then
# unpacks it into a temporary root and starts the program from there.
set -euo pipefail
build=$1
version=$2
cpack=$3
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null
deb=$scratch/out/fondalis_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb: $(ls "$scratch/out")"

[ "$(dpkg-deb -f "$deb" Section)" = education ] || fail "section"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "maintainer"
# Computed from the linked libraries, so Qt must be among them.
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "dependencies: $(dpkg-deb -f "$deb" Depends)"

lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.txt" 2>&1 || true
cat "$scratch/lintian.txt"
if grep -q '^E:' "$scratch/lintian.txt"; then fail "lintian reports errors"; fi

dpkg-deb -x "$deb" "$scratch/root"
for file in usr/bin/fondalis-studio usr/share/applications/it.fondalis.Studio.desktop \
        usr/share/metainfo/it.fondalis.Studio.metainfo.xml usr/share/man/man1/fondalis-studio.1.gz; do
    [ -e "$scratch/root/$file" ] || fail "the package has no $file"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6printsupport6' || fail "no dependency for printing"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/shows-map.sh" "$scratch/root/usr/bin/fondalis" \
    "$scratch/root/usr/share/fondalis/base.bmp"
"$scratch/root/usr/bin/fondalis-analisi" disegno griglia 9 --seme 2 >"$scratch/nove.txt" || fail "packaged disegno"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/shows-studio.sh" "$scratch/root/usr/bin/fondalis-studio" \
    "$scratch/nove.txt"
