#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it as a user's
# machine would see it, without installing anything system-wide: lintian,
# the desktop entry and AppStream validators, then the unpacked programs run
# a whole job and find their help page.
# Usage: scripts/check_package.sh [BUILD-FOLDER]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
id=org.example.Orvane

fail() { echo "check_package: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "cpack -G DEB in $build"
rm -f "$build"/orvane_*.deb
(cd "$build" && cpack -G DEB >"$build/cpack.log" 2>&1) || { cat "$build/cpack.log" >&2; fail "cpack failed"; }
debs=("$build"/orvane_*_amd64.deb)
[[ -f ${debs[0]} ]] || fail "no orvane_VERSION_amd64.deb made"
deb=${debs[0]}
echo "$(basename "$deb"): $(dpkg-deb -f "$deb" Section) / $(dpkg-deb -f "$deb" Depends)"
[[ $(dpkg-deb -f "$deb" Section) == sound ]] || fail "section is not sound"

step "lintian"
lintian --fail-on error,warning "$deb" 2> >(grep -v 'root privileges' >&2)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
root=$tmp/root
dpkg -x "$deb" "$root"
share=$root/usr/share

step "desktop entry and AppStream metadata"
desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
for size in 16 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
        fail "$png: $(file -b "$png")"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"
for page in orvane orvane-cli; do
    [[ -s $share/man/man1/$page.1.gz ]] || fail "no manual page for $page"
done
bash -n "$share/bash-completion/completions/orvane-cli"

step "the unpacked orvane-cli: --version and a whole job"
cli=$root/usr/bin/orvane-cli
"$cli" --version | grep -q '^Orvane Version ' || fail "orvane-cli --version"
work=$tmp/work
mkdir -p "$work"
convert -size 288x192 gradient:navy-gold -colors 16 -type Palette "BMP3:$work/cover.bmp"
sox -n -r 44100 -b 16 -c 2 "$work/song.wav" synth 21 sine 440
"$cli" --quiet "$work/cover.bmp" "$work/song.wav" "$work/disc.cdg" </dev/null ||
    fail "orvane-cli create failed with status $?"
size=$(stat -c %s "$work/disc.cdg")
((size == 21 * 75 * 2448)) || fail "the image has $size bytes, not $((21 * 75 * 2448))"
# ffmpeg draws the image's subcode; the picture must be on its screen.
perl -e 'binmode STDIN; binmode STDOUT;
         while (read(STDIN, $s, 2448) == 2448) { print substr($s, 2352, 96) }' \
    <"$work/disc.cdg" >"$work/subcode.cdg"
ffmpeg -v error -f cdg -i "$work/subcode.cdg" -fps_mode passthrough -pix_fmt rgb24 \
    -update 1 -y "$work/final.png"
convert "$work/final.png" -crop 288x192+6+12 +repage -depth 8 "rgb:$work/shown.rgb"
convert "$work/cover.bmp" -depth 8 "rgb:$work/wanted.rgb"
# A player shows each colour component's high four bits, times 17.
perl -e 'local $/; open A, "<", $ARGV[0]; open B, "<", $ARGV[1]; binmode A; binmode B;
         my @a = unpack "C*", <A>; my @b = unpack "C*", <B>;
         exit 1 unless @a == 288 * 192 * 3 && @a == @b;
         for (0 .. $#a) { exit 1 if $a[$_] != ($b[$_] >> 4) * 17 }' \
    "$work/shown.rgb" "$work/wanted.rgb" || fail "ffmpeg does not show the picture from the image"

# Orvane's own player, where this build has it, says the same.
if "$cli" --help | grep -q '^  check '; then
    "$cli" check "$work/disc.cdg" "$work/cover.bmp" || fail "orvane-cli check finds differences"
fi

step "the unpacked orvane: F1 finds the installed help page"
mkdir -p "$tmp/elsewhere"
page=$(cd "$tmp/elsewhere" && "$root/usr/bin/orvane" --help-page)
[[ $page == "$share/doc/orvane/orvane.htm" ]] || fail "F1 would open '$page'"

echo "package checked: $(basename "$deb")"
