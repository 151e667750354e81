// SPDX-License-Identifier: GPL-3.0-or-later
// The finder's engine on the game's own word list, raced against the anagram
// tools Debian ships on the same words: `an` (which folds accents by design)
// and `wordplay` (which only takes unaccented letters, so it gets a folded
// copy of the list and the phrase). Medians of several runs for the engine;
// one run of a peer where it takes seconds. The deepest searches are timed
// to their best 20 and 100, and the command line's deepest run to its bound
// is weighed by its peak memory.
// Usage: bench_finder WORDLIST PROGRAM

#include "benchsupport.h"
#include "finder/rules/search.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <array>
#include <set>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace finder;

static QTextStream out(stdout);

// The letters a peer may see: the accents folded away.
static QString folded(QString text)
{
    static const QString from = QStringLiteral("áéíóöőúüű"), to = QStringLiteral("aeiooouuu");
    text = text.toLower();
    for (qsizetype i = 0; i < from.size(); ++i)
        text.replace(from[i], to[i]);
    return text;
}

static QString lettersOnly(const QString &phrase)
{
    QString letters;
    for (const QChar c : phrase.toLower())
        if (letterIndex(c.unicode()) >= 0)
            letters += c;
    return letters;
}

struct Run
{
    double ms = -1; // -1: the tool is missing or failed
    QStringList lines;
};

static Run runTool(const QString &program, const QStringList &args, int timeoutMs)
{
    Run run;
    // Debian puts games, these among them, in /usr/games.
    QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/games")});
    if (found.isEmpty())
        return run;
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(found, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return run;
    }
    run.ms = t.nsecsElapsed() / 1e6;
    run.lines = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    return run;
}

// Every anagram, or the best `most`, in order, and when the first, the 20th
// and the 100th were known.
struct Anagrams
{
    std::vector<Anagram> all;
    double firstMs = 0, twentiethMs = 0, hundredthMs = 0;
};
static Anagrams anagrams(const WordList &list, const Query &q, size_t most = MostAnagrams)
{
    Anagrams a;
    QElapsedTimer t;
    t.start();
    const Search search(list, q);
    std::atomic<bool> cancel{false};
    search.anagrams([&](std::span<const Anagram> run) {
        a.all.insert(a.all.end(), run.begin(), run.end());
        const double ms = t.nsecsElapsed() / 1e6;
        for (auto [count, at] : {std::pair{size_t(1), &a.firstMs}, {size_t(20), &a.twentiethMs}, {size_t(100), &a.hundredthMs}})
            if (a.all.size() >= count && *at == 0)
                *at = ms;
    }, cancel, most);
    return a;
}

// A run of the program: its exit status, peak resident size, time, output lines and standard error.
struct Child
{
    int status = -1;
    long peakKb = 0;
    double ms = 0;
    qsizetype lines = 0;
    QString err;
};
static Child runChild(const QString &program, const QStringList &args, const QTemporaryDir &dir)
{
    const QByteArray outPath = dir.filePath(QStringLiteral("out.txt")).toLocal8Bit(), errPath = dir.filePath(QStringLiteral("err.txt")).toLocal8Bit();
    std::vector<QByteArray> owned{program.toLocal8Bit()};
    for (const QString &a : args)
        owned.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : owned)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    Child child;
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        wait4(pid, &child.status, 0, &usage);
        child.ms = t.nsecsElapsed() / 1e6;
        child.peakKb = usage.ru_maxrss;
        child.status = WIFEXITED(child.status) ? WEXITSTATUS(child.status) : -1;
    }
    posix_spawn_file_actions_destroy(&files);
    QFile output(QString::fromLocal8Bit(outPath)), error(QString::fromLocal8Bit(errPath));
    if (output.open(QIODevice::ReadOnly))
        child.lines = output.readAll().count('\n');
    if (error.open(QIODevice::ReadOnly))
        child.err = QString::fromUtf8(error.readAll());
    return child;
}

