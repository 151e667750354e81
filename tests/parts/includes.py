# SPDX-License-Identifier: GPL-3.0-or-later
"""The parts of the game stand on one another without a circle: no chain of
includes leads from a part back to itself, a rule includes rules alone, and
no window includes another window (the wiring above them all connects them).

  includes.py SOURCE_DIR
"""
import os
import re
import sys
import unittest

SOURCE = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
SRC = os.path.join(SOURCE, "src")

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
WINDOW = re.compile(r"\bclass\s+\w+\s*:\s*public\s+Form\b")


def read(src):
    """Each file of src/, as "part/name.h", with its quoted includes; and the window headers."""
    includes, windows = {}, set()
    for root, _, names in os.walk(src):
        for name in names:
            if name.endswith((".h", ".cpp")):
                path = os.path.relpath(os.path.join(root, name), src).replace(os.sep, "/")
                with open(os.path.join(root, name), encoding="utf-8") as f:
                    text = f.read()
                includes[path] = INCLUDE.findall(text)
                if name.endswith(".h") and WINDOW.search(text):
                    windows.add(path)
    return includes, windows


def part(path):
    """The folder under src/; main.cpp and the wiring beside it are the program on top."""
    head, _, rest = path.partition("/")
    return head if rest else "program"


def is_rule(path):
    return "rules" in path.split("/")[:-1]


def edges(includes):
    """(from part, to part) -> the first include that makes it."""
    found = {}
    for path, targets in sorted(includes.items()):
        for target in targets:
            if part(path) != part(target):
                found.setdefault((part(path), part(target)), f"{path} includes {target}")
    return found


def circle(found):
    """A list of parts leading back to its first, or None."""
    after = {}
    for a, b in found:
        after.setdefault(a, []).append(b)
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(after.get(node, [])):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt]
            if nxt not in state:
                if (loop := visit(nxt, trail + [nxt])):
                    return loop
        state[node] = "done"
        return None

    for start in sorted(after):
        if start not in state and (loop := visit(start, [start])):
            return loop
    return None


def rule_breaches(includes):
    return [f"{p} includes {t}" for p, ts in sorted(includes.items()) if is_rule(p) for t in ts if not is_rule(t)]


def window_breaches(includes, windows):
    """A window's files are its header and the .cpp beside it; helpers and the wiring may include windows."""
    out = []
    for path, targets in sorted(includes.items()):
        own = path[: path.rfind(".")] + ".h"
        if own in windows:
            out += [f"{path} includes {t}" for t in targets if t in windows and t != own]
    return out


class Parts(unittest.TestCase):
    includes, windows = read(SRC)

    def test_the_checks_catch_what_they_look_for(self):
        chain = {"a/x.cpp": ["b/y.h"], "b/y.h": ["c/z.h"], "c/z.h": ["a/w.h"], "a/w.h": []}
        self.assertEqual(circle(edges(chain)), ["a", "b", "c", "a"])
        self.assertEqual(rule_breaches({"a/rules/r.h": ["a/rules/q.h", "b/rules/s.h", "a/w.h"]}), ["a/rules/r.h includes a/w.h"])
        two = {"a/one.cpp": ["a/one.h", "a/two.h"], "a/one.h": [], "a/two.h": [], "a/wiring.cpp": ["a/one.h", "a/two.h"]}
        self.assertEqual(window_breaches(two, {"a/one.h", "a/two.h"}), ["a/one.cpp includes a/two.h"])
        self.assertIsNone(circle(edges({"a/x.h": ["b/y.h"], "b/y.h": [], "c/z.h": ["a/x.h", "b/y.h"]})))

    def test_every_include_is_a_file_of_src(self):
        self.assertIn("game/board.h", self.windows)  # the source was read
        missing = [f"{p} includes {t}" for p, ts in sorted(self.includes.items()) for t in ts if t not in self.includes]
        self.assertEqual(missing, [])

    def test_no_circle_between_parts(self):
        found = edges(self.includes)
        loop = circle(found)
        self.assertIsNone(loop, loop and "\n".join(found[(a, b)] for a, b in zip(loop, loop[1:])))

    def test_rules_include_rules_alone(self):
        self.assertEqual(rule_breaches(self.includes), [])

    def test_no_window_includes_another(self):
        self.assertEqual(window_breaches(self.includes, self.windows), [])


if __name__ == "__main__":
    unittest.main()
