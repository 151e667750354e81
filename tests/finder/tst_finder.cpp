// SPDX-License-Identifier: GPL-3.0-or-later
// The finder counts letters exactly and finds every word and every anagram once, within the limits asked for.

#include "finder/listtext.h"
#include "finder/rules/placement.h"
#include "finder/rules/phrase.h"
#include "finder/rules/search.h"

#include <QRandomGenerator>
#include <QtTest>
#include <set>
#include <thread>

using namespace finder;

static WordList listOf(const QStringList &words)
{
    std::optional<WordList> list = WordList::parse(listText(words));
    if (!list)
        qFatal("not a list");
    return std::move(*list);
}

// An anagram as sorted words joined by spaces, the must-contain words among them.
static QString spelled(const WordList &list, const Anagram &a, const QStringList &contained)
{
    QStringList words = contained;
    for (const int32_t w : a.words)
        words << list.word(w);
    words.sort();
    return words.join(' ');
}

static QStringList anagramsOf(const WordList &list, const Query &q)
{
    const Search search(list, q);
    QStringList found;
    std::atomic<bool> cancel{false};
    search.anagrams([&](std::vector<Anagram> &&batch) {
        for (const Anagram &a : batch)
            found << spelled(list, a, search.contained());
    }, cancel, 3);
    return found;
}

// Every multiset of at most `most` words of at least `minLength` letters whose letters are alike with `rest` at the
// level: the slow way.
static void brute(const QStringList &words, const Counts &rest, int from, int most, int minLength, Relax relax,
                  QStringList &chosen, std::set<QString> &out)
{
    if (rest.total() == 0) {
        QStringList sorted = chosen;
        sorted.sort();
        out.insert(sorted.join(' '));
        return;
    }
    if (most == 0)
        return;
    for (int i = from; i < words.size(); ++i) {
        const Counts c = fold(countLetters(words[i]), relax);
        if (c.total() < minLength || !rest.holds(c))
            continue;
        chosen << words[i];
        brute(words, rest.minus(c), i, most - 1, minLength, relax, chosen, out);
        chosen.removeLast();
    }
}

class TestFinder : public QObject
{
    Q_OBJECT
private slots:
    // Each of the game's 35 letters is read by the list's reader as the same letter the query counts, in either case
    // and composed or not: a list word of the letter is found from the letter and from nothing else.
    void everyLetterReadAlike_data()
    {
        QTest::addColumn<QString>("letter");
        const QString all = QStringLiteral("aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz");
        for (const QChar c : all)
            QTest::newRow(QString(c).toUtf8()) << QString(c);
    }
    void everyLetterReadAlike()
    {
        QFETCH(QString, letter);
        const QString all = QStringLiteral("aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz");
        QStringList words;
        for (const QChar c : all)
            words << QString(c) + QStringLiteral("qx"); // the letter with a marker, so that each word stands alone
        const WordList list = listOf(words);
        for (const QString &query : {letter, letter.toUpper(), letter.normalized(QString::NormalizationForm_D),
                                     letter.toUpper().normalized(QString::NormalizationForm_D)}) {
            Query q;
            q.letters = query + QStringLiteral("qx");
            QStringList found;
            for (const FoundWord &w : Search(list, q).words())
                if (list.length(w.word) == 3)
                    found << list.word(w.word);
            QCOMPARE(found, QStringList{letter + QStringLiteral("qx")});
        }
    }

