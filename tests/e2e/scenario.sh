#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scenario.sh BUILD_DIR NAME: one scenario on a fresh X server, checking what only a real
# X server with a window manager shows (the game's rules are the offscreen suites' business).
BUILD=$(cd "$1" && pwd)
SCENARIO=$2
. "$(dirname "$0")/lib.sh"

# A portable copy: the title a window list reads, frames centred, Hungarian letters typed,
# real drags taken and refused, the own list beside the binary; the board closed from its
# frame with the permutator open, whose "Bezárás" then ends the program.
scenario_play() {
    portable
    local entry board perm g before="$WORK/before.png" after="$WORK/after.png"
    entry=$(wait_window "Bet.*")                     # any reading of its title; then WM_NAME's
    expect_eq "$(xprop -id "$entry" -notype WM_NAME)" 'WM_NAME = "Betöltés"' "WM_NAME"
    expect_centred "$entry" "the entry window"
    board=$(start_game "Szép idő")
    expect_centred "$board" "the board"
    drag "$board" "$(slot_x 0)" "$UPPER_Y" "$(slot_x 0)" "$LOWER_Y"
    g=($(client_geometry "$board"))
    snap
    expect_eq "$(pixel $((g[0] + $(slot_x 0))) $((g[1] + LOWER_Y + 12)))" "255,128,128" "a lower tile in slot 0"
    expect_eq "$(pixel $((g[0] + $(slot_x 0))) $((g[1] + UPPER_Y + 12)))" "104,136,224" "the board's blue in upper slot 0"
    # Z dropped on the taken slot: the board, less its ticking clock, stays.
    crop "${g[0]}" $((g[1] + 50)) "${g[2]}" $((g[3] - 50)) "$before"
    drag "$board" "$(slot_x 1)" "$UPPER_Y" "$(slot_x 0)" "$LOWER_Y"
    snap && crop "${g[0]}" $((g[1] + 50)) "${g[2]}" $((g[3] - 50)) "$after"
    [ "$(compare -metric AE "$before" "$after" null: 2>&1)" = 0 ] || fail "a refused drop changed the board"
    add_built "$board" 1 6
    expect_list "$PROG/sajat.txt" 'SZÉPIDŐ                        \r\n'
    click "$board" 280 268                           # "Permutátor"
    perm=$(wait_window "Permutátor")
    focus "$board"
    xdotool key alt+F4                               # the window manager's close
    wait_until 5 "the board to close" gone "Morvalin"
    app_ended && fail "the program ended with the permutator still open"
    click "$perm" 40 276                             # "Bezárás"
    expect_exit_status 0
}

maximised() { local g; g=($(client_geometry "$1")); [ "${g[2]:-0}" -ge $((SCREEN_W - 4)) ] && [ "${g[3]:-0}" -ge $((SCREEN_H - 60)) ]; }
only_one_window() { [ "$(xdotool search --onlyvisible --name . | wc -l)" -eq 1 ]; }

# An 18-letter text maximises the board; its clock and buttons move to the edges and work
# there. "Kilépés" leaves only the about window, whose "OK" ends the program.
scenario_maximise() {
    portable
    local board g about
    board=$(start_game "KOSZTOLÁNYI Dezsőné")
    wait_until 10 "the board to be maximised" maximised "$board"
    g=($(client_geometry "$board"))
    snap
    expect_eq "$(pixel $((g[0] + g[2] - 1400 / 15 + 30)) $((g[1] + 20)))" "192,192,0" "clock at the right edge"
    # The buttons stand 100 px above the bottom; "Permutátor" in the middle.
    click "$board" $((g[2] / 2)) $((g[3] - 88))
    expect_centred "$(wait_window "Permutátor")" "the permutator"
    click "$board" $((g[2] - 1250 / 15 + 36)) $((g[3] - 88))  # "Kilépés", at the right edge
    about=$(wait_window "Morvalin-program")
    wait_until 5 "the other windows to close" only_one_window
    expect_centred "$about" "the about window"
    click "$about" 324 236                           # "OK"
    expect_exit_status 0
}

