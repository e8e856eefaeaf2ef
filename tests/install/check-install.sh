#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the tree elsewhere and
# checks what a desktop sees: menu entry, metadata, manual pages, and the
# program and a folder made for a class each showing their own area.
set -euo pipefail
build=$1
cmake=$2
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cmake" --install "$build" --prefix "$scratch/first" >/dev/null
while read -r path; do
    case $path in "$scratch/first/"*) ;; *) fail "installed outside the prefix: $path" ;; esac
done <"$build/install_manifest.txt"
absolute=$(find "$scratch/first" -type l -lname '/*')
[ -z "$absolute" ] || fail "absolute links: $absolute"
# Relocatable: nothing may point back to where it was installed.
mv "$scratch/first" "$scratch/tree"
tree=$scratch/tree
if grep -rl --binary-files=text "$scratch/first" "$tree"; then fail "the tree names its install prefix"; fi

id=it.fondalis.Fondalis
studio=it.fondalis.Studio
for program in fondalis fondalis-analisi fondalis-studio; do
    [ "$(readlink "$tree/bin/$program")" = "../lib/fondalis/$program" ] || fail "bin/$program is not the relative link"
done
for name in base.bmp bati.bmp s1.bmp s12.bmp fauna.dib sand.jpg blu.jpg; do
    [ "$(readlink "$tree/lib/fondalis/$name")" = "../../share/fondalis/$name" ] || fail "lib/fondalis/$name"
    [ -f "$tree/share/fondalis/$name" ] || fail "share/fondalis/$name missing"
done
for app in $id $studio; do
    for size in 16 32 48 64 128 256; do
        png=$tree/share/icons/hicolor/${size}x${size}/apps/$app.png
        [ "$(identify -format %wx%h "$png")" = "${size}x${size}" ] || fail "icon $png"
    done
    [ -f "$tree/share/icons/hicolor/scalable/apps/$app.svg" ] || fail "scalable icon of $app missing"
    desktop-file-validate "$tree/share/applications/$app.desktop"
    appstreamcli validate --no-net "$tree/share/metainfo/$app.metainfo.xml" >"$scratch/appstream.txt" ||
        fail "appstream: $(cat "$scratch/appstream.txt")"
    if grep -E '^(E|W):' "$scratch/appstream.txt"; then fail "appstream warnings for $app"; fi
done
# The two icons are not the same picture.
if cmp -s "$tree/share/icons/hicolor/48x48/apps/$id.png" "$tree/share/icons/hicolor/48x48/apps/$studio.png"; then
    fail "the studio has the program's icon"
fi
grep -qx 'Exec=fondalis' "$tree/share/applications/$id.desktop" || fail "Exec"
grep -qx 'Exec=fondalis-studio %F' "$tree/share/applications/$studio.desktop" || fail "the studio's Exec"
for page in fondalis fondalis-gen fondalis-analisi fondalis-studio; do
    MANWIDTH=80 man --warnings -l "$tree/share/man/man1/$page.1.gz" 2>"$scratch/man.err" >/dev/null
    [ ! -s "$scratch/man.err" ] || fail "$page.1: $(cat "$scratch/man.err")"
done

xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/shows-map.sh" "$tree/bin/fondalis" "$tree/share/fondalis/base.bmp"
"$tree/bin/fondalis-studio" --version | grep -qx 'fondalis-studio (Fondalis) [0-9.]*' || fail "the studio's --version"
"$tree/bin/fondalis-analisi" disegno casuale 10 --seme 5 >"$scratch/dieci.txt" || fail "installed disegno"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/shows-studio.sh" "$tree/bin/fondalis-studio" "$scratch/dieci.txt"

# A class's folder runs on its own area, not on the installed one.
"$tree/bin/fondalis-gen" --seed 42 --con-programma "$scratch/golfo42"
[ -x "$scratch/golfo42/fondalis" ] && [ ! -L "$scratch/golfo42/fondalis" ] || fail "no program in the class folder"
if cmp -s "$scratch/golfo42/base.bmp" "$tree/share/fondalis/base.bmp"; then fail "seed 42 gave the installed area"; fi
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/shows-map.sh" "$scratch/golfo42/fondalis" "$scratch/golfo42/base.bmp"

# The analyses find the installed area through their link, and take a
# class's area when told.
"$tree/bin/fondalis-analisi" disegno casuale 12 --seme 3 >"$scratch/rilievo.txt" || fail "installed disegno"
"$tree/bin/fondalis-analisi" verita "$scratch/rilievo.txt" >"$scratch/verita.txt" || fail "installed verita"
grep -q "$tree/lib/fondalis" "$scratch/verita.txt" || fail "verita did not read the installed area"
"$tree/bin/fondalis-analisi" disegno griglia 9 --seme 3 --area "$scratch/golfo42" >"$scratch/golfo.txt" || fail "disegno on a class area"
if cmp -s "$scratch/golfo.txt" "$scratch/rilievo.txt"; then fail "the class area gave the installed survey"; fi
