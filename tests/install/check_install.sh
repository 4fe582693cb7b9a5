#!/usr/bin/env bash
# An install into a fresh prefix lays out a working game folder and desktop files that the
# freedesktop validators accept.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
game=$prefix/lib/zantho-puzzle
[ -x "$game/zantho-puzzle" ] || fail "no executable in $game"
[ -x "$prefix/bin/zantho-puzzle" ] || fail "no launcher in bin/"
# The data tree is architecture-independent: it lives in share/ and the program folder links to it.
[ -L "$game/Data" ] && [ -d "$prefix/share/zantho-puzzle/Data" ] || fail "Data is not a link into share/"
[ "$(readlink -f "$game/Data")" = "$(readlink -f "$prefix/share/zantho-puzzle/Data")" ] ||
    fail "Data links to $(readlink "$game/Data")"
[ ! -e "$prefix/games" ] || fail "games/ is for the Debian package only"
[ -d "$game/Config" ] || fail "no Config folder"
[ -z "$(ls -A "$game/Config")" ] || fail "Config folder is not empty"
[ -f "$game/Data/Music/ZnGame.mus" ] || fail "no game music"
[ -f "$game/Data/html/help.html" ] || fail "no help page"
count=$(find "$game/Data/Images" -name '*.pic' | wc -l)
[ "$count" -eq 84 ] || fail "$count pictures instead of 84"
[ -f "$prefix/share/man/man6/zantho-puzzle.6.gz" ] || fail "no manual page"
for size in 64x64 128x128; do
    [ -f "$prefix/share/icons/hicolor/$size/apps/com.example.ZanthoPuzzle.png" ] || fail "no $size icon"
done
desktop-file-validate "$prefix/share/applications/com.example.ZanthoPuzzle.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/com.example.ZanthoPuzzle.metainfo.xml" >/dev/null

echo "install layout ok"
