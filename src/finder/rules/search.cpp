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

Search::Search(const WordList &list, const Query &query) : list_(list), query_(query)
{
    const Counts all = countLetters(query.letters);
    contained_ = wordsOf(query.contain);
    const Counts taken = countLetters(contained_.join(QString()));
    fits_ = all.holds(taken);
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
    const std::span<const uint64_t> masks = list.masks();
    const uint64_t outside = ~rest_.mask;
    for (int c = 0; c < int(masks.size()); ++c) {
        if (masks[size_t(c)] & outside)
            continue;
        const Counts &letters = list.letters(c);
        if (letters.total() >= minLength && rest_.holds(letters))
            candidates_.push_back(c);
    }
    std::stable_sort(candidates_.begin(), candidates_.end(),
                     [&](int a, int b) { return list.letters(a).total() > list.letters(b).total(); });
}

std::vector<int32_t> Search::words() const
{
    std::vector<int32_t> found;
    for (const int c : candidates_)
        for (const int32_t w : list_.wordsOf(c))
            found.push_back(w);
    // As rankWord orders them, without making their texts.
    std::sort(found.begin(), found.end(), [&](int32_t a, int32_t b) {
        const int la = list_.length(a), lb = list_.length(b);
        if (la != lb)
            return la > lb;
        if (list_.cost(a) != list_.cost(b))
            return list_.cost(a) < list_.cost(b);
        return list_.textBefore(a, b);
    });
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
        const WordList &list = s.list_;
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
        const uint64_t mask = search.list_.letters(cls).mask;
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
            Anagram a{words};
            // Shown the longest first, then in the list's order.
            std::sort(a.words.begin(), a.words.end(), [&](int32_t x, int32_t y) {
                return list.length(x) != list.length(y) ? list.length(x) > list.length(y) : list.textBefore(x, y);
            });
            batch.push_back(std::move(a));
            return;
        }
        const int32_t cls = path[i].cls;
        const bool sameAsBefore = i > 0 && path[i - 1].cls == cls;
        for (const int32_t w : list.wordsOf(cls)) {
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
        const WordList &list = search.list_;
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

Ranked rankWord(const WordList &list, int32_t word)
{
    const QString text = list.word(word);
    // Longest first, then the commonest: the same order as Search::words().
    return {{(255 - list.length(word)) * 256 + list.cost(word), 1, text}, {text}};
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
    r.rank.score = PhraseScore::PerWord * (r.rank.words - 1) - phrase.bonus;
    for (const PhraseWord &w : words)
        r.rank.score += w.cost;
    for (const int i : phrase.order)
        r.words << words[size_t(i)].text;
    r.rank.text = r.words.join(u' ');
    return r;
}

} // namespace finder
