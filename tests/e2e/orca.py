# Runs Orca, the screen reader a Debian player has, against the game and
# prints what it says after each key: "KEY: utterance". Orca writes every
# utterance to its debug file; given a terminal, it writes line by line,
# so each key's speech can be awaited instead of slept for.
# Usage: orca.py PREFS_DIR READY GO KEY...: once Orca listens it creates the
# file READY, then presses the keys when the file GO appears. A Qt 6.4 program
# looks for a screen reader only when it starts, so the game starts in between.
import os, pty, re, subprocess, sys, threading, time, tty
import pyatspi

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'[\[{]")  # a key's echo has a space before its voice
lines, lock = [], threading.Lock()


def read(master):
    pending = b""
    while True:
        try:
            chunk = os.read(master, 65536)
        except OSError:
            return
        if not chunk:
            return
        pending += chunk
        *complete, pending = pending.split(b"\n")
        with lock:
            for line in complete:
                found = SPOKEN.search(line.decode("utf-8", "replace"))
                if found:
                    lines.append(found.group(1))


def said_since(start):
    with lock:
        return lines[start:]


def settled(start, first_within, quiet):
    """Waits for the first utterance after `start`, then for a spell of silence."""
    end, quiet_since, count = time.monotonic() + first_within, time.monotonic(), start
    while time.monotonic() < end:
        now = len(said_since(0))
        if now != count:
            count, quiet_since, end = now, time.monotonic(), time.monotonic() + 10
        if (count > start or first_within == 0) and time.monotonic() - quiet_since > quiet:
            return
        time.sleep(0.05)


def orca_listed():
    desk = pyatspi.Registry.getDesktop(0)
    return any(app is not None and app.name == "orca" for app in desk)


def wait(what, seconds, ready):
    end = time.monotonic() + seconds
    while not ready():
        if time.monotonic() > end:
            sys.exit("orca.py: timed out waiting for %s" % what)
        time.sleep(0.05)


master, slave = pty.openpty()
tty.setraw(slave)
threading.Thread(target=read, args=(master,), daemon=True).start()
orca = subprocess.Popen(["orca", "--replace", "-u", sys.argv[1], "--debug-file", os.ttyname(slave)],
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    wait("Orca to start speaking", 60, lambda: said_since(0))
    wait("Orca on the accessibility bus", 30, orca_listed)
    open(sys.argv[2], "w").close()
    wait("the game", 60, lambda: os.path.exists(sys.argv[3]))
    # Orca has its say about the entry window first.
    settled(len(said_since(0)), 0, 1.5)
    for key in sys.argv[4:]:
        start = len(said_since(0))
        subprocess.run(["xdotool", "key", key], check=True, timeout=20)
        settled(start, 5, 1.0)
        print("%s: %s" % (key, " ".join(said_since(start))), flush=True)
finally:
    orca.terminate()
    try:
        orca.wait(10)
    except subprocess.TimeoutExpired:
        orca.kill()