# An installed copy keeps the own list in the player's data folder and
# writes nothing into the install.
scenario_installed() {
    local root="$WORK/root" board
    DESTDIR="$root" cmake --install "$BUILD" --prefix /usr >/dev/null || fail "cmake --install"
    (cd "$root" && find . | sort) >"$WORK/before"
    export HOME="$WORK/home" XDG_DATA_HOME="$WORK/data"
    launch "$root/usr/bin/morvalin"
    board=$(start_game "alma")
    add_built "$board" 0 3
    expect_list "$XDG_DATA_HOME/morvalin/sajat.txt" 'ALMA                           \r\n'
    (cd "$root" && find . | sort) >"$WORK/after"
    cmp -s "$WORK/before" "$WORK/after" || fail "the install tree changed: $(diff "$WORK/before" "$WORK/after" | head -3)"
}

# A game played from the keyboard alone once the start-up picture is gone: the text typed
# and "Mehet" reached with Tab; a tile lifted, its marker moved and the tile put down;
# letters typed and one taken back with BackSpace.
scenario_keyboard() {
    portable
    local entry board g colours="" k
    entry=$(wait_window "Betöltés")
    focus "$entry"
    xdotool type --delay 40 "alma" && xdotool key Tab space
    board=$(wait_window "Morvalin")
    focus "$board"
    xdotool key space Down
    g=($(client_geometry "$board"))
    snap
    [ "$(pixel $((g[0] + 14)) $((g[1] + LOWER_Y)))" != "104,136,224" ] || fail "no target marker round lower slot 0"
    xdotool key --delay 60 Right Right Return l m a BackSpace
    sleep 0.3 && snap
    for k in 0 1 2 3; do colours+="$(pixel $((g[0] + $(slot_x $k))) $((g[1] + UPPER_Y + 12)))/"; done
    for k in 0 1 2 3; do colours+="$(pixel $((g[0] + $(slot_x $k))) $((g[1] + LOWER_Y + 12)))/"; done
    # A back in upper slot 0; L, M, A in lower slots 0 to 2.
    expect_eq "$colours" "255,255,224/104,136,224/104,136,224/104,136,224/255,128,128/255,128,128/255,128,128/104,136,224/" \
        "the rows' colours, upper then lower slots 0 to 3"
    cp "$WORK/now.png" "$ART/keyboard.png"
}

# The same board through AT-SPI, as a screen reader reads it: windows as frames with their
# captions, the rows holding their tiles with letter and place and reading as text, a typed
# move told as a tile leaving one row for the other and the focus, and a clock that stays
# quiet while it ticks.
scenario_screenreader() {
    local entry board seen
    private_session_bus
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    portable
    entry=$(wait_window "Betöltés")
    focus "$entry"
    xdotool type --delay 40 "alma" && xdotool key Tab space
    board=$(wait_window "Morvalin")
    focus "$board"
    xdotool key --delay 60 space Down Right Return
    sleep 1.2                                        # the clock shows its first time
    seen=$(timeout 30 /usr/bin/python3 "$(dirname "$0")/atspi.py") || fail "reading the board through AT-SPI"
    echo "$seen" >"$ART/screenreader.txt"
    expect_eq "$(echo "$seen" | grep -c "^  frame 'Morvalin'$\|^    text 'Írd be a kiindulási szöveget!' text 'alma'$")" 2 \
        "the board as a frame, the entry's text box named by its label"
    expect_eq "$(echo "$seen" | sed -n "/^    panel 'Induló kifejezés'/,/^    label/p" | tr -s ' ' | tr '\n' '|')" \
        " panel 'Induló kifejezés' text ' LMA'| push button 'L' (felső sor, 2. hely)| push button 'M' (felső sor, 3. hely)| push button 'A' (felső sor, 4. hely)| label 'Kész kifejezés:'|" \
        "the upper row"
    echo "$seen" | grep -q "^    panel 'Kész kifejezés' text ' A'$" || fail "the lower row not read as ' A': $seen"
    echo "$seen" | grep -q "^    label 'Játékidő 00 : [0-9][0-9]' (Játékidő) text 'Játékidő 00 : [0-9][0-9]'$" || fail "no clock named with its time: $seen"
    expect_eq "$(echo "$seen" | sed -n 's/^quiet: //p')" "" "events while only the clock ticks"
    expect_eq "$(echo "$seen" | sed -n 's/^typed: //p')" \
        "object:children-changed:add panel 'Kész kifejezés' M; object:children-changed:remove panel 'Induló kifejezés' M; object:state-changed:focused push button 'M'" \
        "what typing m told"
}

