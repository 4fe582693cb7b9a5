#!/usr/bin/env bash
# Plays the game end to end as a player would and judges what the screen shows.
#   run_e2e.sh round|missing-data <program dir> [artifacts dir]
# round:        shaped menu, arrows change the preview, Play, shuffle until "Done", stop ->
#               Cancel, stop -> OK, records window, Close ends the process with status 0.
# records-shown: Exit shows the records window with what the records file holds.
# help-exit:    Help opens the shaped help window, its Close returns to the menu; Exit shows
#               the records window, whose Close ends the process with status 0.
# missing-data: a program directory holding only the executable ends with the picture error
#               report and a non-zero status, no other window shown. No display, or one that
#               is not there: one line on stderr, status 1; offscreen still starts.
# wm-close:     under a window manager (openbox), Alt+F4 on each window: the help window
#               closes, the menu leads to the records window, the records window ends the run
#               with status 0, the game window asks the stop question; never a process left
#               without a window.
# keys:         a whole game by keyboard only: Enter plays, the arrows undo the seeded
#               shuffle (ZANTHO_SEED; solve_shuffle computes the keys), Enter closes the
#               completion dialog, Escape is Exit, Enter closes the records; status 0 and the
#               record in the file, with a name of emoji cut to its first 13 characters.
# hint:         with ZANTHO_SEED, H from "Done" completes the picture in exactly the fewest
#               clicks (solve_shuffle's), shown under the clicks; no record, the file as it was.
# sigterm:      SIGTERM in the menu and with the stop question open ends the run at once,
#               with status 0 and no window left.
# own-pictures: the player's pictures: a file dropped on the menu by a real XDND drag, one
#               added by Ctrl+O, the control's dialog cancelled, Delete removes the copy; a photo
#               stored sideways (EXIF orientation 6) plays upright on the Hard board.
# Every wait polls with a generous limit, so a slow, busy machine only makes it slower.
set -euo pipefail

scenario=${1:?scenario}
program_dir=${2:?program dir}
artifacts=${3:-${TMPDIR:-/tmp}/zantho-e2e}

if [ -z "${ZANTHO_E2E_IN_X:-}" ]; then
    for tool in xvfb-run xdotool import convert compare xsetroot openbox xmessage xwininfo exiftool; do
        command -v "$tool" >/dev/null || { echo "e2e: $tool is not installed" >&2; exit 1; }
    done
    export ZANTHO_E2E_IN_X=1
    # -noreset: the root colour set below must survive the clients that come and go.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/zantho-e2e.XXXXXX")
pid=
wm=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
    if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

say() { echo "e2e [$scenario] $(date +%T) $*"; }

fail() {
    say "FAILED: $*"
    mkdir -p "$artifacts"
    import -window root "$artifacts/$scenario-failure.png" 2>/dev/null || true
    xwininfo -root -tree >"$artifacts/$scenario-windows.txt" 2>&1 || true
    [ -n "$pid" ] && ps -o pid,stat,wchan:30,cmd -p "$pid" >>"$artifacts/$scenario-windows.txt" 2>&1
    [ -f "$work/openbox.txt" ] && cp "$work/openbox.txt" "$artifacts/$scenario-openbox.txt"
    [ -f "$work/stderr.txt" ] && cp "$work/stderr.txt" "$artifacts/$scenario-stderr.txt"
    say "screenshot and program output in $artifacts"
    # CI keeps only what is printed: the program's own words, its windows and, when it is
    # still alive, where each of its threads stands.
    if [ -s "$work/stderr.txt" ]; then
        say "program stderr:"
        tail -n 40 "$work/stderr.txt" | sed 's/^/  | /'
    fi
    say "windows of the game:"
    for w in $(xdotool search --class zantho-puzzle 2>/dev/null || true); do
        echo "  | $w $(xwininfo -id "$w" 2>/dev/null | grep -E 'Map State|Width|Height|Absolute' | tr -s ' \n' ' ')"
    done
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null && command -v gdb >/dev/null; then
        say "threads of pid $pid:"
        timeout 60 gdb -p "$pid" -batch -ex 'thread apply all bt 12' 2>/dev/null |
            grep -E '^(Thread|#)' | head -n 80 | sed 's/^/  | /' || true
    fi
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

shot() { import -window root "$work/shot.png"; }

# "r,g,b" of one pixel of the last screenshot
pixel() {
    convert "$work/shot.png" -crop "1x1+$1+$2" +repage -depth 8 \
        -format '%[fx:int(255*r+.5)],%[fx:int(255*g+.5)],%[fx:int(255*b+.5)]' info:
}

crop() { convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage "$work/$5.png"; }

same_picture() {  # two crops with no differing pixel
    [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = "0" ]
}

# The visible windows of the game whose size is WxH; sets WIN, WX, WY.
find_window() {
    local w
    WIN=
    for w in $(xdotool search --onlyvisible --class zantho-puzzle 2>/dev/null || true); do
        local X= Y= WIDTH= HEIGHT= WINDOW= SCREEN=
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null || true)"
        if [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]; then
            WIN=$w WX=$X WY=$Y
            return 0
        fi
    done
    return 1
}
no_window() { ! find_window "$1" "$2"; }

