#!/usr/bin/env bash
# The package installs with apt on a clean Debian 12 system together with its dependencies (and
# nothing it merely recommends), the game then starts from its desktop entry's command and
# plays, and removing the package takes away every file it brought.
#   install_in_chroot.sh <folder with the .deb> <cache folder> <artifacts folder> [sanitized]
# The clean system is a debootstrap chroot, made once and kept as a tarball in the cache folder
# with the packages apt downloads; every run unpacks a fresh copy. The X server, xdotool and
# the screenshots run outside the chroot, so it holds only Debian's base and what apt brings.
# Exit status 77 (skipped) when the machine cannot do it: not root, no debootstrap, no mirror.
set -euo pipefail

deb_dir=${1:?folder with the .deb}
cache=${2:?cache folder}
artifacts=${3:?artifacts folder}
sanitized=${4:-0}
suite=bookworm
mirror=http://deb.debian.org/debian

skip() {
    echo "SKIPPED: $*"
    exit 77
}
[ "$sanitized" = 0 ] ||
    skip "this build is instrumented with sanitizers; the install test runs in the release build"
[ "$(id -u)" -eq 0 ] || skip "needs root for debootstrap, chroot and mount (CI runs as root)"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (scripts/install-deps)"
wget -q -T 20 -t 2 --spider "$mirror/dists/$suite/Release" ||
    skip "the Debian mirror $mirror cannot be reached"
for tool in chroot mount umount Xvfb xdotool xsetroot import convert compare dpkg-deb; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed" >&2; exit 1; }
done

deb=$(ls "$deb_dir"/zantho-puzzle_*_"$(dpkg --print-architecture)".deb)
mkdir -p "$cache/apt-archives/partial" "$cache/apt-lists/partial" "$artifacts"
cache=$(readlink -f "$cache")
root=$cache/run
base=$cache/base-$suite.tar
work=$(mktemp -d)
xvfb_pid= display=

say() { echo "chroot $(date +%T) [${SECONDS}s] $*"; }

mounts_under() { awk -v r="$1" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/self/mounts; }

# Unmounts everything below a root, deepest first; says so when something stays mounted.
unmount_all() {
    local m
    for m in $(mounts_under "$1" | sort -r); do
        umount "$m" 2>/dev/null || umount -l "$m" || true
    done
    [ -z "$(mounts_under "$1")" ]
}

# Removes a chroot tree, never while anything is mounted in it (a bound /dev or socket would be
# deleted on the host).
remove_tree() {
    [ -e "$1" ] || return 0
    unmount_all "$1" || { echo "still mounted under $1, left in place" >&2; return 1; }
    rm -rf --one-file-system "$1"
}

# Ends the processes this test started inside the chroot: those whose root is the chroot.
chroot_processes() {
    find /proc -mindepth 2 -maxdepth 2 -name root -printf '%h %l\n' 2>/dev/null |
        awk -v r="$root" '$2 == r { sub(/^\/proc\//, "", $1); print $1 }'
}
stop_chroot_processes() {
    local signal p
    for signal in TERM KILL; do
        for p in $(chroot_processes); do kill -s $signal "$p" 2>/dev/null || true; done
        for _ in $(seq 20); do
            [ -z "$(chroot_processes)" ] && return 0
            sleep 0.1
        done
    done
}

stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    fi
}

cleanup() {
    stop_chroot_processes
    stop_xvfb
    remove_tree "$root" || true
    rm -rf "$work"
    say "cleaned up"
}
trap cleanup EXIT

fail() {
    say "FAILED: $*"
    if [ -n "$display" ]; then
        DISPLAY=:$display import -window root "$artifacts/failure.png" 2>/dev/null || true
    fi
    if [ -f "$work/game.err" ]; then cp "$work/game.err" "$artifacts/game-stderr.txt"; fi
    say "screenshot, apt and program output in $artifacts"
    exit 1
}

in_chroot() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }

# Every path of the system as a player's files and dpkg's own records leave it aside.
snapshot() {
    (cd "$root" && find . \( -path ./proc -o -path ./sys -o -path ./dev -o -path ./run \
        -o -path ./tmp -o -path ./var/tmp -o -path ./var/cache -o -path ./var/lib/apt \
        -o -path ./var/lib/dpkg -o -path ./var/log -o -path ./home -o -path ./root \) -prune \
        -o -print) | sed 's|^\.||' | LC_ALL=C sort >"$1"
}

