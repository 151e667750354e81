# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the finder's word list: make-wordlist runs it in a clean
environment, in a private folder, on the pinned packages.

  wordlist.py build AFF DIC TESSERACT ASPELL ENGLISH TEXTS RUDE OUT

TESSERACT: the forms of tesseract's Hungarian word graph, one a line.
ASPELL: aspell-hu's roots (`aspell dump master -d hu`), one a line.
ENGLISH: an English word list, one a line (only to recognise foreign words).
TEXTS: a file naming the Hungarian texts to count, one path a line
(HTML pages or gettext catalogs).
RUDE: the stems of vulgar and offensive words, one a line.

Everything here is plain code-point work (str.lower, NFC, sorting by code
point, which is UTF-8 byte order) and every set is sorted before it is
walked, so nothing depends on the locale or on hash order. README.md
beside this file says what goes in and why.
"""
import collections
import html
import math
import os
import re
import struct
import subprocess
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
TOKEN = re.compile(r"[^\W\d_]+")
MARKUP = re.compile(r"<(script|style)\b.*?</\1>|<[^>]+>", re.S | re.I)


def plausible(word):
    """Whether a lower-case NFC word may stand in the list at all."""
    if not GAME_WORD.fullmatch(word):
        return False
    if len(word) == 1:
        return word in ONE_LETTER_WORDS
    # No vowel: an abbreviation or a unit (kg, km); three alike in a row:
    # a web spelling (seeed).
    return not VOWELS.isdisjoint(word) and not TRIPLE.search(word)


def normal(text):
    return unicodedata.normalize("NFC", text.lower())


def read_lines(path):
    with open(path, encoding="utf-8", newline="\n") as f:
        return [line.rstrip("\n") for line in f]


def log(message):
    print("make-wordlist: " + message, file=sys.stderr, flush=True)


# ---------------------------------------------------------------- texts

def catalog_strings(path):
    """The translations of a gettext catalog (never its English msgids)."""
    with open(path, "rb") as f:
        data = f.read()
    order = "<" if struct.unpack("<I", data[:4])[0] == 0x950412DE else ">"
    count, _, translations = struct.unpack(order + "III", data[8:20])
    for i in range(1, count):  # entry 0 is the catalog's header
        length, offset = struct.unpack(order + "II", data[translations + 8 * i:translations + 8 * i + 8])
        yield data[offset:offset + length].decode("utf-8", "replace").replace("\0", "\n")


def text_lines(paths):
    """The lines of the texts as lists of lower-case words. Words written in
    capitals (function names, acronyms) are left out."""
    lines = []
    for path in paths:
        if path.endswith(".mo"):
            chunks = catalog_strings(path)
        else:
            with open(path, encoding="utf-8", errors="replace") as f:
                chunks = html.unescape(MARKUP.sub("\n", f.read())).split("\n")
        for chunk in chunks:
            words = [normal(t) for t in TOKEN.findall(chunk.replace("~", "").replace("_", ""))
                     if len(t) == 1 or not t.isupper()]
            if words:
                lines.append(words)
    return lines


def text_counts(lines, hungarian, english):
    """How often each form occurs in the Hungarian lines: those with more
    words only Hungarian knows than words only English knows (the help has
    untranslated passages, and words such as "in" or "is" are both)."""
    counts = collections.Counter()
    for words in lines:
        only_hungarian = sum(w in hungarian and w not in english for w in words)
        only_english = sum(w in english and w not in hungarian for w in words)
        if only_hungarian > only_english:
            counts.update(w for w in words if plausible(w))
    return counts


# ------------------------------------------------------------- hunspell

def hunspell(mode, words, aff_base, jobs):
    """hunspell MODE over the words, spread over `jobs` processes. For -G
    the accepted words; for -m a dict of word -> analyses (possibly none)."""
    words = sorted(words)
    if not words:
        return set() if mode == "-G" else {}
    size = (len(words) + jobs - 1) // jobs
    env = {"LC_ALL": "C.UTF-8", "PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": os.environ.get("HOME", "/")}
    procs = []
    for i in range(0, len(words), size):
        p = subprocess.Popen(["hunspell", "-d", aff_base, "-p", os.path.join(os.environ.get("HOME", "/"), "personal"),
                              "-i", "utf-8", mode], stdin=subprocess.PIPE, stdout=subprocess.PIPE, env=env)
        procs.append((p, "".join(w + "\n" for w in words[i:i + size]).encode()))
    # Each slice is fed from its own thread so that no pipe fills up.
    import threading
    outputs = [None] * len(procs)

    def run(k):
        outputs[k] = procs[k][0].communicate(procs[k][1])[0].decode("utf-8", "replace")
    threads = [threading.Thread(target=run, args=(k,)) for k in range(len(procs))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    for p, _ in procs:
        if p.returncode:
            sys.exit("wordlist.py: hunspell failed")
    if mode == "-G":
        return {line for out in outputs for line in out.split("\n") if line}
    analyses = {}
    for out in outputs:
        for line in out.split("\n"):
            if not line:
                continue
            word, _, answer = line.partition(" ")
            found = analyses.setdefault(word, [])
            if answer.strip():
                found.append(answer.strip())
    return analyses


# ----------------------------------------------------------- morphology

def segments(analysis):
    """An analysis cut into its compound parts ("pa:"), the last holding
    the stem, the part of speech and the suffixes."""
    parts = re.split(r"(?=\bpa:)", analysis)
    return [p for p in parts if p.strip()] or [analysis]


def field(text, tag):
    m = re.search(r"(?:^|\s)" + re.escape(tag) + r"(\S+)", text)
    return m.group(1) if m else ""


def signature(segment):
    """The last part's part of speech and its suffix tags, in order."""
    pos, tags = None, []
    for t in segment.split():
        if t.startswith("po:"):
            pos, tags = t[3:], []
        elif t.startswith(("is:", "ds:")):
            tags.append(t)
    return pos, tuple(tags)


