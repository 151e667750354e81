# SPDX-License-Identifier: GPL-3.0-or-later
"""The counting half of hires-check: TOP STEMS FREEDICT_INDEX MYTHES LIST."""
import sys
import unicodedata


def norm(w):
    return unicodedata.normalize("NFC", w.lower())


def headwords(freedict, mythes):
    """Every word of the dictionary's Hungarian headwords (many basic
    words stand only within a phrase there: "magyar kártya") and of the
    thesaurus's entries."""
    known = set()
    with open(freedict, encoding="utf-8", errors="replace") as f:
        for line in f:
            known.update(norm(w) for w in line.split("\t", 1)[0].split())
    with open(mythes, encoding="utf-8", errors="replace") as f:
        for line in f.read().split("\n")[1:]:
            if line and not line.startswith("("):
                known.update(norm(w) for w in line.split("|", 1)[0].split())
    return known


def main(top, stems, freedict, mythes, words_list):
    known = headwords(freedict, mythes)
    stem_of = {}
    with open(stems, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 2:
                stem_of.setdefault(parts[0], set()).add(parts[1])
            elif len(parts) == 1:
                stem_of.setdefault(parts[0], set())
    marks, readings = {}, {}
    with open(words_list, encoding="utf-8") as f:
        next(f)
        for line in f:
            form, _, mark, reading, _ = line.rstrip("\n").split("\t")
            marks[form], readings[form] = mark, reading
    closed = set("CDUTKGP")

    def plain(word):
        if any(r[0] in closed for r in readings.get(word, "O").split(",")):
            return True
        return word in known or any(s in known for s in stem_of.get(word, ()))

    names = []
    with open(top, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("== "):
                names.append([])
            elif line:
                names[-1].append(line.split(" "))
    with_any = [n for n in names if n]
    top10 = [w for n in with_any for a in n for w in a]
    top1 = [w for n in with_any for w in n[0]]
    rude = sum(1 for n in with_any if any("R" in marks.get(w, "") for a in n for w in a))
    share = lambda ws: 100 * sum(plain(w) for w in ws) / max(1, len(ws))
    print(f"{len(names)} names, {len(with_any)} with an anagram")
    print(f"plain dictionary words: {share(top10):.1f} % of the top-ten anagrams' words, {share(top1):.1f} % of the top ones'")
    print(f"names with a rude word in their top ten: {rude}")
    odd = sorted({w for w in top1 if not plain(w)})
    print("top ones' words not in the held-out dictionaries: " + " ".join(odd[:80]))


if __name__ == "__main__":
    main(*sys.argv[1:])
