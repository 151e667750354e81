// SPDX-License-Identifier: GPL-3.0-or-later
// The finder counts letters exactly and gives every anagram once, the best first, in the order the full sort of
// every anagram gives, within the limits asked for.

#include "finder/listtext.h"
#include "finder/rules/placement.h"
#include "finder/rules/phrase.h"
#include "finder/rules/search.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <thread>

using namespace finder;

static WordList listOf(const QStringList &words)
{
    std::optional<WordList> list = WordList::parse(listText(words));
    if (!list)
        qFatal("not a list");
    return std::move(*list);
}

static const WordList &shippedList()
{
    static const std::optional<WordList> list = WordList::load(QStringLiteral(MORVALIN_WORDLIST));
    if (!list)
        qFatal("the shipped list does not load");
    return *list;
}

// What the search gives, run after run, and how it ended.
// `inRuns`: only in growing runs, as a deep search goes, without trying the rest at once.
static std::pair<std::vector<Anagram>, Ending> given(const Search &search, size_t most = MostAnagrams, bool inRuns = false)
{
    std::vector<Anagram> found;
    const std::atomic<bool> cancel{false};
    const Ending ending = search.anagrams([&](std::span<const Anagram> run) { found.insert(found.end(), run.begin(), run.end()); },
                                         cancel, most, inRuns ? std::chrono::milliseconds(0) : Search::RestTime);
    return {found, ending};
}

// Every multiset of at most `most` words of the list that the search may use, whose letters are alike with `rest` at
// the loosest level, weighed, and sorted: the slow way.
static void brute(const Search &search, const std::vector<std::pair<int32_t, Counts>> &words, const Counts &rest,
                  size_t from, int most, std::vector<int32_t> &chosen, std::vector<Anagram> &out)
{
    if (rest.total() == 0) {
        if (const std::optional<Anagram> a = search.weigh(chosen))
            out.push_back(*a);
        return;
    }
    for (size_t i = from; i < words.size() && most > 0; ++i) {
        if (!rest.holds(words[i].second))
            continue;
        chosen.push_back(words[i].first);
        brute(search, words, rest.minus(words[i].second), i, most - 1, chosen, out);
        chosen.pop_back();
    }
}
static std::vector<Anagram> fullSort(const WordList &list, const Search &search, const Query &q)
{
    const Relax loose = q.relax == Relax::Exact ? Relax::Exact : Relax::Loosest;
    Counts rest = fold(countLetters(q.letters), loose);
    const Counts contained = fold(countLetters(q.contain), loose);
    if (!rest.holds(contained))
        return {};
    rest = rest.minus(contained);
    std::vector<std::pair<int32_t, Counts>> words;
    for (int w = 0; w < list.wordCount(); ++w) {
        const Counts letters = fold(list.lettersOf(w), loose);
        if (list.length(w) >= q.minLength && rest.holds(letters) && search.usable(w))
            words.push_back({w, letters});
    }
    std::vector<Anagram> all;
    std::vector<int32_t> chosen;
    brute(search, words, rest, 0, q.maxWords - int(search.contained().size()), chosen, all);
    std::sort(all.begin(), all.end(), [&](const Anagram &a, const Anagram &b) { return search.before(a, b); });
    return all;
}