def stem_of(analysis):
    """The stem hunspell's stemmer would give for this analysis: the first
    parts of a compound as written, the verb prefix, the last stem."""
    parts = segments(analysis)
    head = "".join(field(p, "pa:") for p in parts[:-1])
    last = parts[-1]
    return head + field(last, "sp:") + field(last, "st:")


def derived_pos(pos, tags):
    """What a derivation makes of its stem: the last ds: tag says."""
    for t in reversed(tags):
        if t.startswith("ds:"):
            for kind in ("noun", "adj", "vrb", "adv"):
                if t.endswith("_" + kind) or ("(" + kind) in t or t.endswith("_" + kind + "_tr") or \
                        t.endswith("_" + kind + "_it"):
                    return kind
            return "other"
    return pos


def inflection(tags):
    """The tags after the last derivation."""
    last = max([i for i, t in enumerate(tags) if t.startswith("ds:")], default=-1)
    return tags[:last + 1], tags[last + 1:]


PROPER = re.compile(r'(?:^|\s)(fl:"|po:noun_prs)')


def kind_of(analyses):
    """abbreviation, proper (made from a name), foreign-marked, or None."""
    if any("po:abr" in a.split() for a in analyses):
        return "abbreviation"
    if analyses and all(PROPER.search(a) for a in analyses):
        return "proper"
    return None


FINITE_TAGS = ("is:PRES", "is:PAST", "is:SUBJ", "is:COND", "is:FUTURE", "ts:PRES", "ts:PAST")
PERSON = re.compile(r"_(SG|PL)_([123])(?:_OBJ_2)?")
POSSESSOR = re.compile(r"is:POSS_(SG|PL)_([123])")
NUMBER_OF = {"SG": "s", "PL": "p"}
# The cases a phrase tells apart: the nominative (a subject, a predicate, a
# possessor), the accusative (an object), the dative (a possessor too); any
# other is an adverbial.
CASE_OF = {"NOM": "n", "ACC": "a", "DAT": "d"}
# Pronouns that make a definite object: personal and demonstrative ones.
DEFINITE_PRONOUNS = {"én", "ez", "az", "maga", "ön"}