// An anagram as its words sorted, for comparing sets across tools.
static QString canonical(QStringList words)
{
    for (QString &w : words)
        w = w.toLower();
    words.sort();
    return words.join(u' ');
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: bench_finder WORDLIST PROGRAM");
    // One load in this fresh process, its time printed: what a player waits
    // for when the finder first opens.
    if (argc == 3 && qstrcmp(argv[2], "--load-once") == 0) {
        QElapsedTimer t;
        t.start();
        const bool loaded = WordList::load(QString::fromLocal8Bit(argv[1])).has_value();
        out << t.nsecsElapsed() / 1e6 << Qt::endl;
        return loaded ? 0 : 1;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    QTemporaryDir scratch;
    // What the command line's deepest searches hold above a search standing
    // on the same list and relaxed classes: their best 100, and the deepest
    // to its bound, every anagram it gives. First, while this process is
    // small: a child's peak counts what its parent held when it was started.
    if (argc >= 3) {
        const QString program = QString::fromLocal8Bit(argv[2]);
        const QString name = QStringLiteral("Széchenyi István gróf urak");
        // What a search of two letters holds at each level: the list, and the relaxed classes where relaxed.
        std::array<long, RelaxLevels> loadedKb{};
        for (const int level : {0, 3}) {
            const Child loaded = runChild(program, {QStringLiteral("--anagram"), QStringLiteral("ab"), QStringLiteral("--relax"),
                                                    QString::number(level)}, scratch);
            ok &= loaded.status == 0;
            loadedKb[size_t(level)] = loaded.peakKb;
        }
        out << "== the command line: peak memory above the loaded list's, " << name << Qt::endl;
        for (const auto &[words, level, limit] : {std::tuple{5, 0, 100}, {4, 3, 100}, {5, 3, 100}, {5, 3, 0}}) {
            QStringList args{QStringLiteral("--anagram"), name, QStringLiteral("--words"), QString::number(words), QStringLiteral("--relax"),
                             QString::number(level)};
            if (limit)
                args << QStringLiteral("--limit") << QString::number(limit);
            const Child run = runChild(program, args, scratch);
            ok &= run.status == 0;
            const QString what = QStringLiteral("%1 words, level %2, %3").arg(words).arg(level)
                                     .arg(limit ? QStringLiteral("the best %1").arg(limit) : QStringLiteral("every anagram"));
            ok &= bench::report(what, {(run.peakKb - loadedKb[size_t(level)]) / 1024.0}, 300, QStringLiteral("MB"));
            if (!limit)
                out << "  " << run.lines << " lines in " << qSetRealNumberPrecision(1) << run.ms / 1000 << " s; standard error: "
                    << run.err.trimmed() << Qt::endl;
        }
    }

    // Each load in a process of its own, before this one holds a list; the
    // first, untimed, has the list's file read from the disk, whose speed
    // is not the finder's.
    QVector<double> firstLoads;
    for (int run = -1; run < 9; ++run) {
        QProcess fresh;
        fresh.start(QCoreApplication::applicationFilePath(), {path, QStringLiteral("--load-once")});
        if (!fresh.waitForFinished(60000) || fresh.exitCode() != 0)
            qFatal("a fresh process could not load %s", qPrintable(path));
        if (run >= 0)
            firstLoads << fresh.readAllStandardOutput().trimmed().toDouble();
    }

    // The first load in a fresh process tells the memory the index takes.
    const double before = bench::rssMb();
    QString error;
    std::optional<WordList> loaded = WordList::load(path, nullptr, &error);
    if (!loaded)
        qFatal("cannot read %s: %s", qPrintable(path), qPrintable(error));
    const double grown = bench::rssMb() - before;
    const WordList &list = *loaded;
    out << "Word list: " << list.wordCount() << " words in " << list.classCount() << " anagram classes" << Qt::endl;
    ok &= bench::report(QStringLiteral("load the list and build the index, first in a fresh process"), firstLoads, 60);
    ok &= bench::report(QStringLiteral("resident memory the index adds"), {grown}, 80, QStringLiteral("MB"));
    // The relaxed classes are made once, when a relaxed search first asks.
    {
        const double beforeRelaxed = bench::rssMb();
        QElapsedTimer t;
        t.start();
        (void)list.relaxed();
        const double ms = t.nsecsElapsed() / 1e6;
        out << "  relaxed classes: " << list.relaxed().classCount() << ", made in " << qSetRealNumberPrecision(1)
            << Qt::fixed << ms << " ms, " << bench::rssMb() - beforeRelaxed << " MB more" << Qt::endl;
    }

    // The peers' lists: the forms alone, and their folded copy without repeats.
    QTemporaryDir dir;
    QFile formsFile(dir.filePath(QStringLiteral("forms.txt"))), foldedFile(dir.filePath(QStringLiteral("folded.txt")));
    if (!formsFile.open(QIODevice::WriteOnly) || !foldedFile.open(QIODevice::WriteOnly))
        qFatal("cannot write the peers' lists");
    std::set<QString> foldedForms;
    for (int w = 0; w < list.wordCount(); ++w) {
        formsFile.write(list.word(w).toUtf8() + '\n');
        foldedForms.insert(folded(list.word(w)));
    }
    QByteArray foldedText = "#\t" + QByteArray::number(qsizetype(foldedForms.size())) + "\n";
    for (const QString &f : foldedForms)
        foldedText += f.toUtf8() + "\t50\t-\tNns3---\t=\n";
    for (const QString &f : foldedForms)
        foldedFile.write(f.toUtf8() + '\n');
    formsFile.close();
    foldedFile.close();
    const WordList foldedList = *WordList::parse(foldedText);

    const QStringList phrases{QStringLiteral("Ady Endre"), QStringLiteral("Petőfi Sándor"), QStringLiteral("Kölcsey Ferenc"),
                              QStringLiteral("Szent-Györgyi Albert"), QStringLiteral("Széchenyi István gróf urak")};
    for (const QString &phrase : phrases) {
        const QString letters = lettersOnly(phrase);
        const bool longest = letters.size() == 23; // the figures with targets
        out << Qt::endl << "== " << phrase << " (" << letters.size() << " letters)" << Qt::endl;
        Query q;
        q.letters = letters;
        q.minLength = 1;

        // Every single word.
        size_t words = 0;
        const QVector<double> ours = bench::time(15, [&] { words = Search(list, q).words().size(); });
        ok &= bench::report(QStringLiteral("every single word (%1)").arg(words), ours, longest ? 5 : 0);
        const Run an = runTool(QStringLiteral("an"), {QStringLiteral("-w"), QStringLiteral("-d"), formsFile.fileName(), letters}, 120000);
        const Run wp = runTool(QStringLiteral("wordplay"),
                               {folded(letters), QStringLiteral("-slx"), QStringLiteral("-f"), foldedFile.fileName()}, 120000);
        out << "  an -w " << an.ms << " ms (" << an.lines.size() << " words, accents folded), wordplay " << wp.ms << " ms ("
            << wp.lines.size() << " words of the folded list)" << Qt::endl;
        if (an.ms < 0 || wp.ms < 0) {
            out << "  a peer is missing or failed" << Qt::endl;
            ok = false;
        } else {
            const double ratio = std::min(an.ms, wp.ms) / bench::median(ours);
            const bool met = !longest || ratio >= 20;
            out << "  faster than the faster peer: " << qSetRealNumberPrecision(0) << Qt::fixed << ratio << "x"
                << (longest ? (met ? "  (target >= 20x: met)" : "  (target >= 20x: MISSED)") : "") << Qt::endl;
            ok &= met;
        }

        // The first screenful and every anagram of up to three words in their order, timed together.
        const auto upToThree = [&](Query query, const QString &prefix, double allTarget) {
            query.maxWords = 3;
            Anagrams found;
            QVector<double> firsts;
            const QVector<double> all = bench::time(7, [&] {
                found = anagrams(list, query);
                firsts << (found.twentiethMs ? found.twentiethMs : found.firstMs);
            });
            ok &= bench::report(prefix + QStringLiteral("the best 20"), firsts, longest ? 100 : 0);
            ok &= bench::report(prefix + QStringLiteral("every anagram of up to 3 words (%1)").arg(found.all.size()), all,
                                longest ? allTarget : 0);
        };
        upToThree(q, QString(), 100);
        q.maxWords = 4;
        Anagrams four;
        const QVector<double> all4 = bench::time(3, [&] { four = anagrams(list, q); });
        ok &= bench::report(QStringLiteral("every anagram of up to 4 words (%1)").arg(four.all.size()), all4, 0);

        // The most relaxed level: every letter folded (y as i, w as v too).
        {
            Query r = q;
            r.relax = Relax::Loosest;
            r.maxWords = 3;
            size_t relaxedWords = 0;
            const QVector<double> wordsRelaxed = bench::time(15, [&] { relaxedWords = Search(list, r).words().size(); });
            ok &= bench::report(QStringLiteral("relaxed: every single word (%1)").arg(relaxedWords), wordsRelaxed,
                                longest ? 10 : 0);
            upToThree(r, QStringLiteral("relaxed: "), 200);
        }

        // The deepest searches, their best first: the first screenful and the best 100.
        for (const auto &[words, relax] : {std::pair{5, Relax::Exact}, {4, Relax::Loosest}, {5, Relax::Loosest}}) {
            if (!longest)
                break;
            Query d = q;
            d.maxWords = words;
            d.relax = relax;
            const QString name = QStringLiteral("%1 words, level %2: ").arg(words).arg(int(relax));
            QVector<double> twenty, hundred;
            for (int run = 0; run < 7; ++run) {
                const Anagrams best = anagrams(list, d, 100);
                twenty << best.twentiethMs;
                hundred << best.hundredthMs;
            }
            ok &= bench::report(name + QStringLiteral("the best 20"), twenty, 100);
            ok &= bench::report(name + QStringLiteral("the best 100"), hundred, 1000);
        }

        // The folded search wordplay -d3 makes: no word twice, and no word
        // without a vowel (it leaves out "s").
        Query fq;
        fq.letters = folded(letters);
        fq.minLength = 1;
        fq.maxWords = 3;
        Anagrams foldedThree;
        const QVector<double> oursFolded = bench::time(3, [&] { foldedThree = anagrams(foldedList, fq); });
        std::set<QString> oursSet;
        {
            const Search folded(foldedList, fq);
            for (const Anagram &a : foldedThree.all) {
                const QStringList ws = folded.ranked(a).words;
                static const QRegularExpression vowel(QStringLiteral("[aeiouy]"));
                const bool voweled = std::all_of(ws.begin(), ws.end(), [](const QString &w) { return w.contains(vowel); });
                if (voweled && QSet<QString>(ws.begin(), ws.end()).size() == ws.size())
                    oursSet.insert(canonical(ws));
            }
        }
        const Run wp3 = runTool(QStringLiteral("wordplay"),
                                {fq.letters, QStringLiteral("-sd3"), QStringLiteral("-f"), foldedFile.fileName()}, 900000);
        std::set<QString> peerSet;
        for (const QString &line : wp3.lines)
            peerSet.insert(canonical(line.split(u' ', Qt::SkipEmptyParts)));
        ok &= bench::report(QStringLiteral("folded, up to 3 words (%1)").arg(oursSet.size()), oursFolded, 0);
        if (wp3.ms < 0) {
            out << "  wordplay -d3 missing or failed" << Qt::endl;
            ok = false;
            continue;
        }
        const double share = bench::median(oursFolded) / wp3.ms;
        const bool same = oursSet == peerSet;
        out << "  wordplay -d3 " << qSetRealNumberPrecision(1) << Qt::fixed << wp3.ms << " ms (" << peerSet.size()
            << " anagrams): ours take 1/" << qSetRealNumberPrecision(0) << 1 / share << " of its time"
            << (longest ? (share <= 0.01 ? "  (target <= 1/100: met)" : "  (target <= 1/100: MISSED)") : "")
            << (same ? ", the same set" : ", NOT the same set") << Qt::endl;
        if (!same) {
            int shown = 0;
            for (const QString &a : oursSet)
                if (!peerSet.count(a) && shown++ < 5)
                    out << "    only ours: " << a << Qt::endl;
            for (const QString &a : peerSet)
                if (!oursSet.count(a) && shown++ < 10)
                    out << "    only wordplay's: " << a << Qt::endl;
        }
        ok &= same && (!longest || share <= 0.01);
    }

    return ok ? 0 : 1;
}