static QStringList shown(const Search &search, const std::vector<Anagram> &anagrams)
{
    QStringList texts;
    for (const Anagram &a : anagrams)
        texts << QString::number(a.score) + u' ' + search.ranked(a).shown();
    return texts;
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

    // The search against the full sort of every anagram found the slow way: the same anagrams in the same order,
    // the best N the first N; relaxed, the swaps turn the tiles into the words' letters. On small random lists,
    // where one class or one word comes twice, and on the shipped list with letters drawn from its own words, at
    // every level, with and without must-contain and starting words.
    void bestFirstIsTheFullSort_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<int>("level");
        // Words of one cost and no reading, whose anagrams score their bound exactly: ties go by fewer words and text.
        QTest::addRow("ties at the bound") << 0 << false << 0;
        for (int level = 0; level < RelaxLevels; ++level)
            for (int seed = 1; seed <= 3; ++seed) {
                QTest::addRow("random list %d, level %d", seed, level) << seed << false << level;
                QTest::addRow("shipped list %d, level %d", seed, level) << seed << true << level;
            }
    }
    void bestFirstIsTheFullSort()
    {
        QFETCH(int, seed);
        QFETCH(bool, shipped);
        QFETCH(int, level);
        QRandomGenerator rng{quint32(seed * 7 + level)};
        Query q;
        q.relax = Relax(level);
        q.maxWords = 3 + int(rng.bounded(2));
        q.minLength = 1 + int(rng.bounded(2));
        const QString alphabet = level ? QStringLiteral("aáoóöőuúüűiíywv") : QStringLiteral("aáelmoöős");
        QStringList forms, words;
        if (seed == 0)
            for (const char *w : {"a", "b", "c", "d", "ab", "bc", "cd", "abc", "bcd", "dab"})
                forms << w, words << QString(w) + "\t50\tO------";
        while (!shipped && forms.size() < 60) {
            QString w;
            for (int n = 1 + int(rng.bounded(level ? 3 : 4)); n > 0; --n)
                w += alphabet[int(rng.bounded(alphabet.size()))];
            // Words of the same letters come in twos and threes, at two costs, so that many anagrams tie.
            for (int turn = 0; turn < 3 && !forms.contains(w); ++turn) {
                forms << w;
                words << w + QStringLiteral("\t%1\t%2").arg(10 + 40 * rng.bounded(2)).arg(QStringList{"Nns3---", "Ans3---", "V-s3i--", "T---d--", "Nas3---", "Nos3---"}[int(rng.bounded(6))]);
                std::rotate(w.begin(), w.begin() + 1, w.end());
            }
        }
        const WordList own = shipped ? WordList() : listOf(words);
        const WordList &list = shipped ? shippedList() : own;
        // The letters of two or three short words of the list, one of them maybe twice, so that an anagram may
        // use a word or a class twice; relaxed, each letter maybe turned into one alike at the level, which the words
        // then match only through their swaps.
        if (seed == 0)
            q.letters = QStringLiteral("abcd");
        while (seed && (q.letters.size() < 6 || countLetters(q.letters + q.contain).total() > 11)) {
            q.letters.clear();
            q.contain.clear();
            for (int n = 2 + int(rng.bounded(2)); n > 0; --n) {
                const QString w = list.word(int(rng.bounded(list.wordCount())));
                if (n == 1 && seed == 2 && shipped)
                    q.contain = w; // it is in every anagram
                else
                    q.letters += (w + u' ').repeated(shipped ? 1 : 1 + int(rng.bounded(2)));
            }
        }
        if (shipped && seed == 3)
            q.starting = q.letters.section(u' ', 0, 0);
        // Room for the words drawn, at least.
        const QStringList drawn = (q.letters + q.contain).split(u' ', Qt::SkipEmptyParts);
        q.maxWords = std::max<int>(q.maxWords, int(drawn.size()) + (seed == 3 && shipped));
        for (const QString &w : drawn)
            q.minLength = std::min<int>(q.minLength, int(w.size()));
        for (QChar &c : q.letters) {
            const int k = letterIndex(c.unicode());
            const QString alike = alphabet + QStringLiteral("elmsbdtnrk");
            const QChar other = alike[int(rng.bounded(alike.size()))];
            if (k >= 0 && rng.bounded(3) == 0 && foldLetter(letterIndex(other.unicode()), q.relax) == foldLetter(k, q.relax))
                c = other;
        }
        q.letters += q.contain;

        const Search search(list, q);
        const std::vector<Anagram> all = fullSort(list, search, q);
        const auto [found, ending] = given(search);
        QCOMPARE(shown(search, found), shown(search, all));
        QCOMPARE(ending, Ending::Whole);
        QCOMPARE(shown(search, given(search, MostAnagrams, true).first), shown(search, all));
        QVERIFY2(!all.empty(), qPrintable(q.letters));
        for (const size_t most : {size_t(1), size_t(2), all.size() / 3, all.size() / 2, all.size()}) {
            const auto [best, end] = given(search, most, most % 2);
            QCOMPARE(shown(search, best), shown(search, std::vector<Anagram>(all.begin(), all.begin() + ptrdiff_t(most))));
            QCOMPARE(end, most < all.size() ? Ending::Bounded : Ending::Whole);
        }
        for (const Anagram &a : found) {
            Counts tiles = countLetters(q.letters), spelled = countLetters(q.contain);
            for (const Swap &s : search.ranked(a).swaps) {
                QVERIFY(foldLetter(s.tile, q.relax) == foldLetter(s.letter, q.relax) && s.tile != s.letter);
                --tiles.n[size_t(s.tile)];
                ++tiles.n[size_t(s.letter)];
            }
            for (const int32_t w : a.read())
                spelled = spelled.plus(w >= 0 ? list.lettersOf(w) : Counts());
            QVERIFY(std::equal(tiles.n.begin(), tiles.n.begin() + Letters, spelled.n.begin()));
        }
    }

    // Each level takes exactly its letters as alike, every pair of the game's letters either way, a tile of each for a
    // word of each; a relaxed word shows its tile, then the letter it stands for.
    void relaxLevels_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("alike"); // the letters alike at the level, in groups
        QTest::newRow("exact") << 0 << QStringList{};
        QTest::newRow("long as short") << 1 << QStringList{"aá", "eé", "ií", "oó", "öő", "uú", "üű"};
        QTest::newRow("accents off") << 2 << QStringList{"aá", "eé", "ií", "oóöő", "uúüű"};
        QTest::newRow("the old spelling of names too") << 3 << QStringList{"aá", "eé", "iíy", "oóöő", "uúüű", "vw"};
    }
    void relaxLevels()
    {
        QFETCH(int, level);
        QFETCH(QStringList, alike);
        const QString all = QStringLiteral("aábcdeéfghiíjklmnoóöőpqrstuúüűvwxyz");
        QStringList words;
        for (const QChar c : all)
            words << QString(c) + QStringLiteral("qx");
        const WordList list = listOf(words);
        for (const QChar tile : all) {
            Query q;
            q.letters = QString(tile) + QStringLiteral("qx");
            q.relax = Relax(level);
            q.minLength = 3;
            const Search search(list, q);
            QString found;
            for (const FoundWord &w : search.words())
                found += list.word(w.word).front();
            std::sort(found.begin(), found.end());
            QString group = tile;
            for (const QString &g : alike)
                if (g.contains(tile))
                    group = g;
            std::sort(group.begin(), group.end());
            QVERIFY2(found == group, qPrintable(QString("tile %1: %2, not %3").arg(tile).arg(found, group)));
        }
        if (level > 0) {
            Query q;
            q.letters = QStringLiteral("óqx");
            q.relax = Relax(level);
            const Search search(list, q);
            QStringList shown;
            for (const FoundWord &w : search.words())
                if (list.length(w.word) == 3)
                    shown << search.ranked(w).shown();
            QVERIFY2(shown.contains(QStringLiteral("oqx (ó→o)")), qPrintable(shown.join(u'|')));
        }
    }

    // Relaxing adds results and never reorders or hides the exact ones.
    void relaxingKeepsTheExactOrder()
    {
        const auto ranked = [&](Relax relax) {
            Query q;
            q.letters = QStringLiteral("Petőfi Sándor");
            q.relax = relax;
            const Search search(shippedList(), q);
            const std::vector<Anagram> all = given(search).first;
            QStringList exact;
            for (const Anagram &a : all)
                if (search.ranked(a).swaps.empty())
                    exact << search.ranked(a).text;
            return std::pair{exact, all.size()};
        };
        const auto [exact, exactCount] = ranked(Relax::Exact);
        for (const Relax relax : {Relax::LongShort, Relax::Accents, Relax::OldNames}) {
            const auto [withinRelaxed, count] = ranked(relax);
            QCOMPARE(withinRelaxed, exact);
            QVERIFY(count > exactCount);
        }
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
        QTest::newRow("a subject with its verb before two fragments") << "manó lefut" << "lefutón ma";
        QTest::newRow("a verb its subject does not agree with: last") << "almot áfát" << "fa átlátom";
    }
    void personPicks()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        const WordList &list = shippedList();
        Query q;
        q.letters = first;
        const Search search(list, q);
        const auto weighed = [&](const QString &text) {
            std::vector<int32_t> words;
            for (const QString &word : text.split(u' '))
                words.push_back(list.lowerBound(word.toUtf8()));
            const std::optional<Anagram> a = search.weigh(words);
            if (!a)
                qFatal("not an anagram of the list's words: %s", qPrintable(text));
            return *a;
        };
        QVERIFY2(search.before(weighed(first), weighed(then)),
                 qPrintable(QString("%1 (%2) after %3 (%4)").arg(first).arg(weighed(first).score).arg(then).arg(weighed(then).score)));
    }

    // How words read as a phrase: the word order of their best reading, how many fragments it leaves, how many errors a
    // reader sees at once. Each word "text readings…", the readings as the list writes them.
    void phrase_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("fragments");
        QTest::addColumn<int>("errors");
        const QString a = "a T---d--", az = "az T---d--,Pns3d--", egy = "egy Mns3---,T---i--";
        QTest::newRow("a before a consonant") << QStringList{"kutya Nns3---", a} << "a kutya" << 1 << 0;
        QTest::newRow("az before a vowel") << QStringList{"alma Nns3---", az} << "az alma" << 1 << 0;
        QTest::newRow("a before a vowel: an error") << QStringList{"alma Nns3---", a} << "alma a" << 2 << 1;
        QTest::newRow("az before a consonant: an error") << QStringList{"kutya Nns3---", "az T---d--"} << "kutya az" << 2 << 1;
        QTest::newRow("egy before a singular noun") << QStringList{"ló Nns3---", egy} << "egy ló" << 1 << 0;
        QTest::newRow("the article, then the attribute it agrees with")
            << QStringList{"alma Nns3---", "kis Ans3---", "öreg Ans3---", az} << "az öreg kis alma" << 1 << 0;
        QTest::newRow("a possessor before what it owns, its attribute with it")
            << QStringList{"kabátja Nns3-3s", "fiú Nns3---", "kis Ans3---", "ázik V-s3i--", a} << "a kis fiú kabátja ázik" << 1 << 0;
        QTest::newRow("a subject with its verb") << QStringList{"gyorsul V-s3i--", "csiga Nns3---"} << "csiga gyorsul" << 1 << 0;
        QTest::newRow("a plural subject, a singular verb: an error")
            << QStringList{"gyorsul V-s3i--", "csigák Nnp3---"} << "csigák gyorsul" << 1 << 1;
        QTest::newRow("a first-person verb with its pronoun") << QStringList{"látok V-s1i--", "én Pns1d--"} << "én látok" << 1 << 0;
        QTest::newRow("a definite verb with a definite object")
            << QStringList{"almát Nas3---", "kutya Nns3---", "eszi V-s3d--", az, a} << "a kutya eszi az almát" << 1 << 0;
        QTest::newRow("a definite verb, an indefinite object: an error")
            << QStringList{"eszi V-s3d--", "almát Nas3---"} << "eszi almát" << 1 << 1;
        QTest::newRow("an indefinite verb with an indefinite object") << QStringList{"eszik V-s3i--", "almát Nas3---"}
                                                                     << "eszik almát" << 1 << 0;
        QTest::newRow("a sentence without a verb") << QStringList{"leves Nns3---", "forró Ans3---", a} << "a leves forró" << 1 << 0;
        QTest::newRow("a postposition after its phrase") << QStringList{"után U------", "ház Nns3---", a} << "a ház után" << 1 << 0;
        QTest::newRow("a conjunction between two phrases") << QStringList{"bors Nns3---", "és C------", "só Nns3---"}
                                                          << "bors és só" << 1 << 0;
        QTest::newRow("the negation before the verb, the prefix after it")
            << QStringList{"ment V-s3i--", "fiú Nns3---", "nem G------", "ki K------"} << "fiú nem ment ki" << 1 << 0;
        QTest::newRow("an adverbial after its verb") << QStringList{"kertben Nos3---", "fut V-s3i--"} << "fut kertben" << 1 << 0;
        QTest::newRow("nothing joins: two fragments") << QStringList{"ház Nns3---", "gyorsan D------"} << "ház gyorsan" << 2 << 0;
    }
    void phrase()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, order);
        QFETCH(int, fragments);
        QFETCH(int, errors);
        QStringList texts, sorted;
        for (const QString &w : words)
            texts << w.section(u' ', 0, 0);
        sorted = texts;
        sorted.sort();
        std::vector<PhraseWord> phrase;
        for (const QString &text : texts) {
            PhraseWord p{int32_t(sorted.indexOf(text)), uint8_t(text.size()), QString("aáeéiíoóöőuúüű").contains(text[0]),
                         functionOf(text.toStdString())};
            for (const QString &code : words[texts.indexOf(text)].section(u' ', 1).split(u','))
                p.readings[p.readingCount++] = *Reading::parse(code.toStdString());
            phrase.push_back(p);
        }
        const Phrase p = arrange(phrase);
        QStringList seen;
        for (size_t i = 0; i < phrase.size(); ++i)
            seen << texts[p.order[i]];
        QCOMPARE(seen.join(u' '), order);
        QCOMPARE(p.fragments, fragments);
        QCOMPARE(p.errors, errors);
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
        QTest::newRow("no gap wide enough: nothing moves") << QStringList{"la"} << "x.x.x.x" << "Nem fér el az alsó sorban.";
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

    // The index made ahead is the one a load makes, byte for byte; one damaged or made of another list is passed over,
    // the list's own index made instead, and a damaged relaxed part is made again when a relaxed search wants it.
    void indexMadeAhead_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<bool>("mapped");
        QTest::newRow("whole") << "" << true;
        QTest::newRow("a byte of the words") << "words" << false;
        QTest::newRow("a byte of the relaxed classes") << "relaxed" << true;
        QTest::newRow("cut short") << "cut" << false;
        QTest::newRow("of another list") << "list" << false;
    }
    void indexMadeAhead()
    {
        QFETCH(QString, damage);
        QFETCH(bool, mapped);
        const QString shipped = QStringLiteral(MORVALIN_WORDLIST);
        QTemporaryDir dir;
        const QString list = dir.filePath("szavak.txt"), index = WordList::indexPath(list);
        QVERIFY(QFile::copy(shipped, list) && QFile::copy(WordList::indexPath(shipped), index));
        QFile file(damage == "list" ? list : index);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray bytes = file.readAll();
        if (damage == "words")
            bytes[200] = char(bytes[200] ^ 1);
        else if (damage == "relaxed")
            bytes[bytes.size() - 100] = char(bytes[bytes.size() - 100] ^ 1);
        else if (damage == "cut")
            bytes.chop(8);
        else if (damage == "list")
            bytes.replace("\na\t10\t", "\na\t11\t"); // the same words, a cost changed
        QVERIFY(file.resize(0) && file.seek(0) && file.write(bytes) == bytes.size());
        file.close();

        const std::optional<WordList> loaded = WordList::load(list);
        QVERIFY(loaded);
        QCOMPARE(loaded->indexMapped(), mapped);
        QCOMPARE(loaded->cost(loaded->lowerBound("a")), damage == "list" ? 11 : 10);
        // Whatever was mapped or made, the index is the same as one made from the list alone.
        QFile listFile(list);
        QVERIFY(listFile.open(QIODevice::ReadOnly));
        const std::optional<WordList> made = WordList::parse(listFile.readAll());
        QVERIFY(made && made->saveIndex(dir.filePath("made.idx")) && loaded->saveIndex(dir.filePath("again.idx")));
        QFile a(dir.filePath("made.idx")), b(dir.filePath("again.idx"));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QVERIFY(a.readAll() == b.readAll());
        if (damage.isEmpty()) {
            QFile ahead(WordList::indexPath(shipped));
            QVERIFY(ahead.open(QIODevice::ReadOnly) && a.seek(0));
            QVERIFY(ahead.readAll() == a.readAll());
        }
    }

    // The deepest search the finder takes, stopped in its middle: it stops within a moment and gives nothing more.
    void cancelStops()
    {
        Query q;
        q.letters = QStringLiteral("Széchenyi István gróf urak");
        q.maxWords = MostWords;
        q.relax = Relax::Loosest;
        const Search search(shippedList(), q);
        std::atomic<bool> cancel{false}, running{true};
        std::atomic<size_t> runs{0};
        Ending ending = Ending::Whole;
        std::thread worker([&] {
            ending = search.anagrams([&](std::span<const Anagram>) { ++runs; }, cancel);
            running = false;
        });
        QTRY_VERIFY_WITH_TIMEOUT(runs >= 3, 30000);
        QVERIFY(running);
        cancel = true;
        const size_t stoppedAt = runs;
        QTRY_VERIFY_WITH_TIMEOUT(!running, 1000);
        worker.join();
        QCOMPARE(ending, Ending::Cancelled);
        QCOMPARE(runs.load(), stoppedAt);
    }
};

QTEST_APPLESS_MAIN(TestFinder)
#include "tst_finder.moc"