def case_letter(tags):
    for t in reversed(tags):
        name = t.split(":", 1)[1]
        if name in CASE_OF:
            return CASE_OF[name]
        if name in ("PLUR",) or name.startswith("POSS"):
            continue
        if re.fullmatch(r"[A-Z]{3}", name):
            return "o"
    return "n"


DERIVING = re.compile(r"^is:.*_(vrb|adj|noun)(_tr|_it)?$")


def reading_of(analysis):
    """An analysis as the finder's phrases read it, seven letters: the part
    of speech, the case, the number, the person, the definiteness, the
    possessor's person and number; '-' where none. The parts of speech: N
    noun, A adjective, M numeral, P pronoun, V finite verb, I infinitive, D
    adverb, U postposition, C conjunction, T article, K verb prefix, G
    negation, J interjection, O any other word. None for a name's form."""
    if PROPER.search(analysis):
        return None
    last = segments(analysis)[-1]
    pos, tags = signature(last)
    if pos is None:
        return None
    # Some derivations come as is: tags (hAt_MODAL_vrb, i_PLACE/TIME_adj):
    # the word is what the last derivation makes, inflected by what follows.
    cut = max([i for i, t in enumerate(tags) if t.startswith("ds:") or DERIVING.search(t)], default=-1)
    infl = tags[cut + 1:]
    made = derived_pos(pos, tuple("ds:" + t[3:] for t in tags[:cut + 1]))
    number = "p" if "is:PLUR" in infl else "s"
    possessor = POSSESSOR.search(" ".join(infl))
    poss = possessor.group(2) + NUMBER_OF[possessor.group(1)] if possessor else "--"
    if pos in ("det_def", "det_indef"):
        return "T---" + ("d" if pos == "det_def" else "i") + "--"
    simple = {"con": "C", "adv": "D", "post": "U", "prv": "K", "neg": "G", "sentint": "J", "part": "O"}
    if pos in simple and not infl:
        return simple[pos] + "------"
    if made == "vrb":
        if infl and infl[-1] == "is:ni_INFINITIVE_inf":
            return "I------"
        finite = infl and infl[-1].startswith(FINITE_TAGS) or not infl and "ts:PRES_INDIC_INDEF_SG_3" in last
        if not finite:
            return "O------"
        tag = (infl[-1] if infl else "ts:PRES_INDIC_INDEF_SG_3").split(":", 1)[1]
        person = PERSON.search(tag)
        definite = "k" if "_OBJ_2" in tag else "d" if "_DEF_" in tag else "i"
        return "V-" + (NUMBER_OF[person.group(1)] + person.group(2) if person else "s3") + definite + "--"
    if made == "adv" or any(t.endswith("_MODE_adv") for t in infl):
        return "D------"
    if pos == "noun_pron":
        person = re.search(r"(?:is|ts):(SG|PL)_([123])", last)
        case = case_letter([t for t in last.split() if t.startswith(("is:", "ts:"))])
        stem = field(last, "st:")
        definite = "d" if stem in DEFINITE_PRONOUNS else "i"
        if person:
            return "P" + case + NUMBER_OF[person.group(1)] + person.group(2) + definite + "--"
        return "P" + case + "s3" + definite + "--"
    if pos == "det":
        return "A------"
    if made in ("noun", "noun_ind") or pos.startswith("noun_ref"):
        return "N" + case_letter(infl) + number + "3-" + poss
    if made in ("adj", "adj_num", "adj_wh", "adj_num_wh"):
        if not infl or infl == ("is:PLUR", "is:NOM") or infl == ("is:NOM",):
            return ("M" if made.startswith("adj_num") else "A") + "n" + number + "3---"
        return "N" + case_letter(infl) + number + "3-" + poss
    return "O------"