click() {
    xdotool mousemove "$1" "$2" click 1
    xdotool mousemove 1 1  # off every window, so no hover text is left behind
}

answer() {  # the stop question or the error report: a message box, answered by key
    xdotool windowfocus "$BOX" 2>/dev/null || true
    xdotool key "$1"
}

process_ended() { ! kill -0 "$pid" 2>/dev/null; }

root=255,0,255
xsetroot -solid '#ff00ff'

# ---- sizes in pixels, from the windows' design sizes in twips
menu_w=364 menu_h=271 game_w=685 game_h=471 records_w=401 records_h=303 help_w=536 help_h=349

start_program() {
    "$1/zantho-puzzle" >"$work/stdout.txt" 2>"$work/stderr.txt" &
    pid=$!
    say "started $1/zantho-puzzle (pid $pid)"
}

menu_is_shaped() {
    find_window $menu_w $menu_h || return 1
    shot
    # The skin's white corners are cut away: the root colour shows through them ...
    [ "$(pixel "$WX" "$WY")" = $root ] || return 1
    [ "$(pixel $((WX + menu_w - 1)) "$WY")" = $root ] || return 1
    [ "$(pixel "$WX" $((WY + menu_h - 1)))" = $root ] || return 1
    [ "$(pixel $((WX + menu_w - 1)) $((WY + menu_h - 1)))" = $root ] || return 1
    # ... while the panel and the preview are drawn.
    [ "$(pixel $((WX + 182)) $((WY + 11)))" != $root ] || return 1
    [ "$(pixel $((WX + 130)) $((WY + 122)))" != $root ] || return 1
    [ "$(pixel $((WX + 250)) $((WY + 210)))" != $root ]
}

preview_is() {  # compares the landscape preview frame with a kept crop
    shot
    crop $((WX + 30)) $((WY + 48)) 201 149 preview
    if [ "$1" = same ]; then same_picture preview "$2"; else ! same_picture preview "$2"; fi
}

# Width in pixels of the green text of the game's status line (0 when there is none).
status_text_width() {
    shot
    local box
    box=$(convert "$work/shot.png" -crop "385x21+$GX+$((GY + 452))" +repage \
        -fx '(g>0.55 && r<0.45 && b<0.45) ? 1 : 0' -format '%@' info: 2>/dev/null)
    case $box in
    0x0* | "") echo 0 ;;
    *) echo "${box%%x*}" ;;
    esac
}
shuffling() { [ "$(status_text_width)" -gt 100 ]; }  # "Disordering... Please wait"
done_shown() {                                       # "Done"
    local w
    w=$(status_text_width)
    [ "$w" -gt 10 ] && [ "$w" -lt 70 ]
}

