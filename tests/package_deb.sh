#!/bin/bash
# The Debian package of the built game: its control data and layout, and the game unpacked from it into a
# folder of its own, started from elsewhere, reaching the desk.
# Run from the (optimised) build folder: package_deb.sh CPACK
set -u
cpack=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cpack" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || fail "cpack: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/out/brimvale_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package made: $(tail -5 "$work/cpack.log")"

info=$(dpkg-deb --info "$deb") || fail "dpkg-deb --info failed"
for field in "Package: brimvale" "Section: games" "Depends: .*libsdl2-2.0-0" "Depends: .*libopenal1" \
             "Depends: .*libepoxy0"; do
    grep -q -- "$field" <<<"$info" || fail "the control data has no \"$field\": $info"
done
contents=$(dpkg-deb --contents "$deb") || fail "dpkg-deb --contents failed"
for path in ./usr/bin/brimvale ./usr/bin/brimvale-sim ./usr/share/applications/brimvale.desktop \
            ./usr/share/brimvale/Brimvale-Manual.pdf ./usr/share/brimvale/Brimvale-Manual-Letter.pdf \
            ./usr/share/brimvale/Assets/Pages/00_Cover.png ./usr/share/brimvale/Assets/Shaders/; do
    grep -qF " $path" <<<"$contents" || fail "the package lacks $path"
done
for icon in Assets/Icons/brimvale-*.png; do
    [ -e "$icon" ] || continue
    size=${icon##*-}
    size=${size%.png}
    grep -q " ./usr/share/icons/hicolor/${size}x${size}/apps/brimvale.png$" <<<"$contents" ||
        fail "the package lacks the ${size} pixel icon"
done

root=$work/root
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/brimvale.desktop" || fail "the desktop entry is not valid"
else
    fail "desktop-file-validate (desktop-file-utils) is not installed"
fi

# From a folder without Assets, as the desktop menu starts it: past the logo, "Start Game", the desk.
mkdir -p "$work/elsewhere" "$work/home"
printf '300 mouse 330 63\n301 press left\n302 release left\n' >"$work/elsewhere/clicks.txt"
(cd "$work/elsewhere" && HOME=$work/home XDG_CONFIG_HOME=$work/home/.config \
    "$root/usr/bin/brimvale-sim" --frames 420 --input clicks.txt >"$work/run.out" 2>"$work/run.err") ||
    fail "the unpacked simulator failed: $(cat "$work/run.err")"
grep -q "Broadcast: gamescene_init" "$work/run.out" || fail "the unpacked game never reached the desk: $(cat "$work/run.err")"
grep -q "Broadcast: calendar_date" "$work/run.out" || fail "the unpacked desk has no date"
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, $(wc -l <<<"$contents") entries; the unpacked game reached the desk"
