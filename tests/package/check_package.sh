#!/usr/bin/env bash
# The Debian package holds a whole game in Debian's places, asks for everything the game loads
# at run time, and passes lintian without an error or a warning.
#   check_package.sh <folder with the .deb> <project version>
set -euo pipefail
deb_dir=${1:?folder with the .deb}
version=${2:?version}

for tool in dpkg-deb dpkg-parsechangelog lintian file desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

arch=$(dpkg --print-architecture)
deb=$deb_dir/zantho-puzzle_${version}_${arch}.deb
errors=0
fail() { echo "FAIL: $*" >&2; errors=$((errors + 1)); }
[ -f "$deb" ] || { echo "FAIL: no $deb (found: $(ls "$deb_dir"))" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
root=$work/root

# ---- the file list: "path|kind" per row; kind f = file, x = executable, l = link
while IFS='|' read -r path kind; do
    case $kind in
    f) [ -f "$root$path" ] && [ ! -L "$root$path" ] || fail "no file $path" ;;
    x) [ -f "$root$path" ] && [ -x "$root$path" ] || fail "no executable $path" ;;
    l) [ -L "$root$path" ] || fail "no link $path" ;;
    esac
done <<'EOF'
/usr/lib/zantho-puzzle/zantho-puzzle|x
/usr/bin/zantho-puzzle|x
/usr/games/zantho-puzzle|l
/usr/lib/zantho-puzzle/Data|l
/usr/share/zantho-puzzle/Data/Music/ZnIntro.mus|f
/usr/share/zantho-puzzle/Data/Music/ZnGame.mus|f
/usr/share/zantho-puzzle/Data/html/help.html|f
/usr/share/applications/com.example.ZanthoPuzzle.desktop|f
/usr/share/icons/hicolor/64x64/apps/com.example.ZanthoPuzzle.png|f
/usr/share/icons/hicolor/128x128/apps/com.example.ZanthoPuzzle.png|f
/usr/share/metainfo/com.example.ZanthoPuzzle.metainfo.xml|f
/usr/share/doc/zantho-puzzle/copyright|f
/usr/share/doc/zantho-puzzle/changelog.gz|f
/usr/share/man/man6/zantho-puzzle.6.gz|f
EOF

pictures=$(find "$root/usr/share/zantho-puzzle/Data/Images" -name '*.pic' -type f | wc -l)
[ "$pictures" -eq 84 ] || fail "$pictures pictures instead of 84"
# The game looks for its data tree beside the executable; both links must land in the package.
[ "$(readlink -f "$root/usr/lib/zantho-puzzle/Data")" = "$root/usr/share/zantho-puzzle/Data" ] ||
    fail "the program folder's Data link points to $(readlink "$root/usr/lib/zantho-puzzle/Data")"
[ "$(readlink -f "$root/usr/games/zantho-puzzle")" = "$root/usr/bin/zantho-puzzle" ] ||
    fail "/usr/games/zantho-puzzle points to $(readlink "$root/usr/games/zantho-puzzle")"
[ ! -e "$root/usr/lib/zantho-puzzle/Config" ] || fail "the package ships a Config folder under /usr"
file -b "$root/usr/lib/zantho-puzzle/zantho-puzzle" | grep -q 'ELF.*, stripped' ||
    fail "the executable is not a stripped ELF file: $(file -b "$root/usr/lib/zantho-puzzle/zantho-puzzle")"
owners=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')
[ -z "$owners" ] || fail "files not owned by root: $owners"
# Only Debian's top-level folders: a file outside /usr would be a staging path leaking in.
outside=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v -e '^\./$' -e '^\./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# ---- control fields
field() { dpkg-deb -f "$deb" "$1"; }
while IFS='|' read -r name expected; do
    [ "$(field "$name")" = "$expected" ] || fail "$name is \"$(field "$name")\", expected \"$expected\""
done <<EOF
Package|zantho-puzzle
Version|$version
Architecture|$arch
Section|games
EOF
# Each relation, as one entry of Depends (alternatives kept together, versions ignored): the
# ones the game loads at run time and two that only shlibdeps can have found.
depends=$(field Depends | tr ',' '\n' | sed -e 's/([^)]*)//g' -e 's/  */ /g' -e 's/^ //' -e 's/ $//')
while read -r relation; do
    grep -qxF "$relation" <<<"$depends" || fail "Depends lacks \"$relation\": $(field Depends)"
done <<'EOF'
qt6-qpa-plugins
qt6-wayland
fonts-liberation
timgm6mb-soundfont | fluid-soundfont-gm
libfluidsynth3
libqt6widgets6
libc6
EOF

# ---- the changelog speaks of the version being packaged
changelog_version=$(gzip -dc "$root/usr/share/doc/zantho-puzzle/changelog.gz" |
    dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's latest entry is $changelog_version, the package $version"

# ---- desktop entry and AppStream metadata as installed
desktop-file-validate "$root/usr/share/applications/com.example.ZanthoPuzzle.desktop" ||
    fail "desktop-file-validate rejects the desktop entry"
exec_cmd=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root/usr/share/applications/com.example.ZanthoPuzzle.desktop")
[ -x "$root/usr/bin/$exec_cmd" ] || fail "the desktop entry starts \"$exec_cmd\", not in /usr/bin"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.ZanthoPuzzle.metainfo.xml" ||
    fail "appstreamcli rejects the metainfo"

# ---- lintian, its whole report in the test's output
echo "== lintian --pedantic --display-info $(basename "$deb")"
if ! lintian --pedantic --display-info --fail-on error,warning "$deb"; then
    fail "lintian reports an error or a warning"
fi

[ "$errors" -eq 0 ] || { echo "$errors failed checks" >&2; exit 1; }
echo "package ok: $(basename "$deb"), $(dpkg-deb -c "$deb" | wc -l) entries"