question_shown() {  # a message box (the stop question, the error report); sets BOX
    local w
    BOX=
    for w in $(xdotool search --onlyvisible --name '^Zantho Puzzle \+1$' 2>/dev/null || true); do
        local X= Y= WIDTH= HEIGHT= WINDOW= SCREEN=
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null || true)"
        if [ "$WIDTH x $HEIGHT" != "$records_w x $records_h" ]; then
            BOX=$w
            return 0
        fi
    done
    return 1
}
no_question() { ! question_shown; }
game_goes_on() { no_question && find_window $game_w $game_h; }
records_instead_of_game() { no_question && no_window $game_w $game_h && find_window $records_w $records_h; }

round() {
    cp -a "$program_dir" "$work/game"  # the records file of this run stays out of the build
    start_program "$work/game"

    wait_for 90 "the menu is shown, shaped to its skin" menu_is_shaped
    crop $((WX + 30)) $((WY + 48)) 201 149 picture1
    local mx=$WX my=$WY

    click $((mx + 219)) $((my + 228))  # next
    wait_for 30 "next picture changes the preview" preview_is different picture1
    click $((mx + 47)) $((my + 227))   # previous
    wait_for 30 "previous picture brings picture 1 back" preview_is same picture1

    click $((mx + 304)) $((my + 68))   # Play
    wait_for 90 "Play opens the game window and closes the menu" \
        eval 'no_window $menu_w $menu_h && find_window $game_w $game_h'
    GX=$WX GY=$WY
    wait_for 60 "the shuffle runs" shuffling
    wait_for 90 "\"Done\" after the shuffle" done_shown

    click $((GX + 488)) $((GY + 328))  # stop
    wait_for 30 "the stop question" question_shown
    answer Escape
    wait_for 30 "Cancel: the game goes on" game_goes_on

    click $((GX + 488)) $((GY + 328))
    wait_for 30 "the stop question, again" question_shown
    answer Return
    wait_for 30 "OK: the records window replaces the game" records_instead_of_game

    click $((WX + 208)) $((WY + 260))  # Close
    wait_for 30 "Close ends the program" process_ended
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
    say "ok: exit status 0"
}

help_is_shaped() {
    find_window $help_w $help_h || return 1
    shot
    [ "$WX,$WY" = "25,25" ] || return 1
    [ "$(pixel "$WX" "$WY")" = $root ] || return 1
    [ "$(pixel $((WX + help_w - 1)) $((WY + help_h - 1)))" = $root ] || return 1
    [ "$(pixel $((WX + 268)) $((WY + 150)))" != $root ]
}

help_exit() {
    cp -a "$program_dir" "$work/game"
    start_program "$work/game"
    wait_for 90 "the menu is shown" menu_is_shaped
    local mx=$WX my=$WY

    click $((mx + 304)) $((my + 116))  # Help
    wait_for 30 "the help window at 25, 25, shaped to its skin" help_is_shaped
    click $((WX + 288)) $((WY + 308))  # Close
    wait_for 30 "Close: back to the menu" eval 'no_window $help_w $help_h && find_window $menu_w $menu_h'

    click $((mx + 304)) $((my + 172))  # Exit
    wait_for 30 "Exit: the records window replaces the menu" \
        eval 'no_window $menu_w $menu_h && find_window $records_w $records_h'
    click $((WX + 208)) $((WY + 260))  # Close
    wait_for 30 "Close ends the program" process_ended
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "exit status $status, expected 0"
    say "ok: exit status 0"
}

# Exit from the menu straight to the records window; keeps a crop of its records table.
records_table_after_exit() {  # <program dir> <crop name>
    start_program "$1"
    wait_for 90 "the menu is shown" menu_is_shaped
    click $((WX + 304)) $((WY + 172))  # Exit
    wait_for 30 "Exit: the records window" \
        eval 'no_window $menu_w $menu_h && find_window $records_w $records_h'
    shot
    crop $((WX + 140)) $((WY + 172)) 250 80 "$2"   # names, clicks and times of both levels
    crop $((WX + 60)) $((WY + 30)) 280 100 "$2-about"
    click $((WX + 208)) $((WY + 260))  # Close
    wait_for 30 "Close ends the program" process_ended
    wait "$pid" || fail "exit status $?, expected 0"
    pid=
}

