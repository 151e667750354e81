# SPDX-License-Identifier: GPL-3.0-or-later
# The end-to-end toolbox, sourced by scenario.sh with BUILD and SCENARIO set: an X server with a
# window manager, the program, a player's hands (xdotool) and eyes (titles, frames, pixels, clipboard).
set -u
MAIN_PID=$$ WORK=$(mktemp -d /tmp/morvalin-e2e.XXXXXX) ART="$BUILD/tests/e2e-artifacts"
PROG="$WORK/prog" APP_PID="" XVFB_PID="" WM_PID="" BUS_PID="" SCREEN_W=1280 SCREEN_H=1024
mkdir -p "$ART"
unset QT_QPA_PLATFORMTHEME
# The suite's tools match UTF-8 whatever the caller's locale (the game runs in POSIX's).
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
log() { echo "[$SCENARIO] $*"; }

# The X clients, each bounded in time: a client stuck on a busy server must
# fail the scenario, not hang it until CTest kills everything.
bounded() { timeout 20 "$@"; local rc=$?; [ $rc -ne 124 ] || echo "[$SCENARIO] '$*' hung for 20 s" >&2; return $rc; }
for tool in xdotool xwininfo xprop xclip import; do eval "$tool() { bounded $tool \"\$@\"; }"; done

