// SPDX-License-Identifier: GPL-3.0-or-later
// The best anagrams first.
//
// A search walks multisets of letter classes: some class must hold the rarest
// letter left, so it tries those, then anagrams the rest. Each anagram comes
// once: a class chosen for a letter is the first, in the walk's order, of
// the anagram's classes that hold that letter.
//
// The score of an anagram is at least the sum of its words' adjusted costs
// (cost, the cost of a word beyond the first, each relaxed letter the word
// needs on its own): what its reading adds is never less than nothing. Two
// bounds say how little the letters left can still cost: each letter at the
// least cost a letter of it can have in any word that fits (a word's cost
// shared among its letters), and the cheapest words of each length that
// sum to the letters left, in as many words as are left. A run keeps the
// best `room` anagrams met so far and skips whatever cannot beat the worst
// of them; runs grow, each starting after the last one's last anagram, so a
// search holds one run at a time however many anagrams there are.

#include "finder/rules/search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <chrono>
#include <limits>

namespace finder {

namespace {

constexpr int64_t Scale = 256; // fixed point for a letter's share of a cost
constexpr int64_t Unbounded = std::numeric_limits<int64_t>::max() / 4;
// A letter's share where no class holds it: beyond any score, yet a sum of
// as many as a search has letters stays far from overflowing.
constexpr int64_t Never = int64_t(1) << 40;
constexpr size_t FirstRun = 20, RunGrowth = 16;

} // namespace

struct Search::Candidates
{
    struct Class
    {
        Counts letters;
        uint64_t key;
        int64_t share;  // its letters' least shares, scaled
        int64_t excess; // what its cheapest word costs above that share, scaled
        int32_t least;  // its cheapest word's adjusted cost
        int32_t length;
        int32_t firstChoice, choices;
    };
    struct Choice
    {
        int32_t word;
        int32_t cost; // adjusted
        PhraseWord phrase;
    };
    std::vector<Class> classes; // the least excess first
    std::vector<Choice> choices; // each class's words, the cheapest first
    // What a walk scans of the classes holding a letter, side by side.
    struct Scanned
    {
        int64_t excess;
        uint64_t mask;
        int32_t at;
        int32_t length;
    };
    std::array<std::vector<Scanned>, Letters> withLetter;
    // Beside each letter's list, which of its classes hold each letter, 64
    // to a word, [k * words + w]: the classes that fit a rest are those
    // holding none of the letters it lacks, found a word at a time.
    std::array<std::vector<uint64_t>, Letters> holding;
    uint64_t present = 0; // the letters of any class
    // The classes by their letters' key: a small table, unlike the list's.
    std::vector<std::pair<uint64_t, int32_t>> table;
    std::array<int32_t, 256> cheapest{}; // the least cost of a class of each length
    // What a rest of the letters costs at least in two words, whatever came
    // before it: many paths leave the same rest, and most such rests have
    // no two words cheap enough. A rest a newer one displaces is weighed again.
    struct Known
    {
        Counts rest;
        int64_t least; // scaled, plus one; 0 for an empty place, as fresh memory reads
    };
    // Mapped apart from the heap, as it is made and dropped with each search.
    Block knownBlock;
    std::span<Known> known = knownBlock.make<Known>(size_t(1) << 15);
    std::array<int, Letters> letterOrder{};                // the rarest among the classes first
    std::array<int64_t, Letters> ratio{};                  // a letter's least share, scaled
    // The same among the classes of at most m letters, [m * Letters + letter]:
    // a rest of m letters has no room for the longer ones.
    std::vector<int64_t> ratioUpTo;
    std::vector<int32_t> cover; // [letters * (MostWords + 1) + words]: the cheapest words of those lengths
    int32_t base = 0;           // the must-contain words' part, less the first word's PerWord

    int32_t coverOf(int letters, int words) const { return cover[size_t(letters * (MostWords + 1) + words)]; }
    // The class of exactly these letters, or -1.
    int32_t find(const Counts &letters, uint64_t key) const
    {
        const size_t mask = table.size() - 1;
        for (size_t i = size_t(key) & mask;; i = (i + 1) & mask) {
            if (table[i].second < 0)
                return -1;
            if (table[i].first == key && classes[size_t(table[i].second)].letters == letters)
                return table[i].second;
        }
    }
    int64_t shareWithin(const Counts &letters) const
    {
        const int64_t *ratios = ratioUpTo.data() + size_t(letters.total()) * Letters;
        int64_t share = 0;
        for (uint64_t m = letters.mask; m; m &= m - 1) {
            const int k = std::countr_zero(m);
            share += letters.n[size_t(k)] * ratios[k];
        }
        return share;
    }
    int64_t shareOf(const Counts &letters) const
    {
        int64_t share = 0;
        for (uint64_t m = letters.mask; m; m &= m - 1) {
            const int k = std::countr_zero(m);
            share += letters.n[size_t(k)] * ratio[size_t(k)];
        }
        return share;
    }
};

struct Search::Walk
{
    const Search &search;
    const Candidates &c;
    const std::atomic<bool> &cancel;
    const Anagram *after; // the last anagram given, or none
    size_t room;
    std::vector<Anagram> kept;
    struct Step
    {
        int32_t at;
        int letter; // the letter the class was chosen for
    };
    std::array<Step, MostWords> path{};
    int depth = 0;
    uint64_t steps = 0;
    bool stopped = false;
    PhraseMemo *memo = nullptr; // the search's, shared by its runs

