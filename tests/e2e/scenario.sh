#!/usr/bin/env bash
# One end-to-end scenario, played on a fresh X server with a fresh copy of
# the program's folder: scenario.sh BUILD_DIR NAME
BUILD=$(cd "$1" && pwd)
SCENARIO=$2
. "$(dirname "$0")/lib.sh"

# 1. The splash appears centred; a click skips it; "Betöltés" appears.
scenario_startup() {
    launch
    wait_until 15 "the start-up picture" splash_shown
    local splash g
    splash=$(splash_window)
    g=($(client_geometry "$splash"))
    log "start-up picture at ${g[*]}"
    expect_eq "${g[2]}x${g[3]}" "377x241" "start-up picture size"
    [ $((g[0] - (SCREEN_W - 377) / 2)) -ge -1 ] && [ $((g[0] - (SCREEN_W - 377) / 2)) -le 1 ] || fail "not centred across: x ${g[0]}"
    [ $((g[1] - (SCREEN_H - 241) / 2)) -ge -1 ] && [ $((g[1] - (SCREEN_H - 241) / 2)) -le 1 ] || fail "not centred down: y ${g[1]}"
    # Frame 1 shows the board blue below the tiles.
    snap
    expect_eq "$(pixel $((g[0] + 188)) $((g[1] + 200)))" "$BOARD_BLUE" "start-up picture colour"
    click "$splash" 150 150
    local entry
    entry=$(wait_window "Betöltés")
    wait_until 5 "the start-up picture to go" window_unmapped "$splash"
    log "entry window shown, start-up picture gone"
    expect_centred "$entry" "the entry window"
    # What a window list reading the old title property shows, with the
    # game started in the POSIX locale.
    expect_eq "$(xprop -id "$entry" -notype WM_NAME)" 'WM_NAME = "Betöltés"' "WM_NAME"
}

# 2. An empty "Mehet" gives the message; "Szép idő" gives 7 tiles in text order.
scenario_setup() {
    skip_splash
    local entry box board
    entry=$(wait_window "Betöltés")
    click "$entry" 240 92
    box=$(wait_window "Figyelem!")
    log "empty text: message box '$(xdotool getwindowname "$box")'"
    window_shown "Morvalin" && fail "the board appeared for an empty text"
    focus "$box"
    key Return
    wait_until 5 "the message box to close" window_gone "Figyelem!"
    board=$(start_game "Szép idő")
    local k colour
    for k in 0 1 2 3 4 5 6; do
        colour=$(board_pixel "$board" "$(slot_x $k)" $((UPPER_Y + 12)))
        expect_eq "$colour" "$UPPER_TILE" "upper slot $k"
    done
    expect_eq "$(board_pixel "$board" "$(slot_x 7)" $((UPPER_Y + 12)))" "$BOARD_BLUE" "upper slot 7"
    window_shown "Betöltés" && fail "the entry window stayed open"
    # Their order, read back the way the game stores it: every tile into
    # the lower row at its own slot, then added to the own list.
    for k in 0 1 2 3 4 5 6; do
        drag "$board" "$(slot_x $k)" "$UPPER_Y" "$(slot_x $k)" "$LOWER_Y"
    done
    click "$board" 428 268
    local add
    add=$(wait_window "Felvétel a szójegyzékbe")
    click "$add" 164 79
    wait_until 5 "the vocabulary window to close" window_gone "Felvétel a szójegyzékbe"
    expect_eq "$(od -An -tx1 "$PROG/sajat.txt" | tr -d ' \n')" \
        "$(cp1250 'SZÉPIDŐ                        \r\n' | od -An -tx1 | tr -d ' \n')" "tiles in text order"
    log "7 tiles, in the order S Z É P I D Ő"
}