# Orca itself, speaking Hungarian without a sound card, follows a keyboard game of "alma":
# the focus on a tile, a lift, target moves, a put-down, a letter with no tile, Backspace,
# a refused put-down and Esc, each said once. Then the finder, opened with Ctrl+F on the
# upper row's letters: every control in Tab order, each read with its label (the empty
# must-contain box too, and the letters whole), an anagram reached and laid out with Enter.
# The game starts once Orca listens, as on a player's desktop; its first key, "Mehet" in
# the entry window, brings the board. Each key waits for Orca to be done with the last
# one, however busy the machine; the first also for Orca to have taken in the entry
# window up to the focus on "Mehet", the lists for the finder's search to be done.
scenario_orca() {
    local entry heard said orca
    private_session_bus
    speaking_home
    cat >"$WORK/walk" <<'WALK'
% Dequeued focus: [push button | Mehet]
space: Morvalin keret. Induló kifejezés panel. A gomb. felső sor, 1. hely.
Right: L gomb. felső sor, 2. hely.
Right: M gomb. felső sor, 3. hely.
space: M felemelve, cél: felső sor, 3. hely.
Down: Kész kifejezés panel. alsó sor, 3. hely, szabad.
space: M gomb. alsó sor, 3. hely.
m: értesítés Nincs M betű a felső sorban.
BackSpace: Induló kifejezés panel. M gomb. felső sor, 3. hely.
space: M felemelve, cél: felső sor, 3. hely.
Left: felső sor, 2. hely, foglalt: L.
space: értesítés Foglalt hely, M felemelve marad.
Escape: M gomb. felső sor, 3. hely.
ctrl+f: Anagrammakereső keret. Betűk: szerkesztőmező. ALMA.
Tab: Tartalmazza: szerkesztőmező.
Tab: Legfeljebb szó: 3 léptetőgomb.
Tab: Legalább betű: 1 léptetőgomb.
Tab: A kiinduló szavak is jelölőnégyzet nincs bejelölve. …
space: bejelölve
% [list | Anagrammák, 2]
Tab: Durva szavak is jelölőnégyzet nincs bejelölve. …
Tab: Ritka és idegen szavak is jelölőnégyzet nincs bejelölve. …
Tab: Betűk egyezése panel. Betűk egyezése. pontosan. kiválasztott választógomb
Right: Betűk egyezése. hosszú = rövid. kiválasztott választógomb
Left: Betűk egyezése. pontosan. kiválasztott választógomb
Tab: Szavak, 4. 4 elemű lista.
Tab: Anagrammák, 2. 2 elemű lista.
Tab: Bezárás gomb.
shift+Tab: Anagrammák, 2. 2 elemű lista.
Down: la ma.
Return: értesítés Lerakva: la ma.
WALK
    env HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run" LOCPATH="$WORK/locale" LANG=hu_HU.UTF-8 LC_ALL=hu_HU.UTF-8 \
        timeout 150 /usr/bin/python3 "$(dirname "$0")/orca.py" "$WORK/orca-prefs" "$WORK/orca-ready" "$WORK/orca-go" \
        "$WORK/orca.log" "$WORK/walk" >"$WORK/heard" 2>&1 & orca=$!
    wait_until 90 "Orca to listen" test -e "$WORK/orca-ready"
    portable
    entry=$(wait_window "Betöltés")
    focus "$entry"
    xdotool type --delay 40 "alma" && xdotool key Tab
    touch "$WORK/orca-go"
    wait "$orca" || { cp "$WORK/orca.log" "$ART/orca-debug.log"; fail "running Orca: $(cat "$WORK/heard")"; }
    heard=$(cat "$WORK/heard") said=$(grep -v '^% ' "$WORK/walk")
    echo "$heard" >"$ART/orca.txt"
    # Orca's own account of each event, for finding out why it said what it said.
    [ "$heard" = "$said" ] || cp "$WORK/orca.log" "$ART/orca-debug.log"
    expect_eq "$heard" "$said" "what Orca said, key by key"
}