def readings_of(analyses):
    """The form's readings, the plainest first (fewest derivations, then
    fewest suffixes), each once, at most four; a function word's plain noun
    reading (the letter "s", the hectare "ha") is left out."""
    found = []
    for a in sorted(analyses, key=lambda a: (a.count("ds:"), a.count("is:"), a)):
        r = reading_of(a)
        if r and r not in found:
            found.append(r)
    if any(r[0] in "CDUTKG" for r in found):
        found = [r for r in found if r != "Nns3---"] or found
    return found[:4] or ["O------"]


def stem_for(analyses):
    """The stem of the plainest analysis: the lemma whose forms the form
    stands with (a compound's whole stem)."""
    plain = sorted(analyses, key=lambda a: (a.count("ds:"), a.count("is:"), a))
    for a in plain:
        if not PROPER.search(a):
            s = stem_of(a)
            if s:
                return normal(s)
    return ""


# --------------------------------------------------------------- affixes

def condition(text):
    """A hunspell affix condition as (negated, letters) per position."""
    items, i = [], 0
    while i < len(text):
        ch = text[i]
        if ch == "[":
            j = text.index("]", i)
            body = text[i + 1:j]
            negated = body.startswith("^")
            items.append((negated, frozenset(body[1:] if negated else body)))
            i = j + 1
        elif ch == ".":
            items.append(None)
            i += 1
        else:
            items.append((False, frozenset(ch)))
            i += 1
    return items


def meets(items, word):
    n = len(items)
    if len(word) < n:
        return False
    for item, ch in zip(items, word[len(word) - n:]):
        if item is not None and (ch in item[1]) == item[0]:
            return False
    return True


class Affixes:
    """The suffix rules of hunspell's .aff, with its flag and morphology
    aliases resolved. Flags are single bytes."""

    def __init__(self, path):
        with open(path, "rb") as f:
            raw = f.read().split(b"\n")
        self.flag_sets, self.morphs = [b""], [""]
        self.suffixes = collections.defaultdict(list)
        self.prefixes = collections.defaultdict(list)
        for line in raw:
            line = line.rstrip(b"\r")
            if line.startswith(b"AF "):
                p = line.split()
                if len(self.flag_sets) == 1 and len(p) == 2 and p[1].isdigit():
                    continue  # the count
                self.flag_sets.append(p[1])
            elif line.startswith(b"AM "):
                text = line[3:].decode("utf-8", "replace")
                if len(self.morphs) == 1 and text.strip().isdigit():
                    continue
                self.morphs.append(text)
            elif line.startswith((b"SFX ", b"PFX ")):
                p = line.split()
                if len(p) == 4 and p[2] in (b"Y", b"N") and p[3].isdigit():
                    continue  # a rule's header
                flag, strip, add = p[1][0], p[2], p[3]
                morph = b" ".join(p[5:]).decode("utf-8", "replace")
                if morph.isdigit():
                    morph = self.morphs[int(morph)]
                follows = b""
                if b"/" in add:
                    add, follows = add.split(b"/", 1)
                    if follows.isdigit():
                        follows = self.flag_sets[int(follows)]
                entry = ("" if strip == b"0" else strip.decode(), "" if add == b"0" else add.decode(),
                         condition(p[4].decode("utf-8", "replace") if len(p) > 4 else "."),
                         bytes(follows), tuple(t for t in morph.split() if t.startswith(("is:", "ds:"))))
                (self.suffixes if p[0] == b"SFX" else self.prefixes)[flag].append(entry)

    def flags(self, text):
        return self.flag_sets[int(text)] if text.isdigit() else text

    def entries(self, dic):
        """The .dic's entries as (word, flags, morphology)."""
        with open(dic, "rb") as f:
            raw = f.read().split(b"\n")
        for line in raw[1:]:
            if not line:
                continue
            morph = ""
            if b"\t" in line:
                line, m = line.split(b"\t", 1)
                m = m.decode("utf-8", "replace").strip()
                morph = self.morphs[int(m)] if m.isdigit() else m
            word, flags = line.rsplit(b"/", 1) if b"/" in line else (line, b"")
            yield word.decode("utf-8", "replace"), bytes(self.flags(flags)), morph


NEEDAFFIX = ord("u")


