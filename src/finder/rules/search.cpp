// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <string_view>

namespace finder {

// The words of a text as the game spells them: lower case, only its letters,
// anything else (spaces, hyphens, punctuation) parting words.
static QStringList wordsOf(const QString &text)
{
    QStringList words{QString()};
    for (const char32_t ch : text.normalized(QString::NormalizationForm_C).toUcs4()) {
        const int k = letterIndex(ch);
        if (k >= 0)
            words.back() += QString::fromUcs4(&ch, 1).toLower();
        else if (!words.back().isEmpty())
            words << QString();
    }
    if (words.back().isEmpty())
        words.removeLast();
    return words;
}

// A word's place in the order of texts: the list's words are in the bytes'
// order, so the place of the i-th is 16 i; a must-contain word the list
// lacks stands just before the first word after it, apart from any other.
static constexpr int32_t PlaceStep = 16;
// What a must-contain word the list lacks costs: an uncommon word.
static constexpr int UnknownCost = 100;

Search::Search(const WordList &list, const Query &query)
    : list_(list), index_(query.relax == Relax::Exact ? list.exact() : list.relaxed()), query_(query)
{
    query_.maxWords = std::clamp(query.maxWords, 1, MostWords);
    tiles_ = countLetters(query.letters);
    foldedTiles_ = fold(tiles_, query.relax);
    for (int k = 0; k < Letters; ++k)
        levelGroup_[size_t(k)] = int8_t(foldLetter(k, query.relax));
    contained_ = wordsOf(query.contain);
    containedLetters_ = countLetters(contained_.join(QString()));
    // A relaxed search runs on the loosest classes; what its level does not
    // allow is left out as the words are named.
    const Relax loose = query.relax == Relax::Exact ? Relax::Exact : Relax::Loosest;
    const Counts all = fold(tiles_, loose), taken = fold(containedLetters_, loose);
    fits_ = all.holds(taken) && (query.relax == Relax::Exact || swapsFor(containedLetters_, true));
    if (!fits_)
        return;
    rest_ = all.minus(taken);

    // The must-contain words, known to the list or not; one it lacks stands
    // just before the list's first word after it, apart from any other such.
    std::vector<std::pair<std::pair<int, QByteArray>, size_t>> unknown;
    for (const QString &text : contained_) {
        const QByteArray utf8 = text.toUtf8();
        const int at = list.lowerBound(utf8);
        if (at < list.wordCount() && list.bytes(at) == utf8) {
            containedWords_.push_back({phraseWord(at), list.cost(at)});
            continue;
        }
        const auto first = static_cast<unsigned char>(utf8.front());
        const bool vowel = first >= 0x80 || std::string_view("aeiou").find(char(first)) != std::string_view::npos;
        PhraseWord phrase{PlaceStep * at - PlaceStep / 2, uint8_t(countLetters(text).total()), vowel,
                          functionOf(std::string_view(utf8.constData(), size_t(utf8.size())))};
        phrase.readings[0] = Reading();
        phrase.readingCount = 1;
        containedWords_.push_back({phrase, UnknownCost});
        unknown.push_back({{at, utf8}, containedWords_.size() - 1});
    }
    std::sort(unknown.begin(), unknown.end());
    for (size_t i = 1; i < unknown.size(); ++i)
        if (unknown[i].first.first == unknown[i - 1].first.first)
            containedWords_[unknown[i].second].phrase.order = containedWords_[unknown[i - 1].second].phrase.order + 1;

    // The starting expression's words, by their place in the list, and
    // the parts of those that are compounds: "hold" and "fény" of
    // "holdfény", "napra" and "forgó" of "napraforgó", whatever their case.
    // A name is no compound: only a word of the list is split.
    if (!query.allowStarting) {
        for (const QString &word : wordsOf(query.starting)) {
            const QByteArray utf8 = word.toUtf8();
            const int at = list.lowerBound(utf8);
            if (at < list.wordCount() && list.bytes(at) == utf8) {
                excluded_.push_back(at);
                excludeParts(utf8, 0);
            }
        }
        std::sort(excludedStems_.begin(), excludedStems_.end());
    }

    const int minLength = std::max(1, query.minLength);
    const std::span<const uint64_t> masks = index_.masks();
    const uint64_t outside = ~rest_.mask;
    for (int c = 0; c < int(masks.size()); ++c) {
        if (masks[size_t(c)] & outside)
            continue;
        if (index_.length(c) >= minLength && index_.fitsIn(c, rest_))
            candidates_.push_back(c);
    }
}

Search::~Search() = default;

// The shortest part a compound is split into: shorter pieces (a, e, s)
// are no parts a reader sees.
static constexpr int ShortestPart = 2;

void Search::excludeParts(QByteArrayView word, int depth)
{
    // Every split into a plain word of the list and a rest that is one too,
    // or splits again: the parts' stems, each found once.
    for (qsizetype cut = 1; cut < word.size(); ++cut) {
        if ((static_cast<unsigned char>(word[cut]) & 0xC0) == 0x80)
            continue; // inside a letter
        const QByteArrayView head = word.first(cut), tail = word.sliced(cut);
        const int at = list_.lowerBound(head);
        if (at >= list_.wordCount() || list_.bytes(at) != head || list_.length(at) < ShortestPart || list_.marks(at))
            continue;
        const int rest = list_.lowerBound(tail);
        const bool whole = rest < list_.wordCount() && list_.bytes(rest) == tail && list_.length(rest) >= ShortestPart &&
                           !list_.marks(rest);
        if (!whole && (depth > 0 || tail.size() < 2 * ShortestPart))
            continue;
        const size_t before = excludedStems_.size();
        if (whole)
            excludedStems_.push_back(list_.stem(rest));
        else
            excludeParts(tail, depth + 1);
        if (excludedStems_.size() > before)
            excludedStems_.push_back(list_.stem(at));
    }
}

bool Search::shown(int32_t word) const
{
    const uint8_t marks = list_.marks(word);
    return !((marks & Rude) && !query_.rude) && !((marks & Rare) && !query_.rare);
}

bool Search::usable(int32_t word) const
{
    return shown(word) && std::find(excluded_.begin(), excluded_.end(), word) == excluded_.end() &&
           !std::binary_search(excludedStems_.begin(), excludedStems_.end(), list_.stem(word));
}

PhraseWord Search::phraseWord(int32_t word) const
{
    PhraseWord p{PlaceStep * word, uint8_t(list_.length(word)), list_.startsWithVowel(word), Function(list_.function(word))};
    p.kind = uint32_t(list_.readingSet(word)) | uint32_t(list_.function(word)) << 16 | uint32_t(p.vowel) << 23;
    for (const uint32_t r : list_.readings(word))
        p.readings[p.readingCount++] = Reading::unpack(r);
    return p;
}

// The letters that have others alike at the loosest level: a á e é i í y o ó
// ö ő u ú ü ű v w.
static constexpr uint64_t Foldable = [] {
    uint64_t mask = 0;
    for (const int k : {0, 26, 4, 27, 8, 28, 24, 14, 29, 30, 31, 20, 32, 33, 34, 21, 22})
        mask |= uint64_t(1) << k;
    return mask;
}();

std::optional<std::vector<Swap>> Search::swapsFor(const Counts &words, bool partial) const
{
    std::vector<Swap> swaps;
    // How many more of each letter the words want than the tiles bear. A
    // letter alike with no other counts whole at every level: the search
    // has seen to those, and only the rest are looked at.
    std::array<int, Letters> want{};
    uint64_t lacking = 0, spare = 0;
    const uint64_t looked = query_.relax == Relax::Exact ? ~uint64_t(0) : Foldable;
    for (uint64_t m = (words.mask | tiles_.mask) & looked; m; m &= m - 1) {
        const int k = std::countr_zero(m);
        want[size_t(k)] = words.n[size_t(k)] - tiles_.n[size_t(k)];
        if (want[size_t(k)] > 0)
            lacking |= uint64_t(1) << k;
        else if (want[size_t(k)] < 0)
            spare |= uint64_t(1) << k;
    }
    if (!lacking && (partial || !spare))
        return swaps; // the tiles spell the words as they are
    if (query_.relax == Relax::Exact)
        return std::nullopt;
    // Each lacking letter from a spare tile alike at the search's level; the
    // whole anagram uses every spare tile so.
    for (; lacking; lacking &= lacking - 1) {
        const int k = std::countr_zero(lacking);
        const int alike = foldLetter(k, query_.relax);
        for (uint64_t m = spare; m && want[size_t(k)] > 0; m &= m - 1) {
            const int j = std::countr_zero(m);
            if (foldLetter(j, query_.relax) != alike)
                continue;
            while (want[size_t(k)] > 0 && want[size_t(j)] < 0) {
                swaps.push_back({int8_t(j), int8_t(k)});
                --want[size_t(k)];
                ++want[size_t(j)];
            }
        }
        if (want[size_t(k)] > 0)
            return std::nullopt;
    }
    if (!partial)
        for (uint64_t m = spare; m; m &= m - 1)
            if (want[size_t(std::countr_zero(m))] < 0)
                return std::nullopt;
    return swaps;
}

std::vector<FoundWord> Search::words() const
{
    std::vector<FoundWord> found;
    for (const int c : candidates_) {
        const std::span<const int32_t> words = index_.wordsOf(c);
        if (query_.relax == Relax::Exact) {
            for (const int32_t w : words)
                found.push_back({w, 0});
            continue;
        }
        // Words of the same exact letters stand together and share how many
        // tiles stand for others in them, and whether the level allows them,
        // beside the must-contain words.
        int relaxed = -1;
        for (size_t i = 0; i < words.size(); ++i) {
            if (i == 0 || index_.accentsOf(c, i) != index_.accentsOf(c, i - 1))
                relaxed = standIns(c, i, containedLetters_);
            if (relaxed >= 0)
                found.push_back({words[i], relaxed});
        }
    }
    // The shown ones: the plain ones, then the longest, the commonest, the
    // first in the list, by keys made once. The words lie all over the list,
    // so each is fetched a few words ahead of its turn.
    constexpr size_t Ahead = 16;
    std::vector<std::pair<uint64_t, int32_t>> keys;
    keys.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        if (i + Ahead < found.size())
            list_.prefetch(found[i + Ahead].word);
        const FoundWord &f = found[i];
        if (!shown(f.word))
            continue;
        keys.push_back({uint64_t(list_.marks(f.word) ? 1 : 0) << 60 | uint64_t(255 - list_.length(f.word)) << 48 |
                            uint64_t(list_.cost(f.word) + RelaxCost * f.relaxed) << 32 | uint32_t(f.word),
                        f.relaxed});
    }
    std::sort(keys.begin(), keys.end());
    found.resize(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        found[i] = {int32_t(uint32_t(keys[i].first)), keys[i].second};
    return found;
}

// The letters the loosest level folds into others, in the order of a
// relaxed class's packed counts (five bits each), and what each folds into.
static constexpr std::array<std::pair<int8_t, int8_t>, 11> FoldedAway{
    {{26, 0}, {27, 4}, {28, 8}, {29, 14}, {30, 14}, {31, 14}, {32, 20}, {33, 20}, {34, 20}, {22, 21}, {24, 8}}};

int Search::standIns(int c, size_t i, const Counts &with) const
{
    // The word's own count of each letter that has others alike: the
    // folded-away ones packed beside it, the rest what the class leaves.
    const Counts &folded = index_.letters(c);
    std::array<uint8_t, Letters> exact{};
    for (const int k : {0, 4, 8, 14, 20, 21})
        exact[size_t(k)] = folded.n[size_t(k)];
    uint64_t packed = index_.accentsOf(c, i);
    for (const auto &[away, into] : FoldedAway) {
        const auto n = uint8_t(packed & 31);
        packed >>= 5;
        exact[size_t(away)] = n;
        exact[size_t(into)] = uint8_t(exact[size_t(into)] - n);
    }
    // Within the level's room, group by group; each letter beyond the tiles' own needs a tile standing for it.
    std::array<int, Letters> used{};
    int n = 0;
    for (uint64_t m = Foldable; m; m &= m - 1) {
        const auto k = size_t(std::countr_zero(m));
        const int count = exact[k] + with.n[k];
        used[size_t(levelGroup_[k])] += count;
        n += std::max(0, count - tiles_.n[k]);
    }
    for (uint64_t m = Foldable; m; m &= m - 1) {
        const auto g = size_t(levelGroup_[size_t(std::countr_zero(m))]);
        if (used[g] > foldedTiles_.n[g])
            return -1;
    }
    return n;
}

int Search::excess(const Counts &letters) const
{
    int n = 0;
    for (uint64_t m = letters.mask & Foldable; m; m &= m - 1) {
        const int k = std::countr_zero(m);
        n += std::max(0, letters.n[size_t(k)] - tiles_.n[size_t(k)]);
    }
    return n;
}

std::optional<Anagram> Search::weigh(std::span<const int32_t> words) const { return weigh(words, {}, nullptr); }

std::optional<Anagram> Search::weigh(std::span<const int32_t> words, std::span<const PhraseWord> phrases,
                                     PhraseMemo *memo) const
{
    const size_t count = containedWords_.size() + words.size();
    if (count == 0 || count > size_t(MostWords))
        return std::nullopt;
    std::array<PhraseWord, MostWords> phrase;
    std::array<int32_t, MostWords> ids;
    int score = PhraseScore::PerWord * int(count - 1);
    Counts spelled = containedLetters_;
    size_t n = 0;
    for (const ContainedWord &c : containedWords_) {
        phrase[n] = c.phrase;
        ids[n] = -1 - int32_t(n);
        score += c.cost;
        ++n;
    }
    // In one order whatever the order given, the longest first, for the
    // reading to be the multiset's own.
    std::array<size_t, MostWords> sorted;
    const auto ahead = [&](size_t a, size_t b) {
        const int la = list_.length(words[a]), lb = list_.length(words[b]);
        return la != lb ? la > lb : words[a] < words[b];
    };
    for (size_t i = 0; i < words.size(); ++i) {
        size_t at = i;
        for (; at > 0 && ahead(i, sorted[at - 1]); --at)
            sorted[at] = sorted[at - 1];
        sorted[at] = i;
    }
    for (size_t k = 0; k < words.size(); ++k) {
        const int32_t w = words[sorted[k]];
        phrase[n] = phrases.empty() ? phraseWord(w) : phrases[sorted[k]];
        ids[n++] = w;
        score += list_.cost(w);
        spelled = spelled.plus(list_.lettersOf(w));
    }
    if (query_.relax == Relax::Exact) {
        if (!(spelled == tiles_))
            return std::nullopt;
    } else {
        if (!(fold(spelled, query_.relax) == foldedTiles_))
            return std::nullopt; // alike only at a looser level than asked
        score += RelaxCost * excess(spelled);
    }
    const std::span<const PhraseWord> all(phrase.data(), n);
    const Phrase reading = memo ? memo->arrange(all) : arrange(all);
    // A word twice is a slip a reader sees at once.
    for (size_t i = 1; i < words.size(); ++i)
        if (words[sorted[i]] == words[sorted[i - 1]])
            score += PhraseScore::Error;
    Anagram a;
    a.score = score + reading.cost;
    a.count = int8_t(n);
    for (size_t i = 0; i < n; ++i)
        a.words[i] = ids[size_t(reading.order[i])];
    return a;
}

bool Search::before(const Anagram &a, const Anagram &b) const
{
    if (a.score != b.score)
        return a.score < b.score;
    if (a.count != b.count)
        return a.count < b.count;
    // Word by word in the texts' order, which is the order of the texts joined by spaces.
    const auto place = [this](int32_t w) {
        return w >= 0 ? PlaceStep * w : containedWords_[size_t(-1 - w)].phrase.order;
    };
    for (int i = 0; i < a.count; ++i)
        if (a.words[size_t(i)] != b.words[size_t(i)])
            return place(a.words[size_t(i)]) < place(b.words[size_t(i)]);
    return false;
}

QString Search::textOf(int32_t word) const
{
    return word >= 0 ? list_.word(word) : contained_[-1 - word];
}

Ranked Search::ranked(const Anagram &anagram) const
{
    Ranked r;
    Counts spelled = containedLetters_;
    for (const int32_t w : anagram.read()) {
        r.words << textOf(w);
        if (w >= 0)
            spelled = spelled.plus(list_.lettersOf(w));
    }
    r.text = r.words.join(u' ');
    if (query_.relax != Relax::Exact)
        r.swaps = swapsFor(spelled, false).value_or(std::vector<Swap>());
    r.relaxed = describe(r.swaps);
    return r;
}

Ranked Search::ranked(const FoundWord &word) const
{
    const QString text = list_.word(word.word);
    std::vector<Swap> swaps;
    if (word.relaxed > 0)
        swaps = swapsFor(list_.lettersOf(word.word).plus(containedLetters_), true).value_or(std::vector<Swap>());
    return {text, {text}, describe(swaps), swaps};
}

QString describe(const std::vector<Swap> &swaps)
{
    // Each kind of swap once, with how many tiles make it.
    std::vector<std::pair<Swap, int>> kinds;
    for (const Swap &s : swaps) {
        auto it = std::find_if(kinds.begin(), kinds.end(), [&](const auto &k) { return k.first == s; });
        if (it == kinds.end())
            kinds.push_back({s, 1});
        else
            ++it->second;
    }
    QStringList parts;
    for (const auto &[swap, count] : kinds) {
        const char32_t tile = letterAt(swap.tile), letter = letterAt(swap.letter);
        parts << (count > 1 ? QString::number(count) + u' ' : QString()) + QString::fromUcs4(&tile, 1) + QChar(0x2192) +
                     QString::fromUcs4(&letter, 1);
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace finder
