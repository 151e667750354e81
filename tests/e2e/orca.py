# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Orca, the screen reader a Debian player has, against the game and
# prints what it says after each key: "KEY: utterance". Orca writes every
# utterance to its debug file; given a terminal, it writes line by line,
# so each key's speech can be awaited instead of slept for.
# Usage: orca.py PREFS_DIR READY GO LOG WALK: once Orca listens it creates the
# file READY, then walks WALK when the file GO appears, keeping Orca's whole
# debug output in LOG. A Qt 6.4 program looks for a screen reader only when it
# starts, so the game starts in between. WALK holds a step a line:
#   KEY: SPEECH   presses KEY and waits for Orca to say SPEECH, or to say
#                 something else, then for a spell of silence (what it says
#                 late is heard too); prints "KEY: what Orca said"; a
#                 SPEECH ending in "…" needs only to begin what Orca says
#   % TEXT        waits for a line holding TEXT in Orca's debug output since
#                 the last key (Orca has taken in an event: a focus, a name),
#                 then for a spell of silence
# So a busy machine only makes the walk slower: each key waits for what the
# last one brought, never for a fixed time.
import os, pty, re, subprocess, sys, threading, time, tty
import pyatspi

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'[\[{]")  # a key's echo has a space before its voice
QUIET, PATIENCE = 1.0, 30  # seconds of silence that end a key's speech; the longest wait for it
lines, logged, lock, last_said = [], [], threading.Lock(), [time.monotonic()]


def read(master, log):
    pending = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:
            return
        if not chunk:
            return
        log.write(chunk)
        pending += chunk
        *complete, pending = pending.split(b"\n")
        with lock:
            for line in complete:
                logged.append(line.decode("utf-8", "replace"))
                found = SPOKEN.search(logged[-1])
                if found:
                    lines.append(found.group(1))
                    last_said[0] = time.monotonic()


def said_since(start):
    with lock:
        return " ".join(lines[start:])


def logged_since(start, text):
    with lock:
        return any(text in line for line in logged[start:])


def marks():
    with lock:
        return len(lines), len(logged)


def wait(what, seconds, ready):
    end = time.monotonic() + seconds
    while not ready():
        if time.monotonic() > end:
            sys.exit("orca.py: timed out waiting for %s; Orca said: %s" % (what, said_since(max(0, len(lines) - 8))))
        time.sleep(0.05)


def quiet():
    wait("a spell of silence", PATIENCE, lambda: time.monotonic() - last_said[0] > QUIET)


def matches(said, expected):
    begin = expected.removesuffix("…").rstrip()
    return said.startswith(begin) if begin != expected else said == expected


def press(key, expected, start):
    subprocess.run(["xdotool", "key", key], check=True, timeout=20)
    # Until Orca has said it all, or has strayed from it; a key that should
    # bring nothing waits for the silence alone.
    if expected:
        begin = expected.removesuffix("…").rstrip()
        wait("speech after %s" % key, PATIENCE,
             lambda: matches(said_since(start), expected) or not begin.startswith(said_since(start)))
    time.sleep(QUIET)
    quiet()
    said = said_since(start)
    print("%s: %s" % (key, expected if expected.endswith("…") and matches(said, expected) else said), flush=True)


def orca_listed():
    desk = pyatspi.Registry.getDesktop(0)
    return any(app is not None and app.name == "orca" for app in desk)


master, slave = pty.openpty()
tty.setraw(slave)
log = open(sys.argv[4], "wb", buffering=0)
threading.Thread(target=read, args=(master, log), daemon=True).start()
orca = subprocess.Popen(["orca", "--replace", "-u", sys.argv[1], "--debug-file", os.ttyname(slave)],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    wait("Orca to start speaking", 60, lambda: said_since(0))
    wait("Orca on the accessibility bus", 30, orca_listed)
    open(sys.argv[2], "w").close()
    wait("the game", 60, lambda: os.path.exists(sys.argv[3]))
    said, seen = 0, 0
    for step in open(sys.argv[5], encoding="utf-8").read().splitlines():
        if step.startswith("% "):
            wait("Orca to take in '%s'" % step[2:], PATIENCE, lambda: logged_since(seen, step[2:]))
            time.sleep(QUIET)
            quiet()
        else:
            key, expected = step.split(":", 1)
            seen = marks()[1]
            press(key, expected.strip(), said)
        said = marks()[0]
finally:
    orca.terminate()
    try:
        orca.wait(10)
    except subprocess.TimeoutExpired:
        orca.kill()
