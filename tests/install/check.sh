#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary DESTDIR and checks the layout, with
# the desktop-entry and AppStream validators where they are installed.
set -eu
BUILD=$1
BINDIR=${2:-bin} # games/ where built for Debian
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
ROOT=$(mktemp -d)
trap 'rm -rf "$ROOT"' EXIT
DESTDIR="$ROOT" cmake --install "$BUILD" --prefix /usr >/dev/null
ID=hu.morvalin.Morvalin
cd "$ROOT/usr"
expected="$BINDIR/morvalin share/morvalin/hires.txt share/morvalin/hand.cur share/applications/$ID.desktop
    share/metainfo/$ID.metainfo.xml share/icons/hicolor/scalable/apps/$ID.svg share/man/man6/morvalin.6.gz
    share/morvalin/szavak.txt share/morvalin/szavak.idx share/doc/morvalin/copyright"
for size in 48 64 128 256; do expected="$expected share/icons/hicolor/${size}x${size}/apps/$ID.png"; done
for frame in $(seq 2 21); do expected="$expected share/morvalin/splash$frame.gif"; done
status=0
for f in $expected; do
    [ -f "$f" ] || { echo "missing: $f"; status=1; }
done
# Nothing more, and never a list of the player's own.
extra=$(find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' $expected | sort))
[ -z "$extra" ] || { echo "not expected: $extra"; status=1; }
if command -v desktop-file-validate >/dev/null; then
    out=$(desktop-file-validate "share/applications/$ID.desktop" 2>&1) || status=1
    [ -z "$out" ] || { echo "desktop-file-validate: $out"; status=1; }
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "share/metainfo/$ID.metainfo.xml" || status=1
fi
# Debian's package installs its own copy of the terms: it must say the same.
cmp -s "$SOURCE/dist/copyright" "$SOURCE/debian/copyright" || { echo "debian/copyright differs from dist/copyright"; status=1; }
[ "$status" -eq 0 ] && echo "install layout: $(echo $expected | wc -w) files, validators clean"
exit $status