records_shown() {
    cp -a "$program_dir" "$work/game"
    rm -f "$work/game/Config/"*
    records_table_after_exit "$work/game" empty

    # A records file as an earlier run leaves it, line ends and all.
    printf '[EA]\r\nNAMCL=Ada\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=Grace\r\nCLI2=75\r\nTIE2=61\r\n' \
        >"$work/game/Config/Kelset.dll"
    printf '[HA]\r\nNAMCL=Linus\r\nCLI1=140\r\nTIE1=6000\r\n' >>"$work/game/Config/Kelset.dll"
    local before
    before=$(md5sum <"$work/game/Config/Kelset.dll")
    records_table_after_exit "$work/game" filled

    ! same_picture empty filled || fail "the records window shows the same table with and without records"
    same_picture empty-about filled-about || fail "the about text changed with the records"
    [ "$(md5sum <"$work/game/Config/Kelset.dll")" = "$before" ] || fail "showing the records changed the file"
    say "ok: the records window shows what the file holds, and leaves it as it was"
}

missing_data() {
    mkdir "$work/bare"
    cp "$program_dir/zantho-puzzle" "$work/bare/"
    start_program "$work/bare"

    wait_for 90 "the picture error report" question_shown
    no_window $menu_w $menu_h || fail "the menu window is shown beside the report"
    grep -q 'Prevw/1.pic" could not be read' "$work/stderr.txt" ||
        fail "stderr does not name the picture: $(cat "$work/stderr.txt")"
    local title
    title=$(xdotool getwindowname "$BOX")
    say "report window: \"$title\"; stderr: $(grep 'could not be read' "$work/stderr.txt")"
    answer Return
    wait_for 30 "the program ends after the report" process_ended
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -ne 0 ] || fail "exit status 0 after a missing picture"
    say "ok: exit status $status, no window left"

    local display out unused=59000
    while [ -e /tmp/.X11-unix/X$unused ]; do unused=$((unused + 1)); done
    for display in "" ":$unused"; do
        out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${display:+DISPLAY=$display} XDG_SESSION_TYPE= \
            XDG_RUNTIME_DIR="$work" "$program_dir/zantho-puzzle" 2>&1 >/dev/null) && status=0 || status=$?
        [ "$status-$(wc -l <<<"$out")" = 1-1 ] && grep -q 'DISPLAY.*WAYLAND_DISPLAY' <<<"$out" ||
            fail "DISPLAY=\"$display\": status $status, stderr: $out"
        say "ok: ${display:-no DISPLAY}: status 1, \"$out\""
    done
    env -u DISPLAY QT_QPA_PLATFORM=offscreen timeout 5 "$program_dir/zantho-puzzle" &>/dev/null && status=0 || status=$?
    [ "$status" -eq 124 ] || fail "the offscreen platform does not start the game (status $status)"
    say "ok: the offscreen platform starts the game without a display"
}

# True while the process runs with a window of its own on screen (or has ended).
window_or_ended() {
    process_ended && return 0
    [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ]
}
# Fails when the process stays alive for a whole second without any window.
never_windowless() {
    local i
    for i in 1 2 3 4 5; do
        window_or_ended && return 0
        sleep 0.2
    done
    fail "the process is alive without a window"
}

start_window_manager() {
    openbox --sm-disable >"$work/openbox.txt" 2>&1 &
    wm=$!
    # openbox announces itself on the root window before it is ready: a window mapped in
    # the moments after can be lost for good (a plain xmessage as well as the game, about one
    # start in ten on a busy machine). So a probe window is mapped, again and again if need
    # be, until openbox has framed one; only then does the game start.
    wait_for 30 "openbox announces itself" eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'
    wait_for 60 "openbox manages new windows" probe_is_managed
}

probe_is_managed() {  # maps one probe window; succeeds when openbox has framed it
    local probe i managed=1
    xmessage -name zantho-wm-probe probe >/dev/null 2>&1 &
    probe=$!
    for i in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.2
        if xwininfo -name zantho-wm-probe 2>/dev/null | grep -q IsViewable; then
            managed=0
            break
        fi
    done
    kill "$probe" 2>/dev/null || true
    wait "$probe" 2>/dev/null || true
    # the probe is gone before the game's windows are looked for
    for i in $(seq 50); do xwininfo -name zantho-wm-probe >/dev/null 2>&1 || break; sleep 0.1; done
    return $managed
}

