# SPDX-License-Identifier: GPL-3.0-or-later
"""How much of Hungarian that no one here wrote the word list knows.

  coverage.py LIST MAN_TEXT FREEDICT_INDEX MYTHES_DAT ACCEPTED OUT_MISSING

Three held-out sources, never used to make the list: the running words of
Debian's Hungarian man pages (MAN_TEXT, already rendered to text), the
single-word headwords of the Hungarian-English FreeDict dictionary and the
single-word entries of the Hungarian thesaurus. Only words that the spelling
dictionary accepts in lower case count (ACCEPTED: hunspell -G's answer for
every candidate, written by the caller). The words each source misses go to
OUT_MISSING, most frequent first, for reading, not for making the list.
"""
import collections
import re
import sys
import unicodedata

LETTERS = "aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz"
GAME_WORD = re.compile("[" + LETTERS + "]+")
TOKEN = re.compile(r"[^\W\d_]+")
ONE_LETTER_WORDS = {"a", "e", "s", "ó", "ő"}


def game_word(text):
    word = unicodedata.normalize("NFC", text.lower())
    return word if GAME_WORD.fullmatch(word) else None


def man_words(path):
    counts = collections.Counter()
    with open(path, encoding="utf-8", errors="replace") as f:
        # groff hyphenates at line ends; the rendering was asked not to.
        for token in TOKEN.findall(f.read()):
            word = game_word(token)
            # A lone letter in a man page is an option or a variable (-c,
            # x), not a word; the real one-letter words still count.
            if word and (len(word) > 1 or word in ONE_LETTER_WORDS):
                counts[word] += 1
    return counts


def freedict_words(path):
    words = collections.Counter()
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            head = line.split("\t", 1)[0]
            if head.startswith("00database"):
                continue
            word = game_word(head)
            if word:
                words[word] = 1
    return words


def mythes_words(path):
    words = collections.Counter()
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")[1:]
    i = 0
    while i < len(lines):
        entry, _, count = lines[i].partition("|")
        if not count.isdigit():
            i += 1
            continue
        word = game_word(entry)
        if word:
            words[word] = 1
        i += 1 + int(count)
    return words


def main(listed, man, freedict, mythes, accepted, out_missing):
    known = set()
    with open(listed, encoding="utf-8") as f:
        for line in f:
            if line and line[0] != "#":
                known.add(line.split("\t", 1)[0].rstrip("\n"))
    with open(accepted, encoding="utf-8") as f:
        ok = {line.rstrip("\n") for line in f}
    sources = [("man pages, running words", man_words(man)),
               ("FreeDict headwords", freedict_words(freedict)),
               ("thesaurus entries", mythes_words(mythes))]
    with open(out_missing, "w", encoding="utf-8") as out:
        for name, counts in sources:
            counted = {w: n for w, n in counts.items() if w in ok}
            total = sum(counted.values())
            have = sum(n for w, n in counted.items() if w in known)
            print(f"{name}: {100 * have / total:.2f} % of {total} "
                  f"({len(counted)} distinct, {sum(1 for w in counted if w not in known)} missing)")
            out.write(f"== {name}\n")
            missing = sorted((w for w in counted if w not in known), key=lambda w: (-counted[w], w))
            out.writelines(f"{counted[w]}\t{w}\n" for w in missing)


def candidates(man, freedict, mythes, out):
    """Every word the three sources would count, for hunspell -G."""
    words = set(man_words(man)) | set(freedict_words(freedict)) | set(mythes_words(mythes))
    with open(out, "w", encoding="utf-8") as f:
        f.writelines(w + "\n" for w in sorted(words))


if __name__ == "__main__":
    if len(sys.argv) == 6 and sys.argv[1] == "candidates":
        candidates(*sys.argv[2:])
    elif len(sys.argv) == 7:
        main(*sys.argv[1:])
    else:
        sys.exit(__doc__)