    Walk(const Search &s, const Candidates &cands, const std::atomic<bool> &stop, const Anagram *last, size_t size)
        : search(s), c(cands), cancel(stop), after(last), room(size)
    {
        kept.reserve(std::min(2 * room, size_t(1) << 16));
    }

    // What an anagram must not exceed to be kept, scaled: unbounded until
    // the run is full, then the worst kept at the last trim.
    int64_t bound = Unbounded;
    int64_t limit() const { return bound; }

    // A run may be given a time to finish in; past it, it stops as if cancelled.
    std::optional<std::chrono::steady_clock::time_point> deadline;
    bool late = false;

    bool tick()
    {
        if ((++steps & 1023) == 0) {
            if (cancel.load(std::memory_order_relaxed))
                stopped = true;
            else if (deadline && std::chrono::steady_clock::now() > *deadline)
                stopped = late = true;
        }
        return !stopped;
    }

    // A class may join the path unless a class chosen earlier for one of its
    // letters came later in the order: that anagram is met there.
    bool allowed(int32_t at) const
    {
        const uint64_t mask = c.classes[size_t(at)].letters.mask;
        for (int i = 0; i < depth; ++i)
            if (at < path[size_t(i)].at && (mask >> path[size_t(i)].letter & 1))
                return false;
        return true;
    }

    // Keeps an anagram that may be among the run's best. They gather up to
    // twice the run's room, then the best `room` stay: a few passes over
    // them rather than a heap's steps for each.
    void keep(const Anagram &a)
    {
        if (after && !search.before(*after, a))
            return; // given by an earlier run
        if (int64_t(a.score) * Scale > bound)
            return;
        kept.push_back(a);
        if (kept.size() >= 2 * room)
            trim();
    }
    void trim()
    {
        if (kept.size() <= room)
            return;
        const auto order = [this](const Anagram &x, const Anagram &y) { return search.before(x, y); };
        std::nth_element(kept.begin(), kept.begin() + ptrdiff_t(room - 1), kept.end(), order);
        kept.resize(room);
        bound = int64_t(kept.back().score) * Scale;
    }

    // Every choice of words for the classes on the path, the cheap ones
    // first; a class chosen twice takes its words in order, so that each
    // multiset of words comes once.
    std::array<int32_t, MostWords> at{}, words{}, from{};
    std::array<PhraseWord, MostWords> phrases{};
    std::array<int64_t, MostWords + 1> leastAfter{};
    int count = 0;

    void expand(int i, int64_t cost)
    {
        if (i == count) {
            if (const std::optional<Anagram> a = search.weigh(std::span<const int32_t>(words.data(), size_t(count)),
                                                              std::span<const PhraseWord>(phrases.data(), size_t(count)), memo))
                keep(*a);
            return;
        }
        const Candidates::Class &cls = c.classes[size_t(at[size_t(i)])];
        const int32_t start = i > 0 && at[size_t(i)] == at[size_t(i - 1)] ? from[size_t(i - 1)] : 0;
        for (int32_t j = start; j < cls.choices; ++j) {
            const Candidates::Choice &choice = c.choices[size_t(cls.firstChoice + j)];
            if ((cost + choice.cost + leastAfter[size_t(i + 1)]) * Scale > limit() || !tick())
                break;
            words[size_t(i)] = choice.word;
            phrases[size_t(i)] = choice.phrase;
            from[size_t(i)] = j;
            expand(i + 1, cost + choice.cost);
        }
    }

    void found()
    {
        count = depth;
        for (int i = 0; i < count; ++i)
            at[size_t(i)] = path[size_t(i)].at;
        std::sort(at.begin(), at.begin() + count);
        leastAfter[size_t(count)] = 0;
        for (int i = count - 1; i >= 0; --i)
            leastAfter[size_t(i)] = leastAfter[size_t(i + 1)] + c.classes[size_t(at[size_t(i)])].least;
        expand(0, c.base);
    }

