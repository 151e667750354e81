// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/search.h"

#include "finder/rules/phrase.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <limits>

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

Search::Search(const WordList &list, const Query &query)
    : list_(list), index_(query.relax == Relax::Exact ? list.exact() : list.relaxed()), query_(query)
{
    tiles_ = countLetters(query.letters);
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

    // The starting expression's words, by their place in the list.
    excluded_ = excludedBlock_.make<uint8_t>(size_t(list.wordCount()));
    if (!query.allowStarting) {
        for (const QString &word : wordsOf(query.starting)) {
            const int c = list.find(countLetters(word));
            if (c >= 0)
                for (const int32_t id : list.wordsOf(c))
                    if (list.word(id) == word)
                        excluded_[size_t(id)] = 1;
        }
    }

    const int minLength = std::max(1, query.minLength);
    const std::span<const uint64_t> masks = index_.masks();
    const uint64_t outside = ~rest_.mask;
    for (int c = 0; c < int(masks.size()); ++c) {
        if (masks[size_t(c)] & outside)
            continue;
        const Counts &letters = index_.letters(c);
        if (letters.total() >= minLength && rest_.holds(letters))
            candidates_.push_back(c);
    }
    std::stable_sort(candidates_.begin(), candidates_.end(),
                     [&](int a, int b) { return index_.letters(a).total() > index_.letters(b).total(); });
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
    size_t most = 0;
    for (const int c : candidates_)
        most += index_.wordsOf(c).size();
    std::vector<FoundWord> found;
    found.reserve(most);
    for (const int c : candidates_) {
        const std::span<const int32_t> words = index_.wordsOf(c);
        if (query_.relax == Relax::Exact) {
            for (const int32_t w : words)
                found.push_back({w, {}});
            continue;
        }
        // Words of the same exact letters stand together and share their
        // swaps; beside the must-contain words, which have their tiles already.
        std::optional<std::vector<Swap>> swaps;
        for (size_t i = 0; i < words.size(); ++i) {
            if (i == 0 || index_.accentsOf(c, i) != index_.accentsOf(c, i - 1))
                swaps = swapsFor(index_.exactLetters(c, i).plus(containedLetters_), true);
            if (!swaps)
                continue;
            const bool last = i + 1 == words.size() || index_.accentsOf(c, i + 1) != index_.accentsOf(c, i);
            found.push_back({words[i], last ? std::move(*swaps) : *swaps});
        }
    }
    // As rankWord orders them, without making their texts: the longest, the
    // commonest, the first in the list.
    std::vector<std::pair<uint64_t, uint32_t>> order(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        const int32_t w = found[i].word;
        const auto cost = uint64_t(list_.cost(w) + RelaxCost * int(found[i].swaps.size()));
        order[i] = {uint64_t(255 - list_.length(w)) << 48 | cost << 32 | uint32_t(w), uint32_t(i)};
    }
    std::sort(order.begin(), order.end());
    // Put in that order where they are, following each cycle of places.
    std::vector<uint32_t> from(found.size());
    for (size_t n = 0; n < order.size(); ++n)
        from[n] = order[n].second;
    for (size_t start = 0; start < found.size(); ++start) {
        if (from[start] == start)
            continue;
        FoundWord held = std::move(found[start]);
        size_t at = start;
        while (from[at] != start) {
            const size_t next = from[at];
            found[at] = std::move(found[next]);
            from[at] = uint32_t(at);
            at = next;
        }
        found[at] = std::move(held);
        from[at] = uint32_t(at);
    }
    return found;
}

// One run of the anagram search: the recursion's state and what it found.
struct Search::Walk
{
    const Search &search;
    const Batch &deliver;
    const std::atomic<bool> &cancel;
    size_t batchSize;

    Block positionBlock;
    std::span<int32_t> position;                 // of each class in the search order, -1 if no candidate
    std::vector<uint64_t> keys;                  // of each candidate, by its position
    std::array<std::vector<int32_t>, Letters> withLetter; // candidate positions holding each letter
    std::array<int, Letters> letterOrder;        // the rarest among the candidates first
    struct Step
    {
        int32_t cls;
        int letter;  // the letter this word was chosen for
        int32_t from; // words holding that letter come from this position on
    };
    std::vector<Step> path;
    std::vector<Anagram> batch;
    std::chrono::steady_clock::time_point lastDelivery = std::chrono::steady_clock::now();
    bool deliveredAny = false;
    uint64_t nodes = 0;
    bool stopped = false;