# 3. Drags: to a free lower slot, refused drops, and back to the upper row.
scenario_drags() {
    skip_splash
    local board
    board=$(start_game "Szép idő")
    drag "$board" "$(slot_x 0)" "$UPPER_Y" "$(slot_x 2)" "$LOWER_Y"
    expect_eq "$(board_pixel "$board" "$(slot_x 2)" $((LOWER_Y + 12)))" "$LOWER_TILE" "tile S in lower slot 2"
    expect_eq "$(board_pixel "$board" "$(slot_x 0)" $((UPPER_Y + 12)))" "$BOARD_BLUE" "upper slot 0 after the move"
    local before="$WORK/before.png" after="$WORK/after.png" g
    g=($(client_geometry "$board"))
    snap
    # The board without its clock, which changes every second.
    crop "${g[0]}" $((g[1] + 50)) "${g[2]}" $((g[3] - 50)) "$before"
    # On the taken lower slot 2 (tile Z).
    drag "$board" "$(slot_x 1)" "$UPPER_Y" "$(slot_x 2)" "$LOWER_Y"
    # Over the clock label, in the upper band, naming free slot 16.
    drag "$board" "$(slot_x 1)" "$UPPER_Y" 530 37
    # Between the bands.
    drag "$board" "$(slot_x 1)" "$UPPER_Y" "$(slot_x 9)" 113
    snap
    crop "${g[0]}" $((g[1] + 50)) "${g[2]}" $((g[3] - 50)) "$after"
    same_image "$before" "$after" || { cp "$before" "$ART/$SCENARIO-before.png"; cp "$after" "$ART/$SCENARIO-after.png"; fail "a refused drop changed the board"; }
    # Back up to the free upper slot 9.
    drag "$board" "$(slot_x 2)" "$LOWER_Y" "$(slot_x 9)" "$UPPER_Y"
    expect_eq "$(board_pixel "$board" "$(slot_x 9)" $((UPPER_Y + 12)))" "$UPPER_TILE" "tile back in upper slot 9"
    expect_eq "$(board_pixel "$board" "$(slot_x 2)" $((LOWER_Y + 12)))" "$BOARD_BLUE" "lower slot 2 after the move"
    log "moves taken and refused as a player sees them"
}

# clock_crop ID OUT: the clock label as it is now.
clock_crop() {
    local g
    g=($(client_geometry "$1"))
    snap
    crop $((g[0] + 498)) $((g[1] + 18)) 69 21 "$2"
}

# wait_clock_change ID FROM OUT: waits until the clock differs from FROM.
clock_differs() { clock_crop "$1" "$3"; ! same_image "$2" "$3"; }
wait_clock_change() { wait_until 5 "the clock to change" clock_differs "$1" "$2" "$3"; }
clock_shows() { clock_crop "$1" "$3"; same_image "$2" "$3"; }

# 4. The clock runs; "Ismét" restarts it; "Új játék" brings the old text back.
scenario_clock() {
    skip_splash
    local board
    board=$(start_game "alma")
    local empty="$WORK/c0.png" first="$WORK/c1.png" second="$WORK/c2.png" later="$WORK/c3.png" again="$WORK/c4.png"
    # Until its first tick the clock label is empty.
    clock_crop "$board" "$empty"
    [ "$(convert "$empty" -format '%k' info:)" = "1" ] || fail "the clock showed a time before its first tick"
    wait_clock_change "$board" "$empty" "$first"    # 00 : 01
    wait_clock_change "$board" "$first" "$second"   # 00 : 02
    log "the clock runs"
    drag "$board" "$(slot_x 0)" "$UPPER_Y" "$(slot_x 5)" "$LOWER_Y"
    expect_eq "$(board_pixel "$board" "$(slot_x 5)" $((LOWER_Y + 12)))" "$LOWER_TILE" "tile A in lower slot 5"
    # Past 00 : 02 by now, so seeing 00 : 01 again means the clock restarted.
    wait_clock_change "$board" "$second" "$later"
    click "$board" 136 268                          # "Ismét"
    wait_until 3 "the clock to show 00 : 01 again" clock_shows "$board" "$first" "$again"
    expect_eq "$(board_pixel "$board" "$(slot_x 0)" $((UPPER_Y + 12)))" "$UPPER_TILE" "tile A back in upper slot 0"
    expect_eq "$(board_pixel "$board" "$(slot_x 5)" $((LOWER_Y + 12)))" "$BOARD_BLUE" "lower slot 5 after Ismét"
    log "Ismét put the tiles back and the clock shows 00 : 01 again"
    click "$board" 44 268                           # "Új játék"
    local entry
    entry=$(wait_window "Betöltés")
    expect_eq "$(copied_text "$entry" 140 50)" "alma" "entry window text after Új játék"
    log "Új játék shows the entry window with the old text"
}