alt_f4() {  # on the window WIN, by the window manager's own key
    xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
    xdotool key alt+F4
}

ended_with() {  # <status>
    wait_for 30 "the program ends" process_ended
    local status=0
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
    say "ok: exit status $status"
}

wm_close() {
    start_window_manager
    cp -a "$program_dir" "$work/game"
    start_program "$work/game"
    wait_for 90 "the menu is shown" find_window $menu_w $menu_h
    local mx=$WX my=$WY menu=$WIN

    click $((mx + 304)) $((my + 116))  # Help
    wait_for 30 "the help window" find_window $help_w $help_h
    alt_f4
    wait_for 30 "Alt+F4 closes the help window, the menu stays" \
        eval 'no_window $help_w $help_h && find_window $menu_w $menu_h'
    never_windowless

    WIN=$menu
    alt_f4
    wait_for 30 "Alt+F4 on the menu: the records window replaces it" \
        eval 'no_window $menu_w $menu_h && find_window $records_w $records_h'
    never_windowless
    alt_f4
    ended_with 0

    start_program "$work/game"
    wait_for 90 "the menu is shown again" find_window $menu_w $menu_h
    click $((WX + 304)) $((WY + 68))  # Play
    wait_for 90 "the game window" find_window $game_w $game_h
    alt_f4
    wait_for 30 "Alt+F4 on the game: the stop question" question_shown
    answer Escape
    wait_for 30 "Cancel: the game goes on" game_goes_on
    find_window $game_w $game_h
    alt_f4
    wait_for 30 "the stop question, again" question_shown
    answer Return
    wait_for 30 "OK: the records window replaces the game" records_instead_of_game
    never_windowless
    alt_f4
    ended_with 0
    kill "$wm" 2>/dev/null || true
}

sigterm() {
    cp -a "$program_dir" "$work/game"
    start_program "$work/game"
    wait_for 90 "the menu is shown" find_window $menu_w $menu_h
    kill -TERM "$pid"
    ended_with 0

    start_program "$work/game"
    wait_for 90 "the menu is shown again" find_window $menu_w $menu_h
    click $((WX + 304)) $((WY + 68))  # Play
    wait_for 90 "the game window" find_window $game_w $game_h
    GX=$WX GY=$WY
    click $((GX + 488)) $((GY + 328))  # stop
    wait_for 30 "the stop question" question_shown
    kill -TERM "$pid"
    ended_with 0
    question_shown && fail "the question is left on screen"
    say "ok: no window left"
}

focus() {  # keyboard focus on the window WIN; no window manager here to give it
    xdotool windowfocus --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
}

completion_shown() {  # the completion dialog, 358 x 89, or 358 x 113 with the fewest clicks; sets WIN
    find_window 358 113 || find_window 358 89
}

keys() {
    [ -x "${ZANTHO_SOLVER:-}" ] || fail "ZANTHO_SOLVER does not name the solver"
    local seed=20261209
    local solution
    solution=$("$ZANTHO_SOLVER" $seed 1)
    local count
    count=$(wc -w <<<"$solution")
    say "the seeded shuffle is undone by $count keys"
    cp -a "$program_dir" "$work/game"
    rm -f "$work/game/Config/"*
    ZANTHO_SEED=$seed start_program "$work/game"
    wait_for 90 "the menu is shown" find_window $menu_w $menu_h
    focus
    xdotool key Return
    wait_for 90 "Enter: the game window" find_window $game_w $game_h
    GX=$WX GY=$WY
    wait_for 60 "the shuffle runs" shuffling
    wait_for 90 "\"Done\" after the shuffle" done_shown
    find_window $game_w $game_h
    focus
    # shellcheck disable=SC2086
    xdotool key --delay 15 $solution
    wait_for 30 "the last key completes the picture" completion_shown
    focus
    # Four letters and ten emoji as X key events: the name keeps its first 13 characters whole.
    xdotool type --delay 60 "Keys😀😁😂🤣😃😄😅😆😇😈"
    xdotool key Return
    wait_for 30 "Enter closes the dialog: a new menu" \
        eval '! completion_shown && no_window $game_w $game_h && find_window $menu_w $menu_h'
    local records
    records=$(tr -d '\r' <"$work/game/Config/Kelset.dll")
    grep -qx "CLI1=$count" <<<"$records" || fail "the record is not in the file: $records"
    grep -qx "NAMCL=Keys😀😁😂🤣😃😄😅😆😇" <<<"$records" || fail "the name is not in the file: $records"
    say "ok: the record of $count clicks is saved with its name"
    focus
    xdotool key Escape
    wait_for 30 "Escape: the records window" find_window $records_w $records_h
    focus
    xdotool key Return
    ended_with 0
}