    explicit Walk(const Search &s, const Batch &d, const std::atomic<bool> &c, size_t size)
        : search(s), deliver(d), cancel(c), batchSize(size)
    {
        const LetterIndex &list = s.index_;
        position = positionBlock.make<int32_t>(size_t(list.classCount()));
        std::fill(position.begin(), position.end(), -1);
        keys.resize(s.candidates_.size());
        for (int32_t i = 0; i < int32_t(s.candidates_.size()); ++i) {
            const int c = s.candidates_[size_t(i)];
            keys[size_t(i)] = WordList::key(list.letters(c));
            // A class whose words are all left out is no candidate here.
            const auto words = list.wordsOf(c);
            if (std::all_of(words.begin(), words.end(), [&](int32_t w) { return s.excluded_[size_t(w)]; }))
                continue;
            position[size_t(c)] = i;
            for (uint64_t m = list.letters(c).mask; m; m &= m - 1)
                withLetter[size_t(std::countr_zero(m))].push_back(i);
        }
        for (int k = 0; k < Letters; ++k)
            letterOrder[size_t(k)] = k;
        std::stable_sort(letterOrder.begin(), letterOrder.end(),
                         [&](int a, int b) { return withLetter[size_t(a)].size() < withLetter[size_t(b)].size(); });
    }

    // A class may join the path unless a word chosen earlier for one of its
    // letters came later in the search order: that anagram is found there.
    bool allowed(int32_t cls, int32_t pos) const
    {
        const uint64_t mask = search.index_.letters(cls).mask;
        for (const Step &s : path)
            if (pos < s.from && (mask >> s.letter & 1))
                return false;
        return true;
    }

    void flush()
    {
        // Nothing more once cancelled: the receiver may be gone.
        if (batch.empty() || cancel.load(std::memory_order_relaxed))
            return;
        deliver(std::move(batch));
        batch.clear();
        deliveredAny = true;
        lastDelivery = std::chrono::steady_clock::now();
    }

    // Every choice of words for the classes on the path; a class chosen twice
    // takes its words in order, so that each multiset of words comes once.
    void expand(size_t i, std::vector<int32_t> &words)
    {
        const WordList &list = search.list_;
        if (i == path.size()) {
            Anagram a{words, {}};
            if (search.query_.relax != Relax::Exact) {
                // The words as they are against the tiles as they are.
                Counts spelled = search.containedLetters_;
                for (const int32_t w : words)
                    spelled = spelled.plus(list.lettersOf(w));
                std::optional<std::vector<Swap>> swaps = search.swapsFor(spelled, false);
                if (!swaps)
                    return; // alike only at a looser level than asked
                a.swaps = std::move(*swaps);
            }
            // Shown the longest first, then in the list's order.
            std::sort(a.words.begin(), a.words.end(), [&](int32_t x, int32_t y) {
                return list.length(x) != list.length(y) ? list.length(x) > list.length(y) : list.textBefore(x, y);
            });
            batch.push_back(std::move(a));
            return;
        }
        const int32_t cls = path[i].cls;
        const bool sameAsBefore = i > 0 && path[i - 1].cls == cls;
        for (const int32_t w : search.index_.wordsOf(cls)) {
            if (search.excluded_[size_t(w)] || (sameAsBefore && w < words.back()))
                continue;
            words.push_back(w);
            expand(i + 1, words);
            words.pop_back();
        }
    }

    void found()
    {
        // Repeated classes side by side, for the choice of their words.
        std::vector<Step> saved = path;
        std::sort(path.begin(), path.end(), [](const Step &a, const Step &b) { return a.cls < b.cls; });
        std::vector<int32_t> words;
        expand(0, words);
        path = std::move(saved);
        using namespace std::chrono;
        if (!deliveredAny || batch.size() >= batchSize || steady_clock::now() - lastDelivery > milliseconds(50))
            flush();
    }