# The anagram finder on a real board: Ctrl+F opens it beside the board on the upper row's
# letters; the top word, taken with Enter, leaves the upper row for the lower row's first
# slots. While a search that runs for long goes on, the clock ticks and Backspace brings a
# tile back up at once; "Kilépés" then cancels the search and "OK" ends the program with 0.
scenario_finder() {
    portable
    local board finder g before after colours k moved=0 pink=0
    board=$(start_game "Petőfi Sándor")
    focus "$board"
    g=($(client_geometry "$board"))
    xdotool key ctrl+f
    finder=$(wait_window "Anagrammakereső")
    [ "$(client_geometry "$finder" | cut -d' ' -f1)" -ge $((g[0] + g[2])) ] || fail "the finder is not beside the board"
    sleep 1.5                                        # its first search
    xdotool key --delay 80 Tab Tab Tab Tab Tab Tab Tab Tab Down Return
    sleep 0.5 && snap
    for k in $(seq 0 11); do
        [ "$(pixel $((g[0] + $(slot_x $k))) $((g[1] + UPPER_Y + 12)))" = "104,136,224" ] && moved=$((moved + 1))
        [ "$(pixel $((g[0] + $(slot_x $k))) $((g[1] + LOWER_Y + 12)))" = "255,128,128" ] && pink=$((pink + 1))
    done
    colours=$(for k in $(seq 0 $((pink - 1))); do pixel $((g[0] + $(slot_x $k))) $((g[1] + LOWER_Y + 12)); done | sort -u)
    [ "$pink" -ge 5 ] && [ "$moved" = "$pink" ] && [ "$colours" = "255,128,128" ] ||
        fail "the top word: $moved tiles left the upper row, $pink pink in the lower one, not all from slot 0"
    cp "$WORK/now.png" "$ART/finder.png"
    # A search of five words of 23 letters: far more than a second's work.
    focus "$finder"
    xdotool key --delay 40 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab ctrl+a
    xdotool type --delay 20 "Széchenyi István gróf urak"
    xdotool key --delay 40 Tab Tab ctrl+a 5 Tab
    sleep 0.5
    snap && crop $((g[0] + g[2] - 100)) "${g[1]}" 100 40 "$WORK/clock1.png"
    focus "$board"
    xdotool key BackSpace
    sleep 1.5 && snap && crop $((g[0] + g[2] - 100)) "${g[1]}" 100 40 "$WORK/clock2.png"
    [ "$(compare -metric AE "$WORK/clock1.png" "$WORK/clock2.png" null: 2>&1)" != 0 ] || fail "the clock stood still while the finder searched"
    expect_eq "$(pixel $((g[0] + $(slot_x $((pink - 1))))) $((g[1] + LOWER_Y + 12)))" "104,136,224" "Backspace took the last tile up"
    click "$board" 540 268                           # "Kilépés"
    click "$(wait_window "Morvalin-program")" 324 236  # "OK"
    expect_exit_status 0
}

start_x
"scenario_$SCENARIO"
log "passed"
