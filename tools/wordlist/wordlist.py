"""The steps of make-wordlist that are not a plain hunspell run.

  candidates TESS_WORDS HU_DIC OUT    words worth asking hunspell about
  derivations ANALYSES OUT            what hunspell must generate to stem
  generate AFF DIC IN OUT             generate it, with libhunspell
  stems ANALYSES DERIVATIONS GENERATED OUT
                                      hunspell -s's answers, from the above
  finish ANALYSES STEMS OUT           the list itself

Everything here is plain code-point work (str.lower, NFC, sorting by code
point, which is UTF-8 byte order), so nothing depends on the locale.
"""
import re
import sys
import unicodedata

# The game's tiles: nothing else can be laid, so nothing else is listed.
LETTERS = "aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz"
VOWELS = set("aáeéiíoóöőuúüű")
# The one-letter words of Hungarian; every other single letter is a letter's
# name or an initial.
ONE_LETTER_WORDS = {"a", "e", "s", "ó", "ő"}

GAME_WORD = re.compile("[" + LETTERS + "]+")
TRIPLE = re.compile(r"(.)\1\1")


def plausible(word):
    """Whether a lower-case NFC word may stand in the list at all."""
    if not GAME_WORD.fullmatch(word):
        return False
    if len(word) == 1:
        return word in ONE_LETTER_WORDS
    # No vowel: an abbreviation or a unit (kg, km); three alike in a row:
    # a web spelling (seeed).
    return not VOWELS.isdisjoint(word) and not TRIPLE.search(word)


def read_lines(path):
    with open(path, encoding="utf-8", newline="\n") as f:
        return [line.rstrip("\n") for line in f]


def write_lines(path, lines):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.writelines(line + "\n" for line in lines)


def candidates(tess_words, hu_dic, out):
    words = set()
    # Forms seen in web text, as tesseract's language model has them, in
    # whatever case they were seen.
    for form in read_lines(tess_words):
        words.add(unicodedata.normalize("NFC", form.lower()))
    # The dictionary's own stems, so that base forms the web text missed are
    # there too. An entry is "stem/flags<TAB>morphology"; capitalised stems
    # are names and are left out by the letter test.
    for entry in read_lines(hu_dic)[1:]:
        stem = entry.split("/", 1)[0].split("\t", 1)[0]
        words.add(unicodedata.normalize("NFC", stem))
    write_lines(out, sorted(w for w in words if plausible(w)))


def hunspell_blocks(path):
    """hunspell -m / -s answers: for each word a block of "word answer"
    lines (or the bare word when it has none), blocks split by blank lines."""
    blocks = {}
    for line in read_lines(path):
        if not line:
            continue
        word, _, answer = line.partition(" ")
        answers = blocks.setdefault(word, [])
        if answer:
            answers.append(answer)
    return blocks


# hunspell -s is hunspell's stem routine run on hunspell -m's analyses, and
# nearly all its time goes into generating the base word of a derivation
# ("ds:"), anew for every form. The steps below do the same with each
# distinct derivation generated once, which saves a third of the time; the
# --plain-stems run of make-wordlist gives the same bytes the slow way.

def field(text, tag):
    """An analysis field's value, as hunspell copies it: up to white space."""
    at = text.find(tag)
    if at < 0:
        return ""
    return re.match(r"[^ \t\n]*", text[at + len(tag):]).group()


def stem_parts(analysis):
    """hunspell's stem routine for one analysis: the compound's first parts
    as written, then for each alternative of the last part either its stem
    (a string) or, for a derivation, the description hunspell generates the
    base word from (a tuple of one)."""
    prefix, last = "", analysis
    part = last.find("pa:")
    if part >= 0:
        nxt = last.find("pa:", part + 1)
        while nxt >= 0:
            prefix += field(last[part:], "pa:")
            part, nxt = nxt, last.find("pa:", nxt + 1)
        last = last[part:]
    parts = []
    for alt in last.replace(" | ", " \v ").split("\v"):
        if not alt:
            continue
        if "ds:" in alt:
            parts.append((alt,))
        else:
            parts.append(field(alt, "sp:") + field(alt, "st:"))
    return prefix, parts


