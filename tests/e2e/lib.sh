# The end-to-end suite's toolbox: an X server of its own with a window
# manager, the program started from a copy of its folder, and a player's
# hands (xdotool) and eyes (window titles and geometry, screenshots, the
# bytes of sajat.txt, and the clipboard after Ctrl+C).
#
# Sourced by scenario.sh with BUILD (the build tree) and SCENARIO set.

set -u
MAIN_PID=$$
WORK=$(mktemp -d /tmp/morvalin-e2e.XXXXXX)
ART="$BUILD/tests/e2e-artifacts"
mkdir -p "$ART"
PROG="$WORK/prog"
APP_PID=""
XVFB_PID=""
WM_PID=""
SCREEN_W=1280
SCREEN_H=1024
export QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME
# The suite's own tools read and match UTF-8 whatever the caller's locale;
# the game itself is started in the bare POSIX locale (launch).
export LC_ALL=C.UTF-8

log() { echo "[$SCENARIO] $*"; }

# The X clients, each bounded in time: a client stuck on a busy server must
# fail the scenario, not hang it until CTest kills everything.
bounded() {
    local rc=0
    timeout 20 "$@" || rc=$?
    [ "$rc" -eq 124 ] && echo "[$SCENARIO] '$*' did not return within 20 s" >&2
    return "$rc"
}
xdotool() { bounded xdotool "$@"; }
xwininfo() { bounded xwininfo "$@"; }
xprop() { bounded xprop "$@"; }
xclip() { bounded xclip "$@"; }
import() { bounded import "$@"; }

visible_windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        echo "  $id '$(xdotool getwindowname "$id" 2>/dev/null)' $(client_geometry "$id" 2>/dev/null)"
    done
}

# fail WHAT: reports on stderr (stdout may be a $(...) capture) and ends
# the scenario, also from inside a $(...) subshell.
fail() {
    local shot="$ART/$SCENARIO-failure.png"
    {
        import -window root "$shot" 2>/dev/null
        echo "[$SCENARIO] FAILED: $*"
        echo "[$SCENARIO] screenshot: $shot"
        echo "[$SCENARIO] windows on screen:"
        visible_windows
        if [ -s "$WORK/app.log" ]; then
            echo "[$SCENARIO] program output:"
            sed 's/^/  /' "$WORK/app.log"
        fi
    } >&2
    [ "$BASHPID" != "$MAIN_PID" ] && kill -TERM "$MAIN_PID"
    exit 1
}

cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' TERM

# wait_until SECONDS WHAT COMMAND...: polls until COMMAND succeeds.
wait_until() {
    local limit=$1 what=$2
    shift 2
    local end=$((SECONDS + limit))
    until "$@"; do
        [ "$SECONDS" -ge "$end" ] && fail "timed out after ${limit}s waiting for $what"
        sleep 0.05
    done
}

start_x() {
    Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
    XVFB_PID=$!
    wait_until 10 "the X server" test -s "$WORK/display"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    # A window manager, so that maximising really happens.
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    wait_until 10 "the window manager" wm_running
    # A Hungarian keyboard: xdotool then finds every Hungarian letter on a
    # key of its own instead of remapping a spare key for each one, which
    # a busy program may read after the mapping has changed back.
    setxkbmap -layout hu || fail "no Hungarian keyboard layout"
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }

# launch: copies the program folder and starts the program from it.
launch() {
    mkdir -p "$PROG"
    cp "$BUILD/morvalin" "$BUILD"/hires.txt "$BUILD"/hand.cur "$BUILD"/splash*.gif "$PROG/"
    (cd "$PROG" && exec env -u LC_ALL -u LC_CTYPE -u LANG -u LANGUAGE ./morvalin) >"$WORK/app.log" 2>&1 &
    APP_PID=$!
}

# find_window NAME: the visible window whose title is exactly NAME.
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
window_shown() { [ -n "$(find_window "$1")" ]; }
window_gone() { [ -z "$(find_window "$1")" ]; }

# wait_window NAME: waits for the window and prints its id.
wait_window() {
    wait_until 15 "the window '$1'" window_shown "$1"
    find_window "$1"
}

# client_geometry ID: "X Y W H" of the client area, absolute.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}

# click ID X Y: a click at a point of the window's client area. (No
# --sync: it waits for the pointer to move, forever when it is there.)
click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.1
}

# drag ID X1 Y1 X2 Y2: press, move in small steps, release, as a hand does.
drag() {
    local id=$1 x1=$2 y1=$3 x2=$4 y2=$5 i
    xdotool mousemove --window "$id" "$x1" "$y1"
    sleep 0.05
    xdotool mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        xdotool mousemove --window "$id" $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10))
        sleep 0.03
    done
    sleep 0.1
    xdotool mouseup 1
    sleep 0.2
}