    // Visits, in their order, the classes holding `letter` that fit in
    // `rest` by their letters (not yet by their counts) and whose excess
    // keeps `spent` within the limit, until `visit` says stop. Returns
    // where the limit cut the list.
    template <class Visit> size_t scan(int letter, const Counts &rest, int64_t spent, Visit &&visit)
    {
        const std::vector<Candidates::Scanned> &list = c.withLetter[size_t(letter)];
        size_t cut = size_t(std::partition_point(list.begin(), list.end(), [&](const Candidates::Scanned &s) {
                                return spent + s.excess <= limit();
                            }) - list.begin());
        const size_t words = (list.size() + 63) / 64;
        const uint64_t *holding = c.holding[size_t(letter)].data();
        const uint64_t lacking = c.present & ~rest.mask;
        for (size_t w = 0; w * 64 < cut; ++w) {
            uint64_t fit = cut - w * 64 >= 64 ? ~uint64_t(0) : (uint64_t(1) << (cut - w * 64)) - 1;
            for (uint64_t m = lacking; m && fit; m &= m - 1)
                fit &= ~holding[size_t(std::countr_zero(m)) * words + w];
            for (; fit; fit &= fit - 1) {
                const size_t i = w * 64 + size_t(std::countr_zero(fit));
                if (spent + list[i].excess > limit())
                    return i; // the limit fell meanwhile
                if (!visit(list[i]))
                    return list.size();
            }
        }
        return cut;
    }

    int rarest(const Counts &rest) const
    {
        for (const int k : c.letterOrder)
            if (rest.mask >> k & 1)
                return k;
        return 0;
    }

    // Anagrams of `rest` in exactly two more words: the second is the rest
    // of the first, found by its key.
    void pairs(const Counts &rest, uint64_t key, int64_t cost, int64_t share)
    {
        Candidates::Known &known = c.known[size_t(key ^ key >> 29) & (c.known.size() - 1)];
        const bool seen = known.least > 0 && known.rest == rest;
        if (seen && cost * Scale + known.least - 1 > limit())
            return;
        const int letter = rarest(rest);
        const int most = rest.total() - std::max(1, search.query_.minLength);
        // The least the rest costs in two words, whether or not this path
        // may take them; what lies past the last class looked at costs at least its share.
        int64_t least = Unbounded;
        const std::vector<Candidates::Scanned> &list = c.withLetter[size_t(letter)];
        const size_t cut = scan(letter, rest, cost * Scale + share, [&](const Candidates::Scanned &scanned) {
            if (scanned.length > most)
                return true;
            const Candidates::Class &first = c.classes[size_t(scanned.at)];
            if (!rest.holds(first.letters))
                return true;
            const int32_t second = c.find(rest.minus(first.letters), key - first.key);
            if (second < 0)
                return true;
            const int64_t both = int64_t(first.least + c.classes[size_t(second)].least) * Scale;
            least = std::min(least, both);
            if (cost * Scale + both > limit() || !allowed(scanned.at))
                return true;
            path[size_t(depth++)] = {scanned.at, letter};
            if (allowed(second)) {
                path[size_t(depth++)] = {second, 0};
                found();
                --depth;
            }
            --depth;
            return !stopped;
        });
        if (stopped)
            return;
        if (cut < list.size())
            least = std::min(least, share + list[cut].excess);
        if (!seen || least + 1 > known.least)
            known = {rest, least + 1};
    }