spans_screen() { local g; g=($(client_geometry "$1")); [ "${g[2]:-0}" -ge $((SCREEN_W - 4)) ]; }

# 5. An 18-letter text maximises the board and moves its buttons to the edges.
scenario_maximise() {
    skip_splash
    local board g
    board=$(start_game "Csontváry Kosztka")   # 16 letters: normal size
    g=($(client_geometry "$board"))
    expect_eq "${g[2]}x${g[3]}" "585x297" "board size for 16 letters"
    click "$board" 44 268
    board=$(start_game "KOSZTOLÁNYI Dezsőné")  # 18 letters, upper-case Á typed too
    wait_until 10 "the board to be maximised" spans_screen "$board"
    g=($(client_geometry "$board"))
    log "maximised board: ${g[*]}"
    [ "${g[3]}" -ge $((SCREEN_H - 60)) ] || fail "the board is not maximised: ${g[*]}"
    local W=$((g[2] * 15)) H=$((g[3] * 15))
    # "Kilépés" now stands 1250 twips left of the right edge, 1500 above the bottom.
    local kx=$(((W - 1250) / 15 + 36)) ky=$(((H - 1500) / 15 + 12))
    snap
    [ "$(pixel $((g[0] + kx)) $((g[1] + ky)))" != "$BOARD_BLUE" ] || fail "no button at the new place of Kilépés ($kx,$ky)"
    expect_eq "$(pixel $((g[0] + 540)) $((g[1] + 268)))" "$BOARD_BLUE" "the old place of Kilépés"
    expect_eq "$(pixel $((g[0] + $(slot_x 17))) $((g[1] + UPPER_Y + 12)))" "$UPPER_TILE" "upper slot 17"
    # The clock moved to the right edge too.
    expect_eq "$(pixel $((g[0] + (W - 1400) / 15 + 30)) $((g[1] + 20)))" "192,192,0" "clock at the right edge"
    log "maximised, buttons and clock at the edges"
}

# 6. Puzzle lists, and adding a built expression to the own list.
scenario_lists() {
    cp1250 'körte\r\nbarack\r\n' >"$WORK/seed"
    mkdir -p "$PROG" && cp "$WORK/seed" "$PROG/sajat.txt"
    skip_splash
    local entry list
    entry=$(wait_window "Betöltés")
    click "$entry" 140 92                           # "Listából"
    list=$(wait_window "Feladvány listából")
    local famous
    famous=$(copied_text "$list" 100 78)
    iconv -f CP1250 -t UTF-8 "$PROG/hires.txt" | tr -d '\r' | grep -qxF "$famous" || fail "'$famous' is not a famous person of hires.txt"
    log "famous list shown, first entry '$famous'"
    click "$list" 175 32                            # "Saját lista"
    expect_eq "$(copied_text "$list" 100 78)" "barack" "first entry of the own list"
    key Down                                        # the next entry
    expect_eq "$(copied_text "$list" 100 78)" "körte" "picked entry"
    click "$list" 56 120                            # "Mehet"
    entry=$(wait_window "Betöltés")
    window_gone "Feladvány listából" || fail "the list window stayed open"
    expect_eq "$(copied_text "$entry" 140 50)" "körte" "entry window text"
    expect_eq "$(od -An -tx1 "$PROG/sajat.txt" | tr -d ' \n')" "$(cp1250 'barack\r\nkörte\r\n' | od -An -tx1 | tr -d ' \n')" "own list rewritten sorted"
    log "picked 'körte' from the own list"
    local board add k
    board=$(start_game "alma")
    for k in 0 1 2 3; do
        drag "$board" "$(slot_x $k)" "$UPPER_Y" "$(slot_x $k)" "$LOWER_Y"
    done
    click "$board" 428 268                          # "Szójegyzékbe felvesz"
    add=$(wait_window "Felvétel a szójegyzékbe")
    click "$add" 164 79                             # "Mehet", "Kész kifejezést" chosen
    wait_until 5 "the vocabulary window to close" window_gone "Felvétel a szójegyzékbe"
    expect_eq "$(od -An -tx1 "$PROG/sajat.txt" | tr -d ' \n')" \
        "$(cp1250 'ALMA                           \r\nbarack\r\nkörte\r\n' | od -An -tx1 | tr -d ' \n')" "sajat.txt after adding ALMA"
    log "ALMA and 27 spaces added at its sorted place, Windows-1250, CR LF"
}