# ---- a clean Debian 12, made once
remove_tree "$root"
if [ ! -f "$base" ]; then
    say "making the clean $suite system with debootstrap (once; kept in $base)"
    remove_tree "$cache/bootstrap"
    debootstrap --variant=minbase "$suite" "$cache/bootstrap" "$mirror" >"$artifacts/debootstrap.log" 2>&1 ||
        { tail -20 "$artifacts/debootstrap.log"; fail "debootstrap failed"; }
    unmount_all "$cache/bootstrap"
    tar -C "$cache/bootstrap" --numeric-owner -cpf "$base.part" .
    mv "$base.part" "$base"
    remove_tree "$cache/bootstrap"
fi
mkdir -p "$root"
tar -C "$root" --numeric-owner -xpf "$base"
say "unpacked a fresh copy of the clean system"

cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb http://deb.debian.org/debian-security $suite-security main
EOF
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"  # no services start in a chroot
chmod 755 "$root/usr/sbin/policy-rc.d"
mount -t proc proc "$root/proc"
mount --bind "$cache/apt-archives" "$root/var/cache/apt/archives"
mount --bind "$cache/apt-lists" "$root/var/lib/apt/lists"
in_chroot useradd --create-home player
in_chroot apt-get update -qq >"$artifacts/apt-update.log" 2>&1 || fail "apt-get update failed"
cp "$deb" "$root/tmp/"
chmod 644 "$root/tmp/$(basename "$deb")"

# ---- install
snapshot "$work/before"
say "apt-get install ./$(basename "$deb") (dependencies, no recommended packages)"
# A throwaway system: dpkg need not sync every file it unpacks.
in_chroot apt-get install -y --no-install-recommends -o Dpkg::Options::=--force-unsafe-io \
    "/tmp/$(basename "$deb")" \
    >"$artifacts/apt-install.log" 2>&1 || { tail -30 "$artifacts/apt-install.log"; fail "apt-get install failed"; }
grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' "$artifacts/apt-install.log"
snapshot "$work/installed"
[ "$(in_chroot dpkg-query -W -f='${Status}' zantho-puzzle)" = "install ok installed" ] ||
    fail "zantho-puzzle is not installed"
for p in qt6-qpa-plugins qt6-wayland fonts-liberation libfluidsynth3; do
    in_chroot dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q "ok installed" ||
        fail "dependency $p is not installed"