hint() {
    [ -x "${ZANTHO_SOLVER:-}" ] || fail "ZANTHO_SOLVER does not name the solver"
    local seed=20261209 fewest before box
    fewest=$("$ZANTHO_SOLVER" $seed 1 shortest)
    cp -a "$program_dir" "$work/game"
    printf '[EA]\r\nNAMCL=Ann\r\nCLI1=900\r\nTIE1=9000\r\n' >"$work/game/Config/Kelset.dll" # beaten but for the hint
    before=$(md5sum <"$work/game/Config/Kelset.dll")
    ZANTHO_SEED=$seed start_program "$work/game"
    wait_for 90 "the menu is shown" find_window $menu_w $menu_h
    focus && xdotool key Return
    wait_for 90 "Enter: the game window" find_window $game_w $game_h
    GX=$WX GY=$WY
    wait_for 60 "the shuffle runs" shuffling
    wait_for 90 "\"Done\" after the shuffle" done_shown
    focus && shot && crop $((GX + 24)) $((GY + 64)) 385 289 shuffled
    xdotool key h # it may wait for the solver; the others follow its path at once
    wait_for 30 "the first hint slides a tile" eval 'shot && crop $((GX + 24)) $((GY + 64)) 385 289 now && ! same_picture now shuffled'
    # shellcheck disable=SC2046
    xdotool key --delay 40 $(yes h | head -n $((fewest - 2))) && sleep 1
    ! completion_shown || fail "the picture was whole before $fewest hints"
    xdotool key h
    wait_for 30 "hint $fewest completes the picture; the fewest clicks shown" find_window 358 113
    shot && mkdir -p "$artifacts" && cp "$work/shot.png" "$artifacts/hint-completed.png"
    # The shortest number stands right under the clicks: the same yellow pixels, if the same.
    yellow() { convert "$work/shot.png" -crop "57x17+$((WX + 176))+$((WY + $1))" +repage \
        -fx '(r>0.6 && g>0.6 && b<0.4) ? 1 : 0' -crop "$2" +repage "$work/$3.png"; }
    yellow 32 57x17+0+0 clicks && box=$(convert "$work/clicks.png" -format '%@' info:)
    [ "${box%%x*}" -gt 3 ] || fail "no clicks shown ($box)"
    yellow 32 "$box" clicks && yellow 88 "$box" fewest
    same_picture clicks fewest || fail "the clicks and the shortest number shown differ"
    focus && xdotool key Return # "Close", which saves what a game sets
    wait_for 30 "Enter: a new menu" eval '! completion_shown && find_window $menu_w $menu_h'
    [ "$(md5sum <"$work/game/Config/Kelset.dll")" = "$before" ] && [ "$(ls -A "$work/game/Config")" = Kelset.dll ] ||
        fail "the records file changed: $(ls -A "$work/game/Config")"
    say "ok: $fewest clicks, as shown; the records file byte for byte as it was"
}

# shows <x> <y> <r,g,b>: a new screenshot has about that colour there (60 a channel).
shows() {
    shot
    local seen want i
    IFS=, read -r -a seen <<<"$(pixel "$1" "$2")"
    IFS=, read -r -a want <<<"$3"
    for i in 0 1 2; do [ $((seen[i] - want[i])) -le 60 ] && [ $((want[i] - seen[i])) -le 60 ] || return 1; done
}
file_dialog() { BOX=$(xdotool search --onlyvisible --name '^Add pictures$' 2>/dev/null | head -1) && [ -n "$BOX" ]; }