# 7. The permutator with the puzzle's letters, shortened to ABC.
scenario_permutator() {
    skip_splash
    local board perm
    board=$(start_game "abc de")
    click "$board" 280 268                          # "Permutátor"
    perm=$(wait_window "Permutátor")
    expect_centred "$board" "the board"
    expect_centred "$perm" "the permutator"
    expect_eq "$(copied_text "$perm" 220 29)" "ABCDE" "the puzzle's letters"
    key ctrl+a BackSpace
    type_text "ABC"
    click "$perm" 112 276                           # "Mehet"
    expect_eq "$(copied_text "$perm" 108 67)" "6" "count"
    local lines
    lines=$(copied_text "$perm" 220 150)
    expect_eq "$(printf '%s' "$lines" | tr '\n' ' ')" "ABC ACB BAC BCA CAB CBA" "arrangements"
    log "six arrangements and the count 6"
}

only_one_window() { [ "$(xdotool search --onlyvisible --name . | wc -l)" -eq 1 ]; }

# 8. "Kilépés" leaves only the about window; "OK" ends the process with 0.
scenario_exit() {
    skip_splash
    local board about
    board=$(start_game "alma")
    click "$board" 280 268                          # the permutator, to be closed too
    wait_window "Permutátor" >/dev/null
    click "$board" 540 268                          # "Kilépés"
    about=$(wait_window "Morvalin-program")
    wait_until 5 "the other windows to close" only_one_window
    log "only the about window is left"
    expect_centred "$about" "the about window"
    click "$about" 324 236                          # "OK"
    expect_exit_status 0
    log "OK ended the program with exit status 0"
}

# 9. The board closed from its frame while the permutator is open; then
# "Bezárás" leaves no window, and the program ends with it.
scenario_lastwindow() {
    skip_splash
    local board perm
    board=$(start_game "alma")
    click "$board" 280 268                          # "Permutátor"
    perm=$(wait_window "Permutátor")
    focus "$board"
    key alt+F4                                      # the window manager's close
    wait_until 5 "the board to close" window_gone "Morvalin"
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the permutator still open"
    click "$perm" 40 276                            # "Bezárás"
    expect_exit_status 0
    log "the last window gone, the program ended with exit status 0"
}

# 10. An installed copy: its data from share/morvalin, the own list in the
# player's data folder, nothing written into the install.
scenario_installed() {
    local root="$WORK/root" board add
    DESTDIR="$root" cmake --install "$BUILD" --prefix /usr >/dev/null || fail "cmake --install"
    [ -e "$root/usr/bin/hires.txt" ] && fail "an installed copy has hires.txt beside its binary"
    (cd "$root" && find . | sort) >"$WORK/before"
    export HOME="$WORK/home" XDG_DATA_HOME="$WORK/data"
    PROG="$root/usr/bin"
    (cd "$WORK" && exec env -u LC_ALL -u LANG "$PROG/morvalin") >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    wait_until 15 "the start-up picture" splash_shown
    click "$(splash_window)" 100 100
    board=$(start_game "alma")
    for k in 0 1 2 3; do
        drag "$board" "$(slot_x $k)" "$UPPER_Y" "$(slot_x $k)" "$LOWER_Y"
    done
    click "$board" 428 268                          # "Szójegyzékbe felvesz"
    add=$(wait_window "Felvétel a szójegyzékbe")
    click "$add" 164 79                             # "Mehet"
    wait_until 5 "the vocabulary window to close" window_gone "Felvétel a szójegyzékbe"
    expect_eq "$(od -An -tx1 "$XDG_DATA_HOME/morvalin/sajat.txt" | tr -d ' \n')" \
        "$(cp1250 'ALMA                           \r\n' | od -An -tx1 | tr -d ' \n')" "the own list in the data folder"
    (cd "$root" && find . | sort) >"$WORK/after"
    cmp -s "$WORK/before" "$WORK/after" || fail "the install tree changed: $(diff "$WORK/before" "$WORK/after" | head -3)"
    log "ALMA written to \$XDG_DATA_HOME/morvalin/sajat.txt; the install tree unchanged"
}

start_x
"scenario_$SCENARIO"