    // The search against every multiset of words, on small random lists over a few letters, accents among them:
    // each found once, none false; relaxed, the swaps turn the tiles into the words' letters.
    void everyAnagramOnce_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("maxWords");
        QTest::addColumn<int>("minLength");
        QTest::addColumn<int>("level");
        for (int seed = 1; seed <= 6; ++seed) {
            QTest::addRow("seed %d, up to 3 words", seed) << seed << 3 << 1 << 0;
            QTest::addRow("seed %d, up to 4 words of 2 letters or more", seed) << seed << 4 << 2 << 0;
        }
        for (int seed = 1; seed <= 4; ++seed)
            for (int level = 1; level <= 3; ++level)
                QTest::addRow("seed %d, relaxed at level %d", seed, level) << seed << 3 << 1 << level;
    }
    void everyAnagramOnce()
    {
        QFETCH(int, seed);
        QFETCH(int, maxWords);
        QFETCH(int, minLength);
        QFETCH(int, level);
        const Relax relax = Relax(level);
        QRandomGenerator rng{quint32(seed)};
        const QString alphabet = level ? QStringLiteral("aáoóöőuúüűiíywv") : QStringLiteral("aáelmoöős");
        QStringList words;
        while (words.size() < 60) {
            QString w;
            for (int n = 1 + int(rng.bounded(level ? 3 : 4)); n > 0; --n)
                w += alphabet[int(rng.bounded(alphabet.size()))];
            // Words of the same letters come in twos and threes, where an anagram can be spelled several ways.
            for (int turn = 0; turn < 3 && !words.contains(w); ++turn) {
                words << w;
                std::rotate(w.begin(), w.begin() + 1, w.end());
            }
        }
        // Exact, a phrase of doubled words, so that an anagram may use a word, or a class, twice; relaxed, letters
        // at random, which the words match only through their swaps.
        QString phrase;
        for (int n = 2 + int(rng.bounded(2)); n > 0 && !level; --n)
            phrase += words[int(rng.bounded(words.size()))].repeated(2);
        for (int n = 6 + int(rng.bounded(3)); n > 0 && level; --n)
            phrase += alphabet[int(rng.bounded(alphabet.size()))];
        std::set<QString> expected;
        QStringList chosen;
        brute(words, fold(countLetters(phrase), relax), 0, maxWords, minLength, relax, chosen, expected);

        const WordList list = listOf(words);
        Query q;
        q.letters = phrase;
        q.maxWords = maxWords;
        q.minLength = minLength;
        q.relax = relax;
        QStringList found;
        std::atomic<bool> cancel{false};
        Search(list, q).anagrams([&](std::vector<Anagram> &&batch) {
            for (const Anagram &a : batch) {
                found << spelled(list, a, {});
                Counts tiles = countLetters(phrase);
                for (const Swap &s : a.swaps) {
                    QVERIFY(foldLetter(s.tile, relax) == foldLetter(s.letter, relax) && s.tile != s.letter);
                    --tiles.n[size_t(s.tile)];
                    ++tiles.n[size_t(s.letter)];
                }
                QString letters;
                for (const int32_t w : a.words)
                    letters += list.word(w);
                const Counts spelledLetters = countLetters(letters);
                QVERIFY(std::equal(tiles.n.begin(), tiles.n.begin() + Letters, spelledLetters.n.begin()));
            }
        }, cancel, 3);
        QCOMPARE(std::set<QString>(found.begin(), found.end()), expected);
        QCOMPARE(found.size(), qsizetype(expected.size())); // each once
    }

    // Each level takes its letters as alike, and no others; the words say which tiles stand for which letters.
    void relaxLevels_data()
    {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("exact") << "KÓR" << 0 << QStringList{"kór"};
        QTest::newRow("long as short: ó as o, not ö") << "KÓR" << 1 << QStringList{"kór", "kor (ó→o)"};
        QTest::newRow("long as short: ű as ü, not u") << "TŰR" << 1 << QStringList{"tür (ű→ü)"};
        QTest::newRow("accents off: ó as o and ö") << "KÓR" << 2 << QStringList{"kór", "kor (ó→o)", "kör (ó→ö)"};
        QTest::newRow("accents off: ű as u and ü") << "TŰR" << 2 << QStringList{"tur (ű→u)", "tür (ű→ü)"};
        QTest::newRow("accents off: not y as i yet") << "yva" << 2 << QStringList{};
        QTest::newRow("old names: y as i, w as v") << "ywa" << 3 << QStringList{"iva (y→i, w→v)", "vai (y→i, w→v)"};
    }
    void relaxLevels()
    {
        QFETCH(QString, letters);
        QFETCH(int, level);
        QFETCH(QStringList, words);
        const WordList list = listOf({"kór", "kor", "kör", "tőr", "tör", "tor", "tür", "tur", "iva", "vai", "ava"});
        Query q;
        q.letters = letters;
        q.relax = Relax(level);
        q.minLength = 3;
        QStringList found;
        for (const FoundWord &w : Search(list, q).words())
            found << rankWord(list, w).shown();
        found.sort();
        words.sort();
        QCOMPARE(found, words);
    }

    // Relaxing adds results and never reorders or hides the exact ones.
    void relaxingKeepsTheExactOrder()
    {
        const std::optional<WordList> list = WordList::load(QStringLiteral(MORVALIN_WORDLIST));
        QVERIFY(list);
        const auto ranked = [&](Relax relax) {
            Query q;
            q.letters = QStringLiteral("Petőfi Sándor");
            q.relax = relax;
            const Search search(*list, q);
            std::vector<Ranked> all;
            std::atomic<bool> cancel{false};
            search.anagrams([&](std::vector<Anagram> &&batch) {
                for (const Anagram &a : batch)
                    all.push_back(rankAnagram(*list, a, {}));
            }, cancel);
            std::stable_sort(all.begin(), all.end(), [](const Ranked &a, const Ranked &b) { return a.rank < b.rank; });
            QStringList exact;
            for (const Ranked &r : all)
                if (r.swaps.empty())
                    exact << r.rank.text;
            return std::pair{exact, all.size()};
        };
        const auto [exact, exactCount] = ranked(Relax::Exact);
        for (const Relax relax : {Relax::LongShort, Relax::Accents, Relax::OldNames}) {
            const auto [withinRelaxed, count] = ranked(relax);
            QCOMPARE(withinRelaxed, exact);
            QVERIFY(count > exactCount);
        }
    }

    // On the shipped list, where the same class and the same word come up twice, each set of words comes out once.
    void eachSetOnceOnTheRealList_data()
    {
        QTest::addColumn<QString>("phrase");
        QTest::addColumn<int>("maxWords");
        QTest::newRow("Szabó Magda regényei, up to 4 words") << "Szabó Magda regényei" << 4;
        QTest::newRow("Petőfi Sándor, up to 5 words") << "Petőfi Sándor" << 5;
    }
    void eachSetOnceOnTheRealList()
    {
        QFETCH(QString, phrase);
        QFETCH(int, maxWords);
        const std::optional<WordList> list = WordList::load(QStringLiteral(MORVALIN_WORDLIST));
        QVERIFY(list);
        Query q;
        q.letters = phrase;
        q.maxWords = maxWords;
        q.allowStarting = true;
        const QStringList found = anagramsOf(*list, q);
        QVERIFY(found.size() > 1000);
        const std::set<QString> distinct(found.begin(), found.end());
        QCOMPARE(qsizetype(distinct.size()), found.size());
        for (const QString &a : found) // and each one spells the phrase exactly
            QVERIFY2(countLetters(a) == countLetters(phrase), qPrintable(a));
    }

    // On the shipped list, of two anagrams of the same letters, the one a person would pick comes first.
    void personPicks_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::newRow("common words before rare ones") << "falu tó" << "tufa ól";
        QTest::newRow("common words before rare ones, 2") << "anyja során" << "sara nyájon";
        QTest::newRow("an interjection last") << "falu tó" << "ó falut";
        QTest::newRow("a foreign word last") << "szén pap" << "szén app";
        QTest::newRow("fewer words where alike common") << "anyja során" << "anyja s áron";
        QTest::newRow("a phrase before a heap of words") << "a jó mikró" << "jóm óra ki";
    }
    void personPicks()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        const std::optional<WordList> list = WordList::load(QStringLiteral(MORVALIN_WORDLIST));
        QVERIFY(list);
        QCOMPARE(countLetters(first), countLetters(then));
        const auto ranked = [&](const QString &text) {
            Anagram a;
            for (const QString &word : text.split(u' ')) {
                const int c = list->find(countLetters(word));
                for (const int32_t w : c >= 0 ? list->wordsOf(c) : std::span<const int32_t>())
                    if (list->word(w) == word)
                        a.words.push_back(w);
            }
            if (a.words.size() != size_t(text.count(u' ') + 1))
                qFatal("not on the list: %s", qPrintable(text));
            return rankAnagram(*list, a, {}).rank;
        };
        QVERIFY2(ranked(first) < ranked(then), qPrintable(QString("%1 (%2) after %3 (%4)").arg(first).arg(ranked(first).score)
                                                                .arg(then).arg(ranked(then).score)));
    }

    // How words read as a phrase: their order and whether the reading earns or costs.
    void phrase_data()
    {
        QTest::addColumn<QStringList>("words"); // "text classes", classes as the list writes them
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("bonus");
        using S = PhraseScore;
        QTest::newRow("article before its noun") << QStringList{"kutya N", "a D"} << "a kutya" << S::Article;
        QTest::newRow("az before a vowel") << QStringList{"alma N", "az D"} << "az alma" << S::Article;
        QTest::newRow("a before a vowel: dangling") << QStringList{"alma N", "a D"} << "alma a" << -S::Dangling;
        QTest::newRow("article, adjective, noun") << QStringList{"alma N", "piros A", "a D"} << "a piros alma"
                                                  << S::Article + S::Attribute;
        QTest::newRow("subject, verb, object") << QStringList{"almát O", "kutya N", "eszi V"} << "kutya eszi almát"
                                               << S::Predicate;
        QTest::newRow("a word of two classes takes the better") << QStringList{"vár NV", "a D", "ló N"}
                                                                << "a ló vár" << S::Article + S::Predicate;
        QTest::newRow("two verbs") << QStringList{"fut V", "ül V", "ló N"} << "ló fut ül" << S::Predicate - S::SecondVerb;
        QTest::newRow("the adjective as predicate") << QStringList{"jó A", "kor N", "mai A"} << "mai kor jó" << S::Attribute;
        QTest::newRow("no phrase") << QStringList{"ha F", "sőt F"} << "sőt ha" << 0;
    }
    void phrase()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, order);
        QFETCH(int, bonus);
        static const QString Letters = QStringLiteral("DNOCAVIF");
        std::vector<PhraseWord> given;
        for (const QString &w : words) {
            uint8_t classes = 0;
            for (const QChar c : w.section(u' ', 1))
                classes |= uint8_t(1 << Letters.indexOf(c));
            given.push_back({w.section(u' ', 0, 0), classes, 50});
        }
        const Phrase p = arrange(given);
        QStringList seen;
        for (const int i : p.order)
            seen << given[size_t(i)].text;
        QCOMPARE(seen.join(u' '), order);
        QCOMPARE(p.bonus, bonus);
    }

    void placement_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("lower"); // the lower row's usable slots before: x taken
        QTest::addColumn<QString>("after"); // the same slots after, each moved tile by its letter, or the refusal
        // The upper row: tiles 0..4 bearing A L M A L in slots 0..4.
        QTest::newRow("a gap after a word lying there") << QStringList{"la"} << "xx......" << "xx.LA...";
        QTest::newRow("the leftmost gap wide enough") << QStringList{"ma"} << "x..x.....x" << "x..x.MA..x";
        QTest::newRow("an anagram, its words apart") << QStringList{"la", "ma"} << "........" << "LA.MA...";
        QTest::newRow("against the row's end") << QStringList{"al"} << "xxx..." << "xxx.AL";
        QTest::newRow("a letter the row lacks: nothing moves") << QStringList{"ma", "mal"} << "........"
                                                                << "Nincs elég M betű a felső sorban.";
        QTest::newRow("Á is not A") << QStringList{"ál"} << "...." << "Nincs elég Á betű a felső sorban.";
    }
    void placement()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, lower);
        QFETCH(QString, after);
        std::vector<UpperTile> upper;
        for (int i = 0; i < 5; ++i)
            upper.push_back({i, QString("ALMAL")[i], i});
        std::vector<bool> taken;
        for (const QChar c : lower)
            taken.push_back(c == 'x');
        const Placement placed = finder::place(words, upper, taken);
        QString seen = lower;
        for (const TileMove &m : placed.moves) {
            QVERIFY(seen[m.slot] == '.');
            seen[m.slot] = QString("ALMAL")[m.tile];
        }
        QCOMPARE(placed.refusal.isEmpty() ? seen : placed.refusal, after);
    }

    void cancelStops()
    {
        // Every two-letter word over ten letters, thirty letters in fifteen words: a search nobody would wait for.
        QStringList words;
        const QString alphabet = QStringLiteral("abcdeéfghi");
        for (QChar x : alphabet)
            for (QChar y : alphabet)
                words << QString(x) + y;
        const WordList list = listOf(words);
        Query q;
        q.letters = alphabet.repeated(3);
        q.maxWords = 15;
        const Search search(list, q);
        std::atomic<bool> cancel{false}, running{true};
        std::thread worker([&] {
            search.anagrams([](std::vector<Anagram> &&) {}, cancel);
            running = false;
        });
        QTest::qWait(100);
        QVERIFY(running);
        cancel = true;
        QTRY_VERIFY_WITH_TIMEOUT(!running, 2000);
        worker.join();
    }
};

QTEST_APPLESS_MAIN(TestFinder)
#include "tst_finder.moc"