# focus ID: activates the window and waits until the window manager says so.
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
focus() {
    xdotool windowactivate "$1" >/dev/null 2>&1
    wait_until 5 "window $1 to become active" is_active "$1"
}

type_text() { xdotool type --delay 40 "$1"; }

key() { xdotool key "$@"; }

# snap: a screenshot of the whole screen to $WORK/now.png.
snap() { import -window root "$WORK/now.png"; }

# pixel X Y: "R,G,B" of the last screenshot at an absolute point.
pixel() {
    convert "$WORK/now.png" -crop "1x1+$1+$2" +repage -depth 8 txt:- | tail -n1 | sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# crop X Y W H OUT: a part of the last screenshot.
crop() { convert "$WORK/now.png" -crop "$3x$4+$1+$2" +repage "$5"; }

same_image() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }

# copied_text ID X Y: clicks into the text box at X Y of window ID, selects
# all and copies it, as a player would, then prints the clipboard. A marker
# put on the clipboard first tells when the copy has arrived.
ClipMarker="e2e: nothing copied yet"
clipboard() { xclip -selection clipboard -o 2>/dev/null; }
clipboard_filled() { [ "$(clipboard)" != "$ClipMarker" ]; }
copied_text() {
    printf '%s' "$ClipMarker" | xclip -selection clipboard -i
    focus "$1"
    click "$1" "$2" "$3"
    key ctrl+a ctrl+c
    wait_until 5 "the copied text" clipboard_filled
    clipboard
}

# expect_exit_status N: the program ends within 10 s, with status N.
expect_exit_status() {
    local status=0 end=$((SECONDS + 10))
    while kill -0 "$APP_PID" 2>/dev/null; do
        [ "$SECONDS" -ge "$end" ] && fail "the program did not end"
        sleep 0.05
    done
    wait "$APP_PID" || status=$?
    APP_PID=""
    expect_eq "$status" "$1" "exit status"
}

expect_eq() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', saw '$1'"
}

# Board geometry, in pixels of its client area (15 twips a pixel).
slot_x() { echo $((16 + 33 * $1 + 16)); }    # middle of the tile in slot k
UPPER_Y=80                                    # middle of the upper row
LOWER_Y=184                                   # middle of the lower row
UPPER_TILE="255,255,224"
LOWER_TILE="255,128,128"
BOARD_BLUE="104,136,224"

# board_pixel ID X Y: the colour at a point of the board's client area,
# from a fresh screenshot.
board_pixel() {
    local g
    g=($(client_geometry "$1"))
    snap
    pixel $((g[0] + $2)) $((g[1] + $3))
}

# skip_splash: starts the program and clicks the start-up picture away.
splash_window() { xdotool search --onlyvisible --class morvalin 2>/dev/null | head -n1; }
splash_shown() { [ -n "$(splash_window)" ]; }
window_unmapped() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

skip_splash() {
    launch
    wait_until 15 "the start-up picture" splash_shown
    local splash
    splash=$(splash_window)
    click "$splash" 100 100
    wait_window "Betöltés" >/dev/null
}

# start_game TEXT: types TEXT into the entry window and presses "Mehet".
start_game() {
    local entry
    entry=$(wait_window "Betöltés")
    focus "$entry"
    click "$entry" 140 50      # the text box
    key ctrl+a BackSpace
    type_text "$1"
    expect_eq "$(copied_text "$entry" 140 50)" "$1" "the text typed into the entry window"
    click "$entry" 240 92      # "Mehet"
    wait_window "Morvalin"
}

# expect_centred ID WHAT: the window's frame (from _NET_FRAME_EXTENTS) has
# its centre within 2 px of the screen's.
expect_centred() {
    local g e fx fy
    g=($(client_geometry "$1"))
    e=($(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ','))
    [ "${#e[@]}" -eq 4 ] || fail "$2: no frame extents"
    # Twice the frame's centre, so that halves stay whole.
    fx=$((2 * (g[0] - e[0]) + g[2] + e[0] + e[1]))
    fy=$((2 * (g[1] - e[2]) + g[3] + e[2] + e[3]))
    log "$2: client ${g[*]}, frame extents ${e[*]}"
    [ $((fx - SCREEN_W)) -ge -4 ] && [ $((fx - SCREEN_W)) -le 4 ] || fail "$2 not centred across: twice its centre is $fx"
    [ $((fy - SCREEN_H)) -ge -4 ] && [ $((fy - SCREEN_H)) -le 4 ] || fail "$2 not centred down: twice its centre is $fy"
}

# cp1250 TEXT: the bytes of TEXT in the list files' code page.
cp1250() { printf '%b' "$1" | iconv -f UTF-8 -t CP1250; }