done
ls "$root"/usr/share/sounds/sf2/*.sf2 >/dev/null 2>&1 || fail "no SoundFont in /usr/share/sounds/sf2"

# The package's own paths; "dir" marks folders, which other packages may share.
dpkg-deb -c "$deb" | awk '{ k = substr($1, 1, 1) == "d" ? "dir" : "file"; p = $6; sub(/^\./, "", p);
    sub(/\/$/, "", p); if (p != "") print k, p }' >"$work/package"
missing=$(awk '$1 == "file" { print $2 }' "$work/package" | LC_ALL=C sort |
    LC_ALL=C comm -23 - "$work/installed")
[ -z "$missing" ] || fail "installed system lacks: $missing"
say "installed: $(grep -c '^file' "$work/package") files and links of the package," \
    "$(LC_ALL=C comm -13 "$work/before" "$work/installed" | wc -l) new paths in all"

# ---- start and play, under an X server outside the chroot
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.err" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=$(cat "$work/display")
[ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.err")"
export DISPLAY=:$display
mkdir -p "$root/tmp/.X11-unix"
touch "$root/tmp/.X11-unix/X$display"
mount --bind "/tmp/.X11-unix/X$display" "$root/tmp/.X11-unix/X$display"
xsetroot -solid '#ff00ff'
root_colour=255,0,255

command=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/com.example.ZanthoPuzzle.desktop")
say "starting \"$command\" as a player, from the desktop entry's Exec line"
# PATH without /usr/games, as a desktop session may have it.
chroot "$root" /usr/sbin/runuser -u player -- /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin \
    HOME=/home/player LANG=C.UTF-8 DISPLAY=":$display" QT_QPA_PLATFORM=xcb $command \
    >"$work/game.out" 2>"$work/game.err" &
game=$!

wait_for() {  # <seconds> <what> <command...>
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@"; do
        kill -0 "$game" 2>/dev/null || fail "the game ended while waiting for: $what ($(cat "$work/game.err"))"
        [ "$SECONDS" -lt "$deadline" ] || fail "gave up waiting for: $what"
        sleep 0.3
    done
    say "ok: $what"
}
find_window() {  # <width> <height>; sets WX, WY
    local w
    for w in $(xdotool search --onlyvisible --class zantho-puzzle 2>/dev/null || true); do
        local X= Y= WIDTH= HEIGHT= WINDOW= SCREEN=
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null || true)"
        if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
            WX=$X WY=$Y
            return 0
        fi
    done
    return 1
}
pixel() {
    convert "$work/shot.png" -crop "1x1+$1+$2" +repage -depth 8 \
        -format '%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]' info:
}
colours() { convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage -format '%k' info:; }

menu_w=364 menu_h=271 game_w=685 game_h=471
menu_shown() {
    find_window $menu_w $menu_h || return 1
    import -window root "$work/shot.png"
    # Shaped to its skin (the corner is cut away) and the first preview is drawn from the data
    # tree in /usr/share (a picture has hundreds of colours).
    [ "$(pixel "$WX" "$WY")" = $root_colour ] &&
        [ "$(colours $((WX + 30)) $((WY + 48)) 201 149)" -gt 200 ]
}
wait_for 120 "the menu window, shaped, with the first picture" menu_shown
cp "$work/shot.png" "$artifacts/menu.png"

xdotool mousemove $((WX + 304)) $((WY + 68)) click 1  # Play
xdotool mousemove 1 1
game_shown() {
    ! find_window $menu_w $menu_h && find_window $game_w $game_h || return 1
    import -window root "$work/shot.png"
    [ "$(colours $((WX + 20)) $((WY + 20)) 400 300)" -gt 200 ]
}
wait_for 120 "Play opens the game window with its picture" game_shown
cp "$work/shot.png" "$artifacts/game.png"
# The game plays: the shuffle starts moving tiles, so the board stops being the whole picture.
board() { convert "$work/shot.png" -crop "370x280+$((WX + 15))+$((WY + 65))" +repage "$work/$1.png"; }
board whole
board_moves() {
    import -window root "$work/shot.png"
    board now
    [ "$(compare -metric AE "$work/whole.png" "$work/now.png" null: 2>&1 || true)" != 0 ]
}
wait_for 60 "the shuffle moves the tiles" board_moves
cp "$work/shot.png" "$artifacts/shuffle.png"
if grep -q 'could not be read' "$work/game.err"; then fail "the game reports: $(cat "$work/game.err")"; fi
cp "$work/game.err" "$artifacts/game-stderr.txt"

say "ending the game"
stop_chroot_processes
wait "$game" 2>/dev/null || true
umount "$root/tmp/.X11-unix/X$display"
stop_xvfb

# ---- remove
say "apt-get remove zantho-puzzle"
in_chroot apt-get remove -y zantho-puzzle >"$artifacts/apt-remove.log" 2>&1 ||
    { tail -30 "$artifacts/apt-remove.log"; fail "apt-get remove failed"; }
snapshot "$work/removed"
left=$(awk '$1 == "file" { print $2 }' "$work/package" | LC_ALL=C sort |
    LC_ALL=C comm -12 - "$work/removed")
[ -z "$left" ] || fail "left after removal: $left"
# A folder of the package may stay only if it was there before or another package owns it.
while read -r kind path; do
    [ "$kind" = dir ] && [ -d "$root$path" ] || continue
    grep -qxF "$path" "$work/before" || in_chroot dpkg-query -S "$path" >/dev/null 2>&1 ||
        fail "folder left after removal: $path"
done <"$work/package"
created=$(LC_ALL=C comm -13 "$work/installed" "$work/removed")
[ -z "$created" ] || fail "removal created: $created"
# Removal takes only the package's paths; its dependencies stay, as apt remove leaves them.
taken=$(LC_ALL=C comm -23 "$work/installed" "$work/removed")
foreign=$(awk '{ print $2 }' "$work/package" | LC_ALL=C sort | LC_ALL=C comm -13 - <(echo "$taken"))
[ -z "$foreign" ] || fail "removal took paths that are not the package's: $foreign"
say "ok: removal took the package's $(echo "$taken" | wc -l) paths, and only those"
say "done: installed, played and removed on a clean $suite"