class Paradigms:
    """The forms of a dictionary entry whose signatures (part of speech,
    then suffix tags) are among those allowed; one or two suffixes deep, as
    hunspell's own rules go."""

    def __init__(self, affixes, allowed):
        self.affixes, self.allowed = affixes, allowed
        self.leading = set()
        for pos, tags in allowed:
            for i in range(len(tags) + 1):
                self.leading.add((pos, tags[:i]))
        self.cache = {}

    def rules(self, flag, pos, tags):
        key = (flag, pos, tags)
        found = self.cache.get(key)
        if found is None:
            found = [e for e in self.affixes.suffixes.get(flag, ()) if (pos, tags + e[4]) in self.leading]
            self.cache[key] = found
        return found

    def forms(self, word, flags, pos, tags):
        out = []
        if (pos, tags) in self.allowed and NEEDAFFIX not in flags:
            out.append((word, tags))
        for flag in flags:
            for strip, add, cond, follows, more in self.rules(flag, pos, tags):
                if strip and not word.endswith(strip) or not meets(cond, word):
                    continue
                one = tags + more
                form = word[:len(word) - len(strip)] + add
                if (pos, one) in self.allowed:
                    out.append((form, one))
                for flag2 in follows:
                    for strip2, add2, cond2, _, more2 in self.rules(flag2, pos, one):
                        if (pos, one + more2) not in self.allowed:
                            continue
                        if strip2 and not form.endswith(strip2) or not meets(cond2, form):
                            continue
                        out.append((form[:len(form) - len(strip2)] + add2, one + more2))
        return out


# ---------------------------------------------------------------- build

# How far generation goes, all measured on the forms the web text shows (a
# suffix is generated where the web shows it with enough of the words of
# its kind, so it is productive): an inflection shown with at least this
# share of the words of its kind, for the lemmas at least this common; a
# derivation shown with at least this share, for every attested lemma; the
# verb prefixes the web shows with most verbs, before the common verbs.
INFLECTION_SHARE = 0.04
DERIVATION_SHARE = 0.05
COMMON_FAMILY = 10
VERB_PREFIXES = 12
GENERATED_KINDS = ("noun", "adj", "vrb", "adj_num")


def choose_suffixes(analyses):
    inflections = collections.defaultdict(collections.Counter)
    derivations = collections.defaultdict(collections.Counter)
    prefixes = collections.Counter()
    for word in sorted(analyses):
        found = analyses[word]
        seen = set()
        for a in found:
            pos, tags = signature(segments(a)[-1])
            if pos not in GENERATED_KINDS:
                continue
            derivation, infl = inflection(tags)
            seen.add((pos, derivation, derived_pos(pos, tags), infl))
        for pos, derivation, made, infl in seen:
            inflections[made][infl] += 1 / len(seen)
            derivations[pos][derivation] += 1 / len(seen)
        if found and "ip:PREF" in found[0] and "po:vrb" in found[0] and field(found[0], "sp:"):
            prefixes[field(found[0], "sp:")] += 1

    def productive(counter, share, depth):
        whole = counter[()]
        return {k for k, n in counter.items() if len(k) <= depth and n >= share * whole}
    allowed_infl = {made: productive(inflections[made], INFLECTION_SHARE, 3) for made in GENERATED_KINDS}
    allowed_der = {pos: productive(derivations[pos], DERIVATION_SHARE, 1) for pos in GENERATED_KINDS}
    chosen = sorted(prefixes.items(), key=lambda kv: (-kv[1], kv[0]))[:VERB_PREFIXES]
    return allowed_infl, allowed_der, [p for p, _ in chosen]


