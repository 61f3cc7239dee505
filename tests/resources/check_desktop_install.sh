#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a Linux desktop needs to list and
# show the program: the files in their places, a valid desktop file and metainfo, and the
# program and the icon that the desktop file names found where it looks for them.
set -euo pipefail
build="$1"
id="$2"

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$desktop" ] || fail "no desktop file at $desktop"
[ -f "$metainfo" ] || fail "no metainfo at $metainfo"
desktop-file-validate "$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli refuses $metainfo"

grep -qx "  <id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"

# A menu lists the entry only when its TryExec program is found on the PATH.
program="$(sed -n 's/^TryExec=//p' "$desktop")"
[ -x "$prefix/bin/$program" ] || fail "TryExec=$program is not installed in bin"
[ "$(sed -n 's/^Exec=//p' "$desktop")" = "$program" ] || fail "Exec and TryExec differ"

# The icon in every hicolor size, each PNG of the size its folder says.
icon="$(sed -n 's/^Icon=//p' "$desktop")"
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    # Width and height are the big-endian words at bytes 16 and 20 of a PNG file.
    read -r w0 w1 w2 w3 h0 h1 h2 h3 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w0 << 24) | (w1 << 16) | (w2 << 8) | w3))
    height=$(((h0 << 24) | (h1 << 16) | (h2 << 8) | h3))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "the ${size}x${size} icon is ${width}x${height}"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"
echo "installed and valid: $id"