    // Anagrams of `rest` in at most `wordsLeft` more words, `cost` spent so
    // far, `share` the rest's least shares.
    void walk(const Counts &rest, uint64_t key, int wordsLeft, int64_t cost, int64_t share)
    {
        if (!tick())
            return;
        // The rest as one word.
        if ((cost + c.cheapest[size_t(std::min(rest.total(), 255))]) * Scale <= limit()) {
            const int32_t at = c.find(rest, key);
            if (at >= 0 && (cost + c.classes[size_t(at)].least) * Scale <= limit() && allowed(at)) {
                path[size_t(depth++)] = {at, 0};
                found();
                --depth;
            }
        }
        if (wordsLeft < 2 || stopped || (cost + c.coverOf(rest.total(), wordsLeft)) * Scale > limit() ||
            cost * Scale + c.shareWithin(rest) > limit())
            return;
        if (wordsLeft == 2) {
            pairs(rest, key, cost, share);
            return;
        }
        // Some word must hold the rarest letter left.
        const int letter = rarest(rest);
        const int minLength = std::max(1, search.query_.minLength);
        const int most = rest.total() - minLength;
        // The classes come by their excess: past the cut the rest cannot be cheap enough.
        scan(letter, rest, cost * Scale + share, [&](const Candidates::Scanned &scanned) {
            const int32_t at = scanned.at;
            const Candidates::Class &cls = c.classes[size_t(at)];
            if (scanned.length > most || !rest.holds(cls.letters) || !allowed(at))
                return true;
            const Counts left = rest.minus(cls.letters);
            const int64_t after = cost + cls.least;
            if ((after + c.coverOf(left.total(), wordsLeft - 1)) * Scale > limit())
                return true;
            path[size_t(depth++)] = {at, letter};
            walk(left, key - cls.key, wordsLeft - 1, after, share - cls.share);
            --depth;
            return !stopped;
        });
    }
};

Ending Search::anagrams(const Deliver &deliver, const std::atomic<bool> &cancel, size_t most,
                        std::chrono::milliseconds restTime) const
{
    most = std::min(most, MostAnagrams);
    const int wordsLeft = query_.maxWords - int(contained_.size());
    if (!fits_ || most == 0 || wordsLeft < 0)
        return Ending::Whole;
    if (rest_.total() == 0) {
        // The must-contain words are the whole anagram.
        if (const std::optional<Anagram> a = weigh({}))
            deliver({&*a, 1});
        return Ending::Whole;
    }
    if (wordsLeft == 0)
        return Ending::Whole;

    Candidates c;
    const Relax level = query_.relax;
    // Each candidate class with the words of it that may stand in an
    // anagram, at their adjusted costs.
    c.base = (level == Relax::Exact ? 0 : RelaxCost * excess(containedLetters_)) - PhraseScore::PerWord;
    for (const ContainedWord &w : containedWords_)
        c.base += w.cost + PhraseScore::PerWord;
    std::vector<Candidates::Class> classes;
    std::vector<Candidates::Choice> choices;
    for (const int cls : candidates_) {
        const std::span<const int32_t> words = index_.wordsOf(cls);
        const auto first = int32_t(choices.size());
        int relaxed = 0;
        bool feasible = true;
        for (size_t i = 0; i < words.size(); ++i) {
            const int32_t w = words[i];
            if (level != Relax::Exact && (i == 0 || index_.accentsOf(cls, i) != index_.accentsOf(cls, i - 1))) {
                // Words of the same exact letters stand together: how many
                // tiles they need standing for others, and whether this
                // level allows them at all.
                feasible = standIns(cls, i, containedLetters_) >= 0;
                relaxed = feasible ? standIns(cls, i, Counts()) : 0;
            }
            if (!feasible || !usable(w))
                continue;
            choices.push_back({w, list_.cost(w) + PhraseScore::PerWord + RelaxCost * relaxed, phraseWord(w)});
        }
        if (int32_t(choices.size()) == first)
            continue;
        std::stable_sort(choices.begin() + first, choices.end(),
                         [](const Candidates::Choice &a, const Candidates::Choice &b) { return a.cost < b.cost; });
        const Counts &letters = index_.letters(cls);
        classes.push_back({letters, WordList::key(letters), 0, 0, choices[size_t(first)].cost, letters.total(), first, int32_t(choices.size()) - first});
    }
    // A letter's least share: its part of the cheapest cost per letter among the classes holding it.
    c.ratio.fill(Never);
    for (const Candidates::Class &cls : classes)
        for (uint64_t m = cls.letters.mask; m; m &= m - 1) {
            const auto k = size_t(std::countr_zero(m));
            c.ratio[k] = std::min(c.ratio[k], int64_t(cls.least) * Scale / cls.length);
        }
    const int total = rest_.total();
    c.ratioUpTo.assign(size_t(total + 1) * Letters, Never);
    for (const Candidates::Class &cls : classes)
        for (uint64_t m = cls.letters.mask; m; m &= m - 1) {
            const auto k = size_t(std::countr_zero(m));
            int64_t &r = c.ratioUpTo[size_t(cls.length) * Letters + k];
            r = std::min(r, int64_t(cls.least) * Scale / cls.length);
        }
    for (int m = 1; m <= total; ++m)
        for (size_t k = 0; k < size_t(Letters); ++k)
            c.ratioUpTo[size_t(m) * Letters + k] = std::min(c.ratioUpTo[size_t(m) * Letters + k], c.ratioUpTo[size_t(m - 1) * Letters + k]);
    // A letter no class holds: no anagram.
    for (uint64_t m = rest_.mask; m; m &= m - 1)
        if (c.ratio[size_t(std::countr_zero(m))] == Never)
            return Ending::Whole;
    for (Candidates::Class &cls : classes) {
        cls.share = c.shareOf(cls.letters);
        cls.excess = int64_t(cls.least) * Scale - cls.share;
    }
    std::stable_sort(classes.begin(), classes.end(),
                     [](const Candidates::Class &a, const Candidates::Class &b) { return a.excess < b.excess; });
    c.classes = std::move(classes);
    c.choices = std::move(choices);
    std::array<int32_t, 256> &cheapest = c.cheapest;
    cheapest.fill(std::numeric_limits<int32_t>::max() / 8);
    c.table.assign(std::bit_ceil(c.classes.size() * 2 + 2), {0, -1});
    for (size_t at = 0; at < c.classes.size(); ++at) {
        const Candidates::Class &cls = c.classes[at];
        for (uint64_t m = cls.letters.mask; m; m &= m - 1)
            c.withLetter[size_t(std::countr_zero(m))].push_back({cls.excess, cls.letters.mask, int32_t(at), cls.length});
        c.present |= cls.letters.mask;
        size_t slot = size_t(cls.key) & (c.table.size() - 1);
        while (c.table[slot].second >= 0)
            slot = (slot + 1) & (c.table.size() - 1);
        c.table[slot] = {cls.key, int32_t(at)};
        cheapest[size_t(cls.length)] = std::min(cheapest[size_t(cls.length)], cls.least);
    }
    for (size_t letter = 0; letter < size_t(Letters); ++letter) {
        const std::vector<Candidates::Scanned> &list = c.withLetter[letter];
        const size_t words = (list.size() + 63) / 64;
        c.holding[letter].assign(size_t(Letters) * words, 0);
        for (size_t i = 0; i < list.size(); ++i)
            for (uint64_t m = list[i].mask; m; m &= m - 1)
                c.holding[letter][size_t(std::countr_zero(m)) * words + i / 64] |= uint64_t(1) << (i % 64);
    }
    for (int k = 0; k < Letters; ++k)
        c.letterOrder[size_t(k)] = k;
    std::stable_sort(c.letterOrder.begin(), c.letterOrder.end(),
                     [&](int a, int b) { return c.withLetter[size_t(a)].size() < c.withLetter[size_t(b)].size(); });
    // The cheapest words of any lengths summing to each count of letters, in at most so many words.
    const int32_t never = std::numeric_limits<int32_t>::max() / 8;
    c.cover.assign(size_t((total + 1) * (MostWords + 1)), never);
    for (int k = 0; k <= MostWords; ++k)
        c.cover[size_t(k)] = 0;
    for (int m = 1; m <= total; ++m)
        for (int k = 1; k <= MostWords; ++k) {
            int32_t best = c.coverOf(m, k - 1);
            for (int length = 1; length <= m; ++length)
                best = std::min(best, cheapest[size_t(length)] + c.coverOf(m - length, k - 1));
            c.cover[size_t(m * (MostWords + 1) + k)] = std::min(best, never);
        }

    // The readings made once for all the runs.
    PhraseMemo memo;
    // Runs, each the best `room` after the last run's last. After the
    // first, the rest is tried in one run for a moment: a shallow search is
    // whole in it, and a deep one goes on in growing runs.
    size_t given = 0, run = FirstRun;
    std::optional<Anagram> last;
    bool tryRest = restTime.count() > 0;
    using namespace std::chrono;
    for (;;) {
        const bool rest = given > 0 && tryRest;
        const size_t want = rest ? most - given : std::min(run, most - given);
        const bool final = given + want == most; // one more kept, to tell whether there are more
        Walk walk(*this, c, cancel, last ? &*last : nullptr, want + (final ? 1 : 0));
        walk.memo = &memo;
        const auto start = steady_clock::now();
        if (rest)
            walk.deadline = start + restTime;
        walk.walk(rest_, WordList::key(rest_), wordsLeft, c.base, c.shareOf(rest_));
        if (walk.late) {
            tryRest = false;
            continue;
        }
        if (walk.stopped)
            return Ending::Cancelled;
        walk.trim();
        std::sort(walk.kept.begin(), walk.kept.end(), [this](const Anagram &x, const Anagram &y) { return before(x, y); });
        const size_t n = std::min(walk.kept.size(), want);
        if (n > 0)
            deliver({walk.kept.data(), n});
        given += n;
        if (walk.kept.size() < want)
            return Ending::Whole;
        if (given == most)
            return walk.kept.size() > want ? Ending::Bounded : Ending::Whole;
        last = walk.kept[n - 1];
        run *= RunGrowth;
    }
}

} // namespace finder
