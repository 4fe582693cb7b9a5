#!/usr/bin/env bash
# Plays the game under a headless Wayland compositor (sway) as a player would, and judges
# what the screen shows.
#   run_wayland.sh <program dir> <wayland_probe> [artifacts dir]
# First run:  the menu shows the desktop exactly where its skin is white (no white of the
#             skin on screen); a click in its cut-away corner reaches the window below;
#             dragging its title strip moves it; Help opens the shaped help window and its
#             Close returns; Ctrl+O and the control open the file dialog, Delete removes the
#             game's copy, a picture the player may not read is told of; Play opens the game,
#             and once play has opened the hint button and then H each slide a tile.
# Second run: Exit shows the shaped records window; its Close ends the program, status 0.
# Neither run may print a warning of Qt's on stderr (e.g. about placing windows).
# Sway refuses to run as root: as root, the compositor and the game run as an unprivileged
# user (created when missing). Exit status 77 (skipped) when no such user can be had.
# WAYLAND_TEST_HOLD=<seconds> keeps the session that long after a failure, to look into it.
set -euo pipefail

program_dir=${1:?program dir}
probe=${2:?wayland_probe}
artifacts=${3:-${TMPDIR:-/tmp}/zantho-wayland}
here=$(cd "$(dirname "$0")" && pwd)

say() { echo "wayland $(date +%T) $*"; }
skip() {
    echo "wayland: SKIPPED: $*"
    exit 77
}

for tool in sway swaymsg grim wtype convert python3 setpriv; do
    command -v "$tool" >/dev/null || { echo "wayland: $tool is not installed" >&2; exit 1; }
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    { echo "wayland: Qt's Wayland platform (qt6-wayland) is not installed" >&2; exit 1; }

# ---- who runs the compositor
as_user=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
    owner=zantho-wayland-test
    if ! id "$owner" >/dev/null 2>&1; then
        useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
            "$owner" >/dev/null 2>&1 ||
            skip "running as root, sway refuses root, and no unprivileged user '$owner' could be created (useradd failed)"
    fi
    as_user=(setpriv --reuid="$(id -u "$owner")" --regid="$(id -g "$owner")" --clear-groups --)
    "${as_user[@]}" true 2>/dev/null ||
        skip "running as root, sway refuses root, and this process cannot become user '$owner' (setpriv failed)"
fi