def generated_from(derivation):
    """What hunspell generates a derivation's base word from: the
    alternative without its inflections (which may also cut the "ds:")."""
    inflection = derivation.find("is:")
    return derivation if inflection < 0 else derivation[:inflection]


def derivations(analyses, out):
    """One derivation for each description hunspell generates from."""
    one = {}
    for found in hunspell_blocks(analyses).values():
        for analysis in found:
            for p in stem_parts(analysis)[1]:
                if isinstance(p, tuple):
                    key = generated_from(p[0])
                    one[key] = min(one.get(key, p[0]), p[0])
    write_lines(out, (one[key] for key in sorted(one)))


def generate(aff, dic, descriptions, out):
    import ctypes
    lib = ctypes.CDLL("libhunspell-1.7.so.0")
    lib.Hunspell_create.restype = ctypes.c_void_p
    lib.Hunspell_create.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    strings = ctypes.POINTER(ctypes.c_char_p)
    lib.Hunspell_stem2.argtypes = [ctypes.c_void_p, ctypes.POINTER(strings),
                                   ctypes.POINTER(ctypes.c_char_p), ctypes.c_int]
    lib.Hunspell_free_list.argtypes = [ctypes.c_void_p, ctypes.POINTER(strings), ctypes.c_int]
    speller = lib.Hunspell_create(aff.encode(), dic.encode())
    lines = []
    for description in read_lines(descriptions):
        # The stem routine on this one derivation does exactly what it does
        # for it inside a whole analysis: generate, nothing else.
        desc = (ctypes.c_char_p * 1)(description.encode())
        found = strings()
        n = lib.Hunspell_stem2(speller, ctypes.byref(found), desc, 1)
        lines.append("\t".join(found[i].decode() for i in range(n)))
        lib.Hunspell_free_list(speller, ctypes.byref(found), n)
    write_lines(out, lines)


def stems(analyses, descriptions, generated, out):
    made = {generated_from(d): g
            for d, g in zip(read_lines(descriptions), read_lines(generated), strict=True)}
    lines = []
    for word, found in sorted(hunspell_blocks(analyses).items()):
        result = []
        for analysis in found:
            prefix, parts = stem_parts(analysis)
            for p in parts:
                if isinstance(p, tuple):
                    base = made[generated_from(p[0])]
                    bases = base.split("\t") if base else []
                else:
                    bases = [p]
                result += [prefix + b for b in bases if prefix + b]
        lines += [f"{word} {s}" for s in dict.fromkeys(result)] or [word]
        lines.append("")
    write_lines(out, lines)


def finish(analyses, stems, out):
    analysed = hunspell_blocks(analyses)
    # Abbreviations with a vowel (min, log) survive the letter tests; the
    # dictionary marks them.
    forms = sorted(w for w, found in analysed.items()
                   if not any("po:abr" in a.split() for a in found))
    stems_of = hunspell_blocks(stems)
    missing = [w for w in forms if w not in stems_of]
    if missing:
        sys.exit(f"wordlist.py: no stems for {missing[:5]}")
    # How many listed forms each stem has: the stand-in for a frequency,
    # which no Debian package has for Hungarian.
    family = {}
    for w in forms:
        for s in set(stems_of[w]):
            family[s] = family.get(s, 0) + 1
    write_lines(out, (f"{w}\t{max((family[s] for s in stems_of[w]), default=1)}"
                      for w in forms))


if __name__ == "__main__":
    steps = {"candidates": candidates, "derivations": derivations,
             "generate": generate, "stems": stems, "finish": finish}
    step = steps.get(sys.argv[1] if len(sys.argv) > 1 else "")
    if step is None or len(sys.argv) != step.__code__.co_argcount + 2:
        sys.exit(__doc__)
    step(*sys.argv[2:])