own_pictures() {
    [ -x "${ZANTHO_DRAG_SOURCE:-}" ] || fail "ZANTHO_DRAG_SOURCE does not name the drag source"
    local folder=$work/xdg/zantho-puzzle/Pictures mine=$work/mine
    mkdir -p "$folder" "$mine"
    # Upright, red above blue; the camera stored it a quarter turn back and says so in EXIF.
    convert -size 300x400 xc:blue -fill red -draw 'rectangle 0,0 299,199' -rotate -90 "$folder/photo.jpg"
    exiftool -q -overwrite_original -n -Orientation=6 "$folder/photo.jpg"
    convert -size 400x300 xc:orange "$folder/orange.png"
    convert -size 400x300 xc:lime "$mine/added.png"
    convert -size 400x300 xc:yellow "$mine/dropped.png"
    cp -a "$program_dir" "$work/game"
    XDG_DATA_HOME=$work/xdg start_program "$work/game"
    wait_for 90 "the menu is shown" menu_is_shaped
    local mx=$WX my=$WY menu=$WIN
    "$ZANTHO_DRAG_SOURCE" "$mine/dropped.png" &
    wait_for 30 "a window to drag from" eval 'xdotool search --onlyvisible --name "^drag source$"'
    xdotool mousemove 960 760 mousedown 1
    for i in $(seq 1 12); do xdotool mousemove $((960 - i * 30)) $((760 - i * 20)) sleep 0.05; done
    xdotool mousemove $((mx + 180)) $((my + 120)) sleep 0.3 mousemove $((mx + 170)) $((my + 115)) sleep 0.3 mouseup 1
    wait_for 30 "the dropped file is copied and shown" \
        eval 'cmp -s "$folder/dropped.png" "$mine/dropped.png" && shows $((mx + 130)) $((my + 122)) 255,255,0'
    kill $!
    WIN=$menu && focus && xdotool key ctrl+o
    wait_for 30 "Ctrl+O: the file dialog" file_dialog
    xdotool windowfocus "$BOX" type --delay 20 "$mine/added.png"
    xdotool key Return
    wait_for 30 "the chosen file is copied and shown" eval '! file_dialog && shows $((mx + 130)) $((my + 122)) 0,255,0'
    click $((mx + 201)) $((my + 32)) # the control beside "Select a picture :"
    wait_for 30 "the control: the file dialog" file_dialog
    xdotool windowfocus "$BOX" key Escape
    wait_for 30 "Escape: nothing added" eval '! file_dialog && [ "$(ls "$folder" | wc -l)" -eq 4 ]'
    WIN=$menu && focus && xdotool key Delete
    wait_for 30 "Delete: the question" question_shown
    answer Return
    wait_for 30 "OK: the copy is gone, the next shown" \
        eval '[ ! -e "$folder/added.png" ] && [ -f "$mine/added.png" ] && shows $((mx + 130)) $((my + 122)) 255,255,0'
    WIN=$menu && focus && xdotool key Right Right Return # dropped, orange, photo: Play
    wait_for 90 "Play: the game window" find_window $game_w $game_h
    # Red above blue in the Hard board's whole picture, where the Normal one has none.
    wait_for 30 "the photo stands upright on the Hard board" \
        eval 'shows $((WX + 542)) $((WY + 45)) 255,0,0 && shows $((WX + 542)) $((WY + 270)) 0,0,255'
    mkdir -p "$artifacts" && cp "$work/shot.png" "$artifacts/own-pictures-game.png"
}

case $scenario in
round) round ;;
help-exit) help_exit ;;
records-shown) records_shown ;;
missing-data) missing_data ;;
wm-close) wm_close ;;
sigterm) sigterm ;;
keys) keys ;;
hint) hint ;;
own-pictures) own_pictures ;;
*) echo "unknown scenario $scenario" >&2; exit 2 ;;
esac