# The build may live where that user cannot read (/root): the program is copied out.
work=$(mktemp -d /tmp/zantho-wl.XXXXXX) # its name is in the game's words about a picture
chmod 755 "$work"
pids=()
cleanup() {
    local p
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        p=${pids[i]}
        kill "$p" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -a "$program_dir" "$work/game"
cp "$here/wl_pointer_device.py" "$work/"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
# Sanitizer builds: the same options for the game, with suppressions it can read, those of
# the Wayland client library added.
sanitizer_env=()
for var in ASAN_OPTIONS UBSAN_OPTIONS; do
    [ -z "${!var:-}" ] || sanitizer_env+=("$var=${!var}")
done
leak_options=${LSAN_OPTIONS:-}
if [[ $leak_options =~ suppressions=([^:]*) ]] && [ -r "${BASH_REMATCH[1]}" ]; then
    cat "${BASH_REMATCH[1]}" >"$work/lsan.supp"
    leak_options=${leak_options/suppressions=${BASH_REMATCH[1]}/}
fi
cat "$here/lsan.supp" >>"$work/lsan.supp"
sanitizer_env+=("LSAN_OPTIONS=suppressions=$work/lsan.supp${leak_options:+:${leak_options#:}}")
# Qt loads Mesa's driver (through EGL, to learn whether it may draw window decorations) and
# Mesa unloads it again before the leak report, whose stacks then name no library and cannot
# be told from a leak of ours (128 bytes, now and then). Preloaded, the driver stays and its
# stacks are named and suppressed. Only the game gets it: the compositor is not ours.
game_env=()
driver="$(dirname "$(readlink -f "$(ldconfig -p | awk '/libEGL_mesa\.so\.0 /{print $NF; exit}')")")/dri/swrast_dri.so"
if [ -n "${ASAN_OPTIONS:-}" ] && [ -r "$driver" ]; then
    game_env+=("LD_PRELOAD=$driver" "ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0")
    echo "leak:swrast_dri.so" >>"$work/lsan.supp"
fi
# The player's own pictures: one in the folder, one to add from elsewhere.
own=$work/home/.local/share/zantho-puzzle/Pictures
mkdir -p "$own" "$work/mine"
convert -size 400x300 xc:orange "$own/orange.png"
convert -size 400x300 xc:lime "$work/mine/added.png"
convert -size 400x300 xc:red "$own/locked.png"
chown -R "$owner" "$work"
chmod 000 "$own/locked.png" # what the player cannot read, even though it is theirs

fail() {
    say "FAILED: $*"
    mkdir -p "$artifacts"
    run_as grim "$work/shot.png" 2>/dev/null || true
    [ -f "$work/shot.png" ] && cp "$work/shot.png" "$artifacts/failure.png"
    for f in "$work"/*.txt "$work"/*.log; do [ -f "$f" ] && cp "$f" "$artifacts/"; done
    say "screenshot and program output in $artifacts"
    [ -z "${WAYLAND_TEST_HOLD:-}" ] || sleep "$WAYLAND_TEST_HOLD"
    exit 1
}

# wait_for <seconds> <what> <command...>: polls the command until it succeeds.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail "gave up waiting for: $what"
        sleep 0.2
    done
    say "ok: $what"
}

desktop='#00c800'
cat >"$work/sway.cfg" <<EOF
output HEADLESS-1 resolution 1280x1024 bg $desktop solid_color
default_border none
default_floating_border none
focus_follows_mouse no
EOF
chmod 644 "$work/sway.cfg"

session_env=(HOME="$work/home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8)
run_as() { "${as_user[@]}" env -i "${session_env[@]}" "${sanitizer_env[@]}" "$@"; }
# spawn <stdin> <stdout> <stderr or -> <command...>: in the background, as the user; SPAWNED
# is its pid (the program's own: each step execs the next).
spawn() {
    local in=$1 out=$2 err=$3
    shift 3
    [ "$err" = - ] && err=/dev/fd/1
    (exec "${as_user[@]}" env -i "${session_env[@]}" "${sanitizer_env[@]}" "$@" <"$in" >"$out" 2>"$err") &
    SPAWNED=$!
    pids+=("$SPAWNED")
}

spawn /dev/null "$work/sway.log" - WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$work/sway.cfg"
compositor_up() {
    ls "$work"/run/sway-ipc.*.sock >/dev/null 2>&1 &&
        ls "$work"/run/wayland-? >/dev/null 2>&1
}
wait_for 30 "sway is up" compositor_up
session_env+=(WAYLAND_DISPLAY="$(basename "$(ls "$work"/run/wayland-? | head -1)")"
    SWAYSOCK="$(ls "$work"/run/sway-ipc.*.sock | head -1)")

sway_msg() { run_as swaymsg "$@"; }

# A headless seat has no pointer: without one no client gets a click.
# It lives as long as its standard input, held open here.
mkfifo "$work/pointer.fifo"
exec 7<>"$work/pointer.fifo"
spawn /dev/fd/7 "$work/pointer.log" - python3 "$work/wl_pointer_device.py"
wait_for 10 "a pointer on the seat" grep -q 'pointer ready' "$work/pointer.log"

# ---- looking and clicking
shot() { run_as grim "$work/shot.png"; }

# Sets WX WY of the visible window of app id $1 and size $2 x $3.
find_window() {
    local found
    found=$(sway_msg -t get_tree | python3 -c '
import json, sys
app, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def walk(n):
    r = n.get("rect", {})
    if n.get("app_id") == app and n.get("visible") and (r.get("width"), r.get("height")) == (w, h):
        print(r["x"], r["y"]); sys.exit(0)
    for c in n.get("nodes", []) + n.get("floating_nodes", []):
        walk(c)
walk(json.load(sys.stdin))' "$1" "$2" "$3") || return 1
    [ -n "$found" ] || return 1
    read -r WX WY <<<"$found"
}
no_window() { ! find_window "$@"; }

cursor() { sway_msg seat - cursor "$@" >/dev/null; }
# A virtual keyboard on the seat, to the focused window. Each is new, and keys sent before the
# game has taken in its keymap are lost: it waits half a second first.
keys() { run_as wtype -s 500 -d 20 "$@"; }
titled() { # a visible window of the game titled $1 (with the keyboard, given "focused")
    sway_msg -t get_tree | python3 -c 'import json, sys
def walk(n):
    return (n.get("app_id") == "zantho-puzzle" and n.get("visible") and n.get("name") == sys.argv[1]
            and (len(sys.argv) < 3 or n.get("focused"))) or any(map(walk, n.get("nodes", []) + n.get("floating_nodes", [])))
sys.exit(not walk(json.load(sys.stdin)))' "$@"
}
untitled() { ! titled "$1"; }
click() {
    cursor set "$1" "$2"
    sleep 0.2
    cursor press button1
    sleep 0.1
    cursor release button1
    sleep 0.2
    cursor set 1 1 # off every window, so no hover highlight is left behind
}

# shaped_as <skin png> <what>: the window at WX, WY shows exactly its skin's outline.
shaped_as() {
    shot
    local seen
    seen=$("$probe" look "$work/shot.png" "$WX" "$WY" "$1" "$desktop")
    [[ $seen =~ cut=([0-9]+)\ white=([0-9]+)\ desktop=([0-9]+)\ kept-as-desktop=([0-9]+) ]] ||
        fail "probe said: $seen"
    LOOK="$seen"
    local cut=${BASH_REMATCH[1]} white=${BASH_REMATCH[2]} ground=${BASH_REMATCH[3]} kept=${BASH_REMATCH[4]}
    [ "$cut" -gt 0 ] && [ "$white" -eq 0 ] && [ "$ground" -eq "$cut" ] && [ "$kept" -eq 0 ]
}
look_at() {  # <skin png> <what> <screenshot name>: waits for the shape, keeps the screenshot
    wait_for 60 "$2" shaped_as "$1"
    say "$2: $LOOK"
    mkdir -p "$artifacts"
    cp "$work/shot.png" "$artifacts/$3.png"
}

"$probe" skin menu_skin "$work/menu_skin.png"
"$probe" skin help_skin "$work/help_skin.png"
"$probe" skin records_skin "$work/records_skin.png"

menu_w=364 menu_h=271 game_w=685 game_h=471 help_w=536 help_h=349 records_w=401 records_h=303

start_game() {
    spawn /dev/null "$work/game-stdout.txt" "$work/game-stderr.txt" QT_QPA_PLATFORM=wayland \
        "${game_env[@]}" "$work/game/zantho-puzzle"
    game=$SPAWNED
}
game_ended() { ! kill -0 "$game" 2>/dev/null; }
quiet_qt() {  # Qt warns on stderr about what a platform cannot do; none may show
    if grep -E 'qt\.|QWidget|QWindow|[Ww]ayland|[Ww]arning' "$work/game-stderr.txt"; then
        fail "the game warned on stderr"
    fi
}

# ---- first run
start_game
wait_for 60 "the menu is shown" find_window zantho-puzzle $menu_w $menu_h
MX=$WX MY=$WY
look_at "$work/menu_skin.png" "the menu shows the desktop exactly where its skin is white" menu

# A window of our own, put below the menu, must get a click in the menu's cut-away corner
# (its top-left pixel) and no click inside the skin.
target_w=440 target_h=340
spawn /dev/null "$work/target.txt" "$work/target-stderr.txt" QT_QPA_PLATFORM=wayland \
    "$probe" target $target_w $target_h
target=$SPAWNED
wait_for 30 "the click target is shown" find_window wayland_probe $target_w $target_h
TX=$WX TY=$WY
[ "$MX" -gt "$TX" ] && [ "$MY" -gt "$TY" ] && [ $((MX + menu_w)) -lt $((TX + target_w)) ] ||
    fail "the click target does not cover the menu"
sway_msg "[app_id=zantho-puzzle] focus" >/dev/null # raises the menu over the target
click $((MX + 100)) $((MY + 150))                   # the preview: the menu's own
click "$MX" "$MY"
wait_for 10 "a click in the menu's cut-away corner reaches the window below" \
    grep -qx "click $((MX - TX)) $((MY - TY))" "$work/target.txt"
[ "$(grep -c click "$work/target.txt")" -eq 1 ] ||
    fail "a click inside the menu reached the window below: $(cat "$work/target.txt")"
kill "$target"
wait "$target" 2>/dev/null || true
sway_msg "[app_id=zantho-puzzle] focus" >/dev/null

# Drag by the title strip, as by a title bar: the compositor moves the window. Up to the
# top-left corner, out of the way of the help window that the compositor centres.
cursor set $((MX + 182)) $((MY + 11))
sleep 0.2
cursor press button1
sleep 0.2
for step in 1 2 3 4 5 6 7 8 9 10; do
    echo "motion -40 -33" >&7 # the compositor follows a moving pointer, not a warped cursor
    sleep 0.1
done
cursor release button1
cursor set 1 1
moved() { find_window zantho-puzzle $menu_w $menu_h && [ "$WX,$WY" = "$((MX - 400)),$((MY - 330))" ]; }
wait_for 10 "dragging the title strip moves the menu by -400, -330" moved
MX=$WX MY=$WY
look_at "$work/menu_skin.png" "the moved menu is still shaped" menu-moved

click $((MX + 304)) $((MY + 116)) # Help
wait_for 30 "Help opens the help window" find_window zantho-puzzle $help_w $help_h
[ $((MY + menu_h)) -le "$WY" ] || [ $((MX + menu_w)) -le "$WX" ] ||
    fail "the help window at $WX, $WY lies over the menu: its shape cannot be judged"
look_at "$work/help_skin.png" "the help window shows the desktop exactly where its skin is white" help
click $((WX + 288)) $((WY + 308)) # Close
wait_for 30 "Close: back to the menu" \
    eval 'no_window zantho-puzzle $help_w $help_h && find_window zantho-puzzle $menu_w $menu_h'

sway_msg "[app_id=zantho-puzzle] focus" >/dev/null
keys -M ctrl o -m ctrl
wait_for 30 "Ctrl+O opens the file dialog" titled "Add pictures" focused
keys "$work/mine/added.png" -k Return
wait_for 30 "the chosen picture is copied into the player's folder" \
    eval '[ -f "$own/added.png" ] && untitled "Add pictures"'
click $((MX + 201)) $((MY + 32)) # the control beside "Select a picture :"
wait_for 30 "the control opens the file dialog" titled "Add pictures" focused
keys -k Escape
wait_for 30 "Escape closes it" untitled "Add pictures"
sway_msg "[app_id=zantho-puzzle] focus" >/dev/null
keys -k Delete
wait_for 30 "Delete asks" titled "Zantho Puzzle +1" focused
keys -k Return
wait_for 30 "OK removes the game's copy and shows the next: unreadable, so told" \
    eval '[ ! -e "$own/added.png" ] && grep -q "locked.png\" could not be read (Permission denied)" "$work/game-stderr.txt"'
keys -k Return
wait_for 30 "the message is read" untitled "Zantho Puzzle +1"
sway_msg "[app_id=zantho-puzzle] focus" >/dev/null
keys -k Right -k Right # orange.png, then picture 1

click $((MX + 304)) $((MY + 68)) # Play
wait_for 60 "Play opens the game window and closes the menu" \
    eval 'no_window zantho-puzzle $menu_w $menu_h && find_window zantho-puzzle $game_w $game_h'
GX=$WX GY=$WY
board() { shot && convert "$work/shot.png" -crop "385x289+$((GX + 24))+$((GY + 64))" +repage "$work/$1.png"; }
same_board() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = 0 ]; }
# The blank walks many cells a second while it shuffles: a board still for two seconds is in play.
settled() { board before && sleep 2 && board settled && same_board before settled; }
wait_for 60 "the shuffle is over" settled
click $((GX + 488)) $((GY + 368)) # the hint, right of the back button
wait_for 10 "the hint button slides a tile" eval 'board now && ! same_board now settled'
board hinted
sway_msg "[app_id=zantho-puzzle] focus" >/dev/null
keys h
wait_for 10 "H slides another" eval 'board now && ! same_board now hinted'
cp "$work/shot.png" "$artifacts/game.png"
quiet_qt
kill "$game"
wait "$game" 2>/dev/null || true

# ---- second run: Exit, the records window, Close
start_game
wait_for 60 "the menu is shown again" find_window zantho-puzzle $menu_w $menu_h
click $((WX + 304)) $((WY + 172)) # Exit
wait_for 30 "Exit shows the records window" \
    eval 'no_window zantho-puzzle $menu_w $menu_h && find_window zantho-puzzle $records_w $records_h'
look_at "$work/records_skin.png" "the records window shows the desktop exactly where its skin is white" records
click $((WX + 208)) $((WY + 260)) # Close
wait_for 30 "Close ends the program" game_ended
status=0
wait "$game" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status, expected 0"
say "ok: exit status 0"
quiet_qt
say "passed"
