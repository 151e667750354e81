// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/commandline.h"

#include "app/program.h"
#include "finder/rules/search.h"
#include "game/rules/letters.h"

#include <QCommandLineParser>
#include <QLocale>
#include <QTextStream>
#include <algorithm>

using namespace finder;

namespace commandline {

static const QString Anagram = QStringLiteral("anagram");
static const QString Help = QStringLiteral("help");

bool wanted(const QStringList &arguments)
{
    static const QStringList Ours{QStringLiteral("anagram"), QStringLiteral("words"), QStringLiteral("min-length"),
                                  QStringLiteral("contain"), QStringLiteral("with-starting"),
                                  QStringLiteral("single-words"), QStringLiteral("limit"), QStringLiteral("relax"),
                                  QStringLiteral("rude"), QStringLiteral("rare"), Help};
    return std::any_of(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(),
                       [](const QString &a) {
                           if (a == QStringLiteral("-h"))
                               return true;
                           if (!a.startsWith(QStringLiteral("--")))
                               return false;
                           return Ours.contains(a.mid(2).section(u'=', 0, 0));
                       });
}

static const char *const HelpText =
    "Használat: morvalin [--anagram SZÖVEG [KAPCSOLÓK]]\n"
    "\n"
    "Kapcsolók nélkül a játék indul. --anagram SZÖVEG a szöveg betűinek anagrammáit\n"
    "írja ki, soronként egyet, a legjobbat elöl, UTF-8 kódolással; ablak és kijelző\n"
    "nélkül fut.\n"
    "\n"
    "  --anagram SZÖVEG      a betűk (legfeljebb 23; a szóköz és az írásjelek nem számítanak)\n"
    "  --words N             legfeljebb ennyi szó egy anagrammában (1-5, alapból 3)\n"
    "  --min-length N        legalább ennyi betűs szavak (1-9, alapból 1)\n"
    "  --contain SZÖVEG      az anagrammák tartalmazzák ezeket a szavakat\n"
    "  --with-starting       a kiinduló szöveg szavai is szerepelhetnek\n"
    "  --single-words        anagrammák helyett a betűkből kirakható szavak\n"
    "  --limit N             legfeljebb ennyi sor: a legjobb N, amint megvannak\n"
    "  --relax N             mely betűk számítanak egynek (alapból 0):\n"
    "                          0 pontosan: az Á nem A, az Ő nem Ö\n"
    "                          1 a hosszú és a rövid magánhangzó egy: á=a, é=e, í=i, ó=o, ő=ö, ú=u, ű=ü\n"
    "                          2 ékezet nélkül: az ö=o, ü=u is\n"
    "                          3 a régi névírás is: y=i, w=v\n"
    "                        a lazított betűk a sor végén, tabulátor után: ó→o\n"
    "  --rude                a durva és sértő szavak is (alapból rejtve)\n"
    "  --rare                az idegen szavak, indulatszók és ritka szóalakok is (alapból rejtve)\n"
    "  -h, --help            ez a súgó\n"
    "\n"
    "Sorrend: szavaknál a hosszabb elöl, egy hosszon belül a gyakoribb. Anagrammáknál\n"
    "elöl a gyakori szavakból álló, egyetlen szerkezetként olvasható (névelő, jelző,\n"
    "birtokos és főnév; névutó; alany és egyező állítmány, a határozottságában egyező\n"
    "tárgy, határozók, igekötő, tagadás; kötőszó két rész között), a szavak ebben a\n"
    "sorrendben; minden külön álló rész, minden további és ritkább szó és minden\n"
    "lazított betű hátrébb sorol; a nyelvtani hiba (\"a\" magánhangzó előtt, \"az\"\n"
    "mássalhangzó előtt, nem egyező alany vagy tárgy) és az ismételt szó a végére.\n"
    "A kiinduló szavak és összetett szavaik tagjai (hold, fény a holdfényben) csak\n"
    "--with-starting mellett szerepelnek.\n"
    "\n"
    "Egy keresés legfeljebb 1 000 000 anagrammát ad, a legjobbakat, a sorrendjükben; ha\n"
    "ennél több van, --limit nélkül a szabványos hibakimenet megmondja. A legjobbak\n"
    "azonnal jönnek, a többi mögöttük; a keresés memóriája korlátos.\n"
    "\n"
    "Kilépési kód: 0 kész, 1 a szólista (szavak.txt) hiányzik, olvashatatlan vagy sérült,\n"
    "2 hibás parancssor (ismeretlen kapcsoló, rossz szám, 23-nál több betű).\n";

namespace {

// The options, as players of anagram tools expect them.
struct Options
{
    QCommandLineParser parser;
    const QCommandLineOption anagram{Anagram, QString(), QStringLiteral("SZÖVEG")};
    const QCommandLineOption words{QStringLiteral("words"), QString(), QStringLiteral("N"), QStringLiteral("3")};
    const QCommandLineOption minLength{QStringLiteral("min-length"), QString(), QStringLiteral("N"), QStringLiteral("1")};
    const QCommandLineOption contain{QStringLiteral("contain"), QString(), QStringLiteral("SZÖVEG")};
    const QCommandLineOption withStarting{QStringLiteral("with-starting")};
    const QCommandLineOption singleWords{QStringLiteral("single-words")};
    const QCommandLineOption limit{QStringLiteral("limit"), QString(), QStringLiteral("N")};
    const QCommandLineOption relax{QStringLiteral("relax"), QString(), QStringLiteral("N"), QStringLiteral("0")};
    const QCommandLineOption rude{QStringLiteral("rude")};
    const QCommandLineOption rare{QStringLiteral("rare")};
    const QCommandLineOption help{QStringList{QStringLiteral("h"), Help}};

