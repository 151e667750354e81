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
            form, cost, marks, readings, stem = line.rstrip("\n").split("\t")
            forms[form] = (int(cost), marks, readings.split(","), form if stem == "=" else stem)
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

    def test_readings(self):
        # What a phrase needs of a form: part of speech, case, number, person, definiteness, possessor.
        cases = [
            (["st:a po:det_def", "st:a po:noun ts:NOM"], ["T---d--"]),  # the letter's name left out
            (["st:alma po:noun ts:NOM is:ACC"], ["Nas3---"]),
            (["st:alma po:noun ts:NOM is:PLUR is:NOM"], ["Nnp3---"]),
            (["st:kabát po:noun ts:NOM is:POSS_SG_3 is:NOM"], ["Nns3-3s"]),
            (["st:rózsa po:noun ts:NOM is:SUE"], ["Nos3---"]),
            (["st:szép po:adj ts:NOM"], ["Ans3---"]),
            (["st:fut po:vrb ts:PRES_INDIC_INDEF_SG_3"], ["V-s3i--"]),
            (["st:lát po:vrb is:PRES_INDIC_DEF_PL_1"], ["V-p1d--"]),
            (["st:szeret po:vrb ts:PRES_INDIC_INDEF_SG_3 is:PRES_INDIC_SG_1_OBJ_2"], ["V-s1k--"]),
            (["st:fut po:vrb ts:PRES_INDIC_INDEF_SG_3 is:ni_INFINITIVE_inf"], ["I------"]),
            (["st:én po:noun_pron is:SG_3 is:ACC"], ["Pas3d--"]),
            (["st:kap po:vrb ts:PRES_INDIC_INDEF_SG_3 ds:Ás_PROCESS/RESULT_noun ts:NOM"], ["Nns3---"]),
            (["st:hja po:sentint"], ["J------"]),
            (["st:után po:post"], ["U------"]),
        ]
        for analyses, readings in cases:
            with self.subTest(analyses=analyses[0]):
                self.assertEqual(wordlist.readings_of(analyses), readings)

    def test_marks(self):
        rude = {"segg", "szar"}
        self.assertTrue(wordlist.rude_form(["pa:segg st:segg po:noun ts:NOM pa:fej st:fej po:noun ts:NOM"], rude))
        self.assertTrue(wordlist.rude_form(["st:szar po:noun ts:NOM ds:s_ATTRIBUTE_adj ts:NOM"], rude))
        self.assertFalse(wordlist.rude_form(["st:szarvas po:noun ts:NOM"], rude))
        for word, odd in [("wifi", True), ("yard", True), ("quo", True), ("hegy", False), ("lyuk", False), ("nagy", False)]:
            with self.subTest(word=word):
                self.assertEqual(wordlist.odd_letters(word), odd)

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

    def test_rare_and_rude_marked(self):
        # Foreign words, Latin pieces and interjections are rare (X), vulgar ones rude (R), everyday words neither.
        for word in ["yard", "pub", "air", "sic", "non", "et", "hja", "aj", "ej", "wifi"]:
            with self.subTest(word=word):
                self.assertIn("X", LIST[word][1])
        for word in ["geci", "seggfej", "szaros"]:
            with self.subTest(word=word):
                self.assertIn("R", LIST[word][1])
        for word in ["alma", "kutya", "ház", "szép", "fut", "és", "rá", "jó", "szarvas", "baszk"]:
            with self.subTest(word=word):
                self.assertEqual(LIST[word][1], "-")

    def test_short_words_welcome(self):
        for word in ["a", "az", "és", "is", "ki", "rá"]:
            with self.subTest(word=word):
                self.assertLessEqual(LIST[word][0], 30)


if __name__ == "__main__":
    unittest.main()