def generate(affixes, dic, lemmas, analyses, family, attested, allowed_infl, allowed_der, verb_prefixes):
    """Forms of the lemmas: the productive derivations of each attested
    plain lemma, the common inflections of the common lemmas and of their
    attested derived words, and the commonest verb prefixes before the
    common verbs. Returns form -> (lemma, kind)."""
    sigs = set()
    for pos in GENERATED_KINDS:
        for d in allowed_der[pos]:
            sigs.add((pos, d))
        for d in allowed_der[pos] | {()}:
            for infl in allowed_infl.get(derived_pos(pos, d), set()):
                sigs.add((pos, d + infl))
    paradigms = Paradigms(affixes, sigs)
    heads = collections.defaultdict(list)
    for word, flags, morph in affixes.entries(dic):
        if word and " " not in word:
            pos, tags = signature(morph)
            heads[word].append((flags, pos, tags))
    made = {}
    prefixable = ord("X")
    for lemma in sorted(lemmas):
        # Common: of a common stem, and seen itself unless a plain lemma.
        common = family.get(lemma, 0) >= COMMON_FAMILY
        for a in analyses.get(lemma, ()):
            last = segments(a)[-1]
            head = field(last, "st:")
            pos, tags0 = signature(last)
            derivation, infl0 = inflection(tags0)
            # A lemma form: the bare word, or a word of one productive derivation.
            if pos not in GENERATED_KINDS or infl0 or derivation not in allowed_der[pos] | {()}:
                continue
            if derivation and (not common or lemma not in attested):
                continue
            found = False
            for flags, hpos, htags in heads.get(head, ()):
                if hpos != pos:
                    continue
                forms = paradigms.forms(head, flags, hpos, htags)
                base = [f for f, t in forms if t == tags0 and lemma.endswith(f)]
                if not base and tags0 == htags and lemma.endswith(head):
                    base = [head]
                if not base:
                    continue
                lead = lemma[:len(lemma) - len(base[0])]
                n = len(tags0)
                for form, tags in forms:
                    if tags[:n] != tags0 or tags == tags0:
                        continue
                    kind = "inflected" if inflection(tags)[1] else "derived"
                    if kind == "inflected" and not common:
                        continue
                    made.setdefault(lead + form, (lemma, kind))
                if common and not lead and pos == "vrb" and not tags0 and prefixable in flags \
                        and "ip:PREF" not in a and "pa:" not in a:
                    for prefix in verb_prefixes:
                        made.setdefault(prefix + lemma, (lemma, "prefixed"))
                found = True
                break
            if found:
                break
    return made


CLOSED = re.compile(r"po:(det_def|det_indef|det|con|post|neg|prv|adv|noun_pron|adj_wh|adj_num_wh|noun_ind)(\s|$)")
# The dictionary's "particles" are the pieces of Latin and English phrases
# (et, in, non, pro, status); "de" is a conjunction as well.
FOREIGN_PART = re.compile(r"po:part(\s|$)")


COMPARATIVE = re.compile(r"is:(bb_COMPARATIVE|leg)")
ADJECTIVE_MADE = re.compile(r"(ds|is):\S*_adj\b")
POSSESSIVE = re.compile(r"is:POSS_")
PLACE_ADJECTIVE = "is:i_PLACE/TIME_adj"


def markedness(analysis):
    """What makes a form odd beside the plain forms of its stem, whatever
    its stem's family: the comparative of a word made an adjective
    ("akaróbb", "hátibb"), a possessive on an adjective, numeral or pronoun
    ("jóm", "tije"), an adjective of place made of a noun ("feji",
    "rókai")."""
    last = segments(analysis)[-1]
    pos, tags = signature(last)
    text = " ".join(tags)
    odd = 0
    if COMPARATIVE.search(text) and ADJECTIVE_MADE.search(text.split("bb_COMPARATIVE")[0]):
        odd += 35
    if POSSESSIVE.search(text) and pos in ("adj", "adj_num", "noun_pron", "adj_wh") and not ADJECTIVE_MADE.search(text):
        odd += 35
    if PLACE_ADJECTIVE in text and pos in ("noun", "vrb"):
        odd += 20
    return odd