    Options()
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions({anagram, words, minLength, contain, withStarting, singleWords, limit, relax, rude, rare, help});
    }

    bool number(const QCommandLineOption &option, int low, int high, int *value) const
    {
        bool ok = false;
        *value = parser.value(option).toInt(&ok);
        return ok && *value >= low && *value <= high;
    }

    // The query asked for and the most lines to print; or why they cannot be.
    QString read(Query &query, int &most) const
    {
        if (!parser.isSet(anagram))
            return QStringLiteral("hiányzik: --anagram SZÖVEG");
        if (!parser.positionalArguments().isEmpty())
            return QStringLiteral("fölösleges: %1").arg(parser.positionalArguments().join(u' '));
        query.letters = parser.value(anagram);
        query.starting = query.letters;
        query.allowStarting = parser.isSet(withStarting);
        query.rude = parser.isSet(rude);
        query.rare = parser.isSet(rare);
        query.contain = parser.value(contain);
        if (!number(words, 1, 5, &query.maxWords))
            return QStringLiteral("a --words 1 és 5 közötti szám");
        if (!number(minLength, 1, 9, &query.minLength))
            return QStringLiteral("a --min-length 1 és 9 közötti szám");
        int level = 0;
        if (!number(relax, 0, RelaxLevels - 1, &level))
            return QStringLiteral("a --relax 0 és 3 közötti szám");
        query.relax = Relax(level);
        most = std::numeric_limits<int>::max();
        if (parser.isSet(limit) && !number(limit, 0, std::numeric_limits<int>::max(), &most))
            return QStringLiteral("a --limit nemnegatív szám");
        if (letters::count(query.letters) > letters::MostLetters)
            return letters::TooManyMessage;
        return {};
    }
};

std::optional<WordList> loadList(QTextStream &err)
{
    WordList::Fault fault = WordList::Fault::None;
    std::optional<WordList> list;
    try {
        list = WordList::load(program::filePath(QStringLiteral("szavak.txt")), &fault);
    } catch (const std::bad_alloc &) {
        fault = WordList::Fault::Unreadable;
    }
    if (!list)
        err << "morvalin: " << (fault == WordList::Fault::Damaged ? damagedListMessage() : unreadableListMessage())
            << "\n";
    return list;
}

} // namespace

int run(const QStringList &arguments)
{
    QTextStream out(stdout), err(stderr);
    Options options;
    const auto usage = [&](const QString &why) {
        err << "morvalin: " << why << "\n" << "Lásd: morvalin --help\n";
        return 2;
    };
    if (!options.parser.parse(arguments))
        return usage(options.parser.errorText());
    if (options.parser.isSet(options.help)) {
        out << QString::fromUtf8(HelpText);
        return 0;
    }
    Query query;
    int most = 0;
    if (const QString why = options.read(query, most); !why.isEmpty())
        return usage(why);
    const std::optional<WordList> list = loadList(err);
    if (!list)
        return 1;
    const Search search(*list, query);
    if (!search.containFits()) {
        err << "morvalin: a betűk között nincs meg mindaz, amit tartalmaznia kell\n";
        return 0;
    }
    // Each line as soon as it is known: the relaxed letters, if any, after a tab.
    const auto print = [&](const Ranked &r) {
        out << r.text << (r.relaxed.isEmpty() ? QString() : u'\t' + r.relaxed) << '\n';
    };
    if (options.parser.isSet(options.singleWords)) {
        const std::vector<FoundWord> words = search.words();
        for (size_t i = 0; i < words.size() && i < size_t(most); ++i)
            print(search.ranked(words[i]));
        return 0;
    }
    const std::atomic<bool> never{false};
    const Ending ending = search.anagrams([&](std::span<const finder::Anagram> run) {
        for (const finder::Anagram &a : run)
            print(search.ranked(a));
        out.flush();
    }, never, size_t(most));
    if (ending == Ending::Bounded && !options.parser.isSet(options.limit))
        err << "morvalin: az első " << QLocale(QLocale::Hungarian).toString(qulonglong(MostAnagrams))
            << " anagramma; ennél több is van, de egy keresés legfeljebb ennyit ad\n";
    return 0;
}

} // namespace commandline