# fail WHAT: reports on stderr (stdout may be a $(...) capture) and ends the scenario, also
# from inside a $(...) subshell; the marker quiets the subshells a nested failure leaves.
fail() {
    [ -e "$WORK/failed" ] && exit 1 || touch "$WORK/failed"
    import -window root "$ART/$SCENARIO-failure.png" 2>/dev/null
    {
        echo "[$SCENARIO] FAILED: $*; screenshot in $ART/$SCENARIO-failure.png; windows, program output:"
        xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r id; do
            echo "  $id $(xprop -id "$id" -notype WM_NAME 2>/dev/null) $(client_geometry "$id" 2>/dev/null)"
        done
        sed 's/^/  | /' "$WORK/app.log" 2>/dev/null
        sed 's/^/  openbox: /' "$WORK/openbox.log" 2>/dev/null
    } >&2
    [ "$BASHPID" != "$MAIN_PID" ] && kill -TERM "$MAIN_PID"
    exit 1
}
cleanup() {
    kill $APP_PID $WM_PID $XVFB_PID $BUS_PID $(cat "$WORK"/run/speech-dispatcher/pid/*.pid 2>/dev/null) 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' TERM

# wait_until SECONDS WHAT COMMAND...: polls until COMMAND succeeds.
wait_until() {
    local end=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do [ "$SECONDS" -lt "$end" ] && [ ! -e "$WORK/failed" ] || fail "timed out waiting for $what"; sleep 0.05; done
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
start_wm() { openbox --sm-disable >>"$WORK/openbox.log" 2>&1 & WM_PID=$!; }
# On a loaded machine openbox once took more than 10 s to take the screen, or never did:
# it is given longer, and started again should it have ended.
wm_up() { wm_running && return 0; kill -0 "$WM_PID" 2>/dev/null || start_wm; return 1; }
start_x() {
    Xvfb -displayfd 3 -screen 0 ${SCREEN_W}x${SCREEN_H}x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" & XVFB_PID=$!
    wait_until 10 "the X server" test -s "$WORK/display"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    start_wm
    wait_until 20 "the window manager" wm_up
    # Hungarian letters on keys of their own: a spare key xdotool remaps may be read too late.
    setxkbmap -layout hu || fail "no Hungarian keyboard layout"
}

# private_session_bus: a D-Bus session of the scenario's own, with the
# accessibility bus started on it (Qt looks for it, it does not start it).
private_session_bus() {
    DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$WORK/bus.pid") ||
        fail "no D-Bus session"
    export DBUS_SESSION_BUS_ADDRESS
    BUS_PID=$(cat "$WORK/bus.pid")
    bounded dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
        fail "no accessibility bus"
}

# speaking_home: what Orca needs to speak Hungarian on a machine without a sound card: a
# home of its own whose speech-dispatcher writes to ALSA's null device (its stock set-up
# hangs there and Orca goes mute), and the Hungarian locale built into the scenario's folder.
speaking_home() {
    mkdir -p "$WORK/home/.config/speech-dispatcher" "$WORK/orca-prefs" "$WORK/locale"
    mkdir -m 700 -p "$WORK/run"
    printf '%s\n' 'AudioOutputMethod "alsa"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
        'DefaultModule espeak-ng' 'DefaultLanguage "hu"' >"$WORK/home/.config/speech-dispatcher/speechd.conf"
    echo 'pcm.!default { type null }' >"$WORK/home/.asoundrc"
    localedef -i hu_HU -f UTF-8 "$WORK/locale/hu_HU.UTF-8" 2>/dev/null || fail "cannot build the hu_HU.UTF-8 locale"
}

# find_window/shown/gone NAME: the visible window titled exactly NAME.
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
shown() { [ -n "$(find_window "$1")" ]; }
gone() { ! shown "$1"; }
wait_window() { wait_until 15 "the window '$1'" shown "$1"; find_window "$1"; }

# launch BINARY: starts the program as on a bare machine, with no locale
# set, and clicks its start-up picture (the first window of its class) away.
splash() { xdotool search --onlyvisible --class morvalin 2>/dev/null | head -n1 | grep .; }
launch() {
    (cd "$WORK" && exec env -u LC_ALL -u LC_CTYPE -u LANG -u LANGUAGE "$1") >"$WORK/app.log" 2>&1 & APP_PID=$!
    wait_until 15 "the start-up picture" splash >/dev/null
    click "$(splash)" 100 100
}
# portable: starts a copy of the build's program folder.
portable() {
    mkdir -p "$PROG"
    cp "$BUILD/morvalin" "$BUILD"/hires.txt "$BUILD"/szavak.txt "$BUILD"/hand.cur "$BUILD"/splash*.gif "$PROG/"
    launch "$PROG/morvalin"
}

# client_geometry ID: "X Y W H" of the client area, absolute.
client_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}
# click ID X Y: in the client area (no --sync: it hangs when the pointer is there already).
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.1; }
# drag ID X1 Y1 X2 Y2: press, move in small steps, release, as a hand does.
drag() {
    local i steps=(mousemove --window "$1" "$2" "$3" sleep 0.05 mousedown 1)
    for i in {1..10}; do steps+=(mousemove --window "$1" $(($2 + ($4 - $2) * i / 10)) $(($3 + ($5 - $3) * i / 10)) sleep 0.03); done
    xdotool "${steps[@]}" sleep 0.1 mouseup 1 sleep 0.2
}
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
focus() { xdotool windowactivate "$1" >/dev/null 2>&1; wait_until 5 "window $1 to become active" is_active "$1"; }

# snap: a screenshot; pixel X Y: its "R,G,B" at a point; crop X Y W H OUT: a part.
snap() { import -window root "$WORK/now.png"; }
pixel() { convert "$WORK/now.png" -crop "1x1+$1+$2" -depth 8 txt:- | sed -nE 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/p'; }
crop() { convert "$WORK/now.png" -crop "$3x$4+$1+$2" +repage "$5"; }

# copied_text ID X Y: what Ctrl+A Ctrl+C in the text box at X Y copies; a
# marker put on the clipboard first tells when the copy has arrived.
ClipMarker="e2e: nothing copied yet"
clipboard_filled() { [ "$(xclip -selection clipboard -o 2>/dev/null)" != "$ClipMarker" ]; }
copied_text() {
    printf '%s' "$ClipMarker" | xclip -selection clipboard -i
    focus "$1"
    xdotool mousemove --window "$1" "$2" "$3" click 1 sleep 0.1 key ctrl+a ctrl+c
    wait_until 5 "the copied text" clipboard_filled
    xclip -selection clipboard -o
}

expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', saw '$1'"; }
# expect_exit_status N: the program ends within 10 s, with status N.
app_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }
expect_exit_status() {
    wait_until 10 "the program to end" app_ended
    wait "$APP_PID"
    local status=$? && APP_PID=""
    expect_eq "$status" "$1" "exit status"
}
# expect_list FILE TEXT: FILE holds exactly TEXT in Windows-1250.
hex() { od -An -tx1 | tr -d ' \n'; }
expect_list() { expect_eq "$(hex <"$1")" "$(printf '%b' "$2" | iconv -f UTF-8 -t CP1250 | hex)" "the bytes of $1"; }

# expect_centred ID WHAT: the frame (_NET_FRAME_EXTENTS) centred within 2 px; doubled, so halves stay whole.
centred() {
    local g e dx dy
    g=($(client_geometry "$1"))
    e=($(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ','))
    [ "${#e[@]}" -eq 4 ] || return 1
    dx=$((2 * (g[0] - e[0]) + g[2] + e[0] + e[1] - SCREEN_W))
    dy=$((2 * (g[1] - e[2]) + g[3] + e[2] + e[3] - SCREEN_H))
    [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ]
}
expect_centred() { wait_until 3 "$2 to be centred in its frame" centred "$1"; log "$2 centred"; }

# Board geometry, in pixels of its client area (15 twips a pixel).
slot_x() { echo $((32 + 33 * $1)); }          # middle of the tile in slot k
UPPER_Y=80 LOWER_Y=184                        # middle of the upper and lower row

# start_game TEXT: types TEXT, checks by copying it back that every letter
# arrived, presses "Mehet" and prints the board's id.
start_game() {
    local entry
    entry=$(wait_window "Betöltés")
    focus "$entry"                                   # then into the text box:
    xdotool mousemove --window "$entry" 140 50 click 1 sleep 0.1 key ctrl+a BackSpace type --delay 40 "$1"
    expect_eq "$(copied_text "$entry" 140 50)" "$1" "the text typed into the entry window"
    click "$entry" 240 92                            # "Mehet"
    wait_window "Morvalin"
}

# add_built ID FROM TO: moves the tiles of upper slots FROM..TO straight down
# and adds the built expression to the own list.
add_built() {
    local k
    for ((k = $2; k <= $3; k++)); do drag "$1" "$(slot_x $k)" "$UPPER_Y" "$(slot_x $k)" "$LOWER_Y"; done
    click "$1" 428 268                               # "Szójegyzékbe felvesz"
    click "$(wait_window "Felvétel a szójegyzékbe")" 164 79   # "Mehet", the built one
    wait_until 5 "the vocabulary window to close" gone "Felvétel a szójegyzékbe"
}