def cost_of(family, scale, count, web, generated, kind, closed, interjection, foreign, odd=0):
    """How uncommon a form is: the commonest near 0, growing as the form is
    rarer. A stand-in for a frequency, which no Debian package has for
    Hungarian: how many forms of its stem the web text shows (against what
    is usual for its part of speech), how often the form occurs in Debian's
    Hungarian texts, whether the web shows the form itself, and what it is.
    The small closed classes (articles, conjunctions, pronouns,
    postpositions) are judged by the texts alone."""
    if closed:
        return max(1, round(50 - 4 * min(math.log2(1 + count), 10)))
    cost = 100 - max(-20, min(60, 10 * math.log2(max(family, 1) / scale))) - 4 * min(math.log2(1 + count), 8)
    cost += 0 if web else (12 if count else 25)
    cost += {"inflected": 8, "derived": 8, "prefixed": 12}.get(kind, 0)
    if interjection:
        cost += 40
    if foreign:
        cost += 60
    # An odd make the Hungarian texts do not show.
    if not count:
        cost += odd
    return max(1, min(250, round(cost)))


def rude_form(analyses, rude):
    """Whether a stem of the form, or a part of its compound, is a vulgar
    or offensive one."""
    for a in analyses:
        stems = {normal(field(p, "st:")) for p in segments(a)} | {normal(stem_of(a))}
        if stems & rude:
            return True
    return False


ODD_Y = re.compile(r"(?<![glnt])y")


def odd_letters(word):
    """Letters Hungarian words do not use: q, w, x, and y but in gy, ly, ny
    and ty (the old spelling of names keeps them; words do not)."""
    return any(c in word for c in "qwx") or bool(ODD_Y.search(word))


# A short form either unseen in any text or this uncommon is no word a
# reader knows (aiol, cula, vu): such forms crowd anagrams with nonsense.
ODD_SHORT, ODD_COST = 4, 110


def odd_short(word, cost, attested):
    return len(word) <= ODD_SHORT and (not attested or cost >= ODD_COST)


# How often the texts must use a closed-class word to trust it as Hungarian.
CLOSED_EVIDENCE = 25

# What a part of speech's family usually is: verbs have many more forms.
FAMILY_SCALE = {"vrb": 16}


