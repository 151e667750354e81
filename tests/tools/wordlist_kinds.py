# SPDX-License-Identifier: GPL-3.0-or-later
"""The word list tool keeps each kind of form in or out as it should, and the
committed list is what the tool's rules say.

  wordlist_kinds.py SOURCE_DIR
"""
import os
import sys
import unittest

SOURCE = sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..")
sys.path.insert(0, os.path.join(SOURCE, "tools", "wordlist"))
import wordlist  # noqa: E402


def committed():
    forms = {}
    with open(os.path.join(SOURCE, "assets", "szavak.txt"), encoding="utf-8") as f:
        next(f)
        for line in f:
            form, cost, classes = line.rstrip("\n").split("\t")
            forms[form] = (int(cost), classes)
    return forms


LIST = committed()


class Rules(unittest.TestCase):
    def test_plausible(self):
        for word, kept in [("alma", True), ("a", True), ("ő", True), ("b", False), ("kg", False),
                           ("seeed", False), ("naïv", False), ("õz", False), ("Alma", False)]:
            with self.subTest(word=word):
                self.assertEqual(wordlist.plausible(word), kept)

    def test_kinds(self):
        # Analyses as hunspell -m gives them.
        cases = [
            ("min", ["st:min po:abr"], "abbreviation"),
            ("kossuthos", ['fl:" st:Kossuth po:noun_prs ts:NOM ds:s_ATTRIBUTE_adj ts:NOM'], "proper"),
            # A word that is also made from a name stays: "kínai" is everyday Hungarian.
            ("kínai", ["st:Kína po:noun_prs ts:NOM is:i_PLACE/TIME_adj ts:NOM", "st:kínai po:adj ts:NOM"], None),
            ("alma", ["st:alma po:noun ts:NOM"], None),
        ]
        for word, analyses, kind in cases:
            with self.subTest(word=word):
                self.assertEqual(wordlist.kind_of(analyses), kind)

    def test_classes(self):
        cases = [
            (["st:a po:det_def", "st:a po:noun ts:NOM"], "DN"),
            (["st:alma po:noun ts:NOM"], "N"),
            (["st:alma po:noun ts:NOM is:ACC"], "O"),
            (["st:alma po:noun ts:NOM is:PLUR is:NOM"], "N"),
            (["st:rózsa po:noun ts:NOM is:SUE"], "C"),
            (["st:szép po:adj ts:NOM"], "A"),
            (["st:fut po:vrb ts:PRES_INDIC_INDEF_SG_3"], "V"),
            (["st:fut po:vrb ts:PRES_INDIC_INDEF_SG_3 is:PAST_INDIC_INDEF_SG_3"], "V"),
            (["st:fut po:vrb ts:PRES_INDIC_INDEF_SG_3 is:ni_INFINITIVE_inf"], "F"),
            (["st:kap po:vrb ts:PRES_INDIC_INDEF_SG_3 ds:Ás_PROCESS/RESULT_noun ts:NOM"], "N"),
            (["st:hja po:sentint"], "I"),
            (["st:és po:con"], "F"),
        ]
        for analyses, classes in cases:
            with self.subTest(analyses=analyses[0]):
                self.assertEqual(wordlist.classes_of(analyses), classes)

    def test_cost_order(self):
        cost = wordlist.cost_of
        common = cost(200, 4, 100, True, False, None, False, False, False)
        rare = cost(2, 4, 0, True, False, None, False, False, False)
        generated = cost(2, 4, 0, False, True, None, False, False, False)
        self.assertLess(common, rare)
        self.assertLess(rare, generated)
        self.assertLess(rare, cost(2, 4, 0, True, False, None, False, True, False))  # an interjection
        self.assertLess(rare, cost(2, 4, 0, True, False, None, False, False, True))  # a foreign word
        self.assertLess(rare, cost(2, 4, 0, True, False, "inflected", False, False, False))
        # A verb needs more forms than a noun to count as common.
        self.assertLess(cost(40, 4, 0, True, False, None, False, False, False),
                        cost(40, 16, 0, True, False, None, False, False, False))
        # The closed classes by the texts alone.
        self.assertLessEqual(cost(1, 4, 10000, True, False, None, True, False, False), 15)


class CommittedList(unittest.TestCase):
    def test_in(self):
        # A dictionary word, its inflections, a prefixed verb, a derived word, function words.
        for word in ["alma", "almát", "rózsán", "abbahagy", "behajt", "belebújik", "elkapás", "dugulás", "és", "a", "az",
                     "rá", "jó", "ki", "ő", "s", "ó", "e"]:
            with self.subTest(word=word):
                self.assertIn(word, LIST)

    def test_out(self):
        # Names, forms made from names, abbreviations, stray letters, web spellings, letters the game lacks.
        for word in ["sándor", "budapest", "kossuthos", "fertődi", "budapestit", "min", "kg", "db", "b", "x", "seeed",
                     "naïv"]:
            with self.subTest(word=word):
                self.assertNotIn(word, LIST)

    def test_ranked_last(self):
        # Foreign words, Latin pieces and interjections cost more than any everyday word.
        everyday = max(LIST[w][0] for w in ["alma", "kutya", "ház", "szép", "fut", "és", "rá", "jó"])
        for word in ["yard", "pub", "air", "sic", "non", "et", "hja", "aj", "ej"]:
            with self.subTest(word=word):
                self.assertGreater(LIST[word][0], everyday + 30)

    def test_short_words_welcome(self):
        for word in ["a", "az", "és", "is", "ki", "rá"]:
            with self.subTest(word=word):
                self.assertLessEqual(LIST[word][0], 30)


if __name__ == "__main__":
    unittest.main()