    // Anagrams of `rest` in exactly `wordsLeft` more words.
    void walk(const Counts &rest, uint64_t key, int wordsLeft, int minLength)
    {
        if (stopped)
            return;
        if ((++nodes & 1023) == 0) {
            if (cancel.load(std::memory_order_relaxed)) {
                stopped = true;
                return;
            }
            // What was found shows while the search goes on without finding more.
            if (!batch.empty() && std::chrono::steady_clock::now() - lastDelivery > std::chrono::milliseconds(50))
                flush();
        }
        const LetterIndex &list = search.index_;
        if (wordsLeft == 1) {
            const int c = list.find(rest, key);
            if (c >= 0 && position[size_t(c)] >= 0 && allowed(c, position[size_t(c)])) {
                path.push_back({c, 0, 0});
                found();
                path.pop_back();
            }
            return;
        }
        // Some word must hold the rarest letter left.
        int letter = 0;
        for (const int k : letterOrder)
            if (rest.mask >> k & 1) {
                letter = k;
                break;
            }
        const int most = rest.total() - (wordsLeft - 1) * minLength;
        for (const int32_t pos : withLetter[size_t(letter)]) {
            const int32_t c = search.candidates_[size_t(pos)];
            const Counts &letters = list.letters(c);
            if (letters.total() > most || !rest.holds(letters) || !allowed(c, pos))
                continue;
            path.push_back({c, letter, pos});
            walk(rest.minus(letters), key - keys[size_t(pos)], wordsLeft - 1, minLength);
            path.pop_back();
            if (stopped)
                return;
        }
    }
};

void Search::anagrams(const Batch &deliver, const std::atomic<bool> &cancel, size_t batchSize) const
{
    if (!fits_)
        return;
    const int most = query_.maxWords - int(contained_.size());
    if (rest_.total() == 0) {
        // The must-contain words are the whole anagram.
        if (!contained_.isEmpty() && most >= 0)
            deliver({Anagram{}});
        return;
    }
    Walk walk(*this, deliver, cancel, batchSize);
    const int minLength = std::max(1, query_.minLength);
    for (int words = 1; words <= most && !walk.stopped; ++words)
        walk.walk(rest_, WordList::key(rest_), words, minLength);
    if (!walk.stopped)
        walk.flush();
}

bool Rank::operator<(const Rank &o) const
{
    if (score != o.score)
        return score < o.score;
    if (words != o.words)
        return words < o.words;
    return text < o.text;
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

Ranked rankWord(const WordList &list, const FoundWord &word)
{
    const QString text = list.word(word.word);
    // Longest first, then the commonest: the same order as Search::words().
    const int cost = list.cost(word.word) + RelaxCost * int(word.swaps.size());
    return {{(255 - list.length(word.word)) * 1024 + cost, 1, text}, {text}, describe(word.swaps), word.swaps};
}

// A must-contain word as the list knows it; one it does not know counts as
// an uncommon word of no class.
static PhraseWord known(const WordList &list, const QString &text)
{
    const int c = list.find(countLetters(text));
    if (c >= 0)
        for (const int32_t w : list.wordsOf(c))
            if (list.word(w) == text)
                return {text, list.classes(w), list.cost(w)};
    return {text, Other, 100};
}

Ranked rankAnagram(const WordList &list, const Anagram &anagram, const QStringList &contained)
{
    std::vector<PhraseWord> words;
    words.reserve(contained.size() + anagram.words.size());
    for (const QString &c : contained)
        words.push_back(known(list, c));
    for (const int32_t w : anagram.words)
        words.push_back({list.word(w), list.classes(w), list.cost(w)});
    const Phrase phrase = arrange(words);
    Ranked r;
    r.rank.words = int(words.size());
    r.rank.score = PhraseScore::PerWord * (r.rank.words - 1) - phrase.bonus + RelaxCost * int(anagram.swaps.size());
    r.swaps = anagram.swaps;
    r.relaxed = describe(anagram.swaps);
    for (const PhraseWord &w : words)
        r.rank.score += w.cost;
    for (const int i : phrase.order)
        r.words << words[size_t(i)].text;
    r.rank.text = r.words.join(u' ');
    return r;
}

} // namespace finder