def build(aff, dic, tesseract, aspell, english, texts, rude_path, out, jobs=None):
    jobs = jobs or os.cpu_count() or 2
    base = aff[:-4]
    rude = {normal(x) for x in read_lines(rude_path) if x and not x.startswith("#")}
    affixes = Affixes(aff)

    web = {w for w in (normal(x) for x in read_lines(tesseract)) if plausible(w)}
    stems_dic = {w for w, _, _ in affixes.entries(dic)}
    stems_dic = {w for w in (normal(x) for x in stems_dic if x and x == x.lower()) if plausible(w)}
    english_words = {normal(x) for x in read_lines(english) if x == x.lower()}
    lines_of_text = text_lines(read_lines(texts))
    in_texts = {w for words in lines_of_text for w in words if plausible(w)}
    log(f"{len(web)} web forms, {len(stems_dic)} dictionary stems, {len(in_texts)} forms in the texts")

    # What hunspell knows as written, with its analyses.
    seen = sorted(web | stems_dic | in_texts)
    analyses = hunspell("-m", seen, base, jobs)
    accepted = hunspell("-G", [w for w in seen if analyses.get(w)], base, jobs)
    counts = text_counts(lines_of_text, accepted, english_words)
    in_texts = set(counts)
    analyses = {w: a for w, a in analyses.items() if w in web or w in stems_dic or w in in_texts}
    analyses = {w: a for w, a in analyses.items() if w in accepted and not kind_of(a)}
    log(f"{len(analyses)} of them accepted")

    # The family: how many attested forms share a stem (web and texts).
    stems = {w: sorted({stem_of(a) for a in found} - {""}) for w, found in analyses.items()}
    family_of_stem = collections.Counter()
    for w in sorted(stems):
        for s in stems[w]:
            family_of_stem[s] += 1

    # Which suffixes and prefixes are productive, by the web text's own use.
    allowed_infl, allowed_der, prefixes = choose_suffixes(analyses)
    log("derivations: " + "; ".join(f"{p} {sorted(' '.join(d) for d in ds if d)}"
                                    for p, ds in sorted(allowed_der.items())))
    log("inflections: " + ", ".join(f"{p} {len(i)}" for p, i in sorted(allowed_infl.items()))
        + "; prefixes: " + " ".join(prefixes))

    def productive_lemma(analysis):
        pos, tags = signature(segments(analysis)[-1])
        derivation, infl = inflection(tags)
        return pos in GENERATED_KINDS and not infl and derivation in allowed_der[pos] | {()}

    # Lemmas: the stems of what was seen, and those of aspell's roots that
    # are plain or of a productive derivation (its others are rarely words).
    roots = {w for w in (normal(x.split("/", 1)[0]) for x in read_lines(aspell)) if plausible(w)}
    new = sorted(({s for found in stems.values() for s in found if plausible(s)} | roots) - set(analyses))
    more = hunspell("-m", new, base, jobs)
    accepted = hunspell("-G", [w for w in new if more.get(w)], base, jobs)
    lemmas_added = {}
    for w in new:
        found = more.get(w)
        if w not in accepted or not found or kind_of(found):
            continue
        if w in roots and w not in family_of_stem and not any(productive_lemma(a) for a in found):
            continue
        lemmas_added[w] = found
    log(f"{len(lemmas_added)} lemmas added from stems and aspell's roots")

    def family(w, found):
        return max([family_of_stem.get(s, 0) for s in {stem_of(a) for a in found}] + [1])

    every = dict(analyses)
    every.update(lemmas_added)
    families = {w: family(w, found) for w, found in every.items()}

    # Generated forms: as far as the web text's own use goes.
    made = generate(affixes, dic, sorted(every), every, families, set(analyses), allowed_infl, allowed_der, prefixes)
    fresh = sorted(w for w in made if w not in every and plausible(w))
    log(f"{len(fresh)} forms generated")
    gen_analyses = hunspell("-m", fresh, base, jobs)
    gen_accepted = hunspell("-G", [w for w in fresh if gen_analyses.get(w)], base, jobs)
    generated = {}
    for w in fresh:
        found = gen_analyses.get(w)
        if w in gen_accepted and found and not kind_of(found):
            generated[w] = found
    log(f"{len(generated)} generated forms accepted")

    lines = []
    for w in sorted(set(every) | set(generated)):
        found = every.get(w) or generated[w]
        lemma, kind = made.get(w, (w, None))
        first = signature(segments(found[0])[-1])
        if kind is None:
            derivation, infl = inflection(first[1])
            kind = "inflected" if infl else "derived" if derivation else None
        fam = families.get(lemma) or family(w, found)
        readings = readings_of(found)
        count = counts.get(w, 0)
        # A closed-class word the Hungarian texts hardly use is a foreign
        # one the dictionary took in (non, sic, in).
        closed = count >= CLOSED_EVIDENCE and any(CLOSED.search(a) for a in found)
        foreign = (w in english_words and fam <= 12 and count < CLOSED_EVIDENCE) or \
            (any(FOREIGN_PART.search(a) for a in found) and not closed)
        interjection = all(r[0] == "J" for r in readings)
        cost = cost_of(fam, FAMILY_SCALE.get(first[0], 4), count, w in web, w in generated, kind, closed,
                       interjection, foreign, min(markedness(a) for a in found))
        marks = ("R" if rude_form(found, rude) else "") + \
            ("X" if foreign or interjection or odd_letters(w) or odd_short(w, cost, w in web or count > 0) else "")
        stem = stem_for(found)
        lines.append(f"{w}\t{cost}\t{marks or '-'}\t{','.join(readings)}\t"
                     f"{stem if stem != w and GAME_WORD.fullmatch(stem) else '='}")
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        # The count first, so that a reader tells a list cut short.
        f.write(f"#\t{len(lines)}\n")
        f.writelines(line + "\n" for line in lines)
    log(f"{len(lines)} forms written")


if __name__ == "__main__":
    if len(sys.argv) == 10 and sys.argv[1] == "build":
        build(*sys.argv[2:])
    else:
        sys.exit(__doc__)
