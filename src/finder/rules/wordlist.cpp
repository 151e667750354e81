// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/rules/wordlist.h"

#include "finder/rules/phrase.h"
#include "finder/rules/reading.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace finder {

// One fixed odd multiplier per letter, so that keys are the same in every run.
static constexpr std::array<uint64_t, Letters> LetterKeys = [] {
    std::array<uint64_t, Letters> keys{};
    for (int k = 0; k < Letters; ++k) {
        uint64_t z = 0x9E3779B97F4A7C15ull * uint64_t(k + 1);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        keys[size_t(k)] = (z ^ (z >> 31)) | 1;
    }
    return keys;
}();

uint64_t WordList::key(const Counts &letters)
{
    uint64_t sum = 0;
    for (uint64_t m = letters.mask; m; m &= m - 1) {
        const int k = std::countr_zero(m);
        sum += LetterKeys[size_t(k)] * letters.n[size_t(k)];
    }
    return sum;
}

// The letter of a lower-case accented letter's two UTF-8 bytes: C3 for á é í
// ó ö ú ü, C5 for ő ű; -1 for any other pair.
static int accented(unsigned char lead, unsigned char next)
{
    if (lead == 0xC3) {
        switch (next) {
        case 0xA1: return 26; // á
        case 0xA9: return 27; // é
        case 0xAD: return 28; // í
        case 0xB3: return 29; // ó
        case 0xB6: return 30; // ö
        case 0xBA: return 32; // ú
        case 0xBC: return 33; // ü
        default: return -1;
        }
    }
    if (lead == 0xC5) {
        switch (next) {
        case 0x91: return 31; // ő
        case 0xB1: return 34; // ű
        default: return -1;
        }
    }
    return -1;
}

size_t LetterIndex::slotOf(uint64_t key, const Counts &letters) const
{
    const size_t mask = table_.size() - 1;
    const auto tag = uint32_t(key >> 32);
    for (size_t i = size_t(key) & mask;; i = (i + 1) & mask) {
        const Slot &slot = table_[i];
        if (slot.next == 0 || (slot.tag == tag && this->letters(slot.cls()) == letters))
            return i;
    }
}

int LetterIndex::find(const Counts &letters) const { return find(letters, WordList::key(letters)); }

int LetterIndex::find(const Counts &letters, uint64_t key) const
{
    if (table_.empty())
        return -1;
    return table_[slotOf(key, letters)].cls();
}

void LetterIndex::reserve(size_t most, size_t letters)
{
    // Sized once: the table at most four-fifths full. Room not written to
    // takes no memory.
    table_ = tableBlock_.make<Slot>(std::bit_ceil(most + most / 4 + 1));
    pool_ = poolBlock_.make<uint8_t>(letters);
    start_ = startBlock_.make<uint32_t>(most + 1);
    masks_ = maskBlock_.make<uint64_t>(most);
    classCount_ = 0;
}

int32_t LetterIndex::classOf(const Counts &letters, uint64_t key)
{
    const size_t slot = slotOf(key, letters);
    int32_t cls = table_[slot].cls();
    if (cls < 0) {
        cls = classCount_++;
        uint32_t at = start_[size_t(cls)];
        for (uint64_t m = letters.mask; m; m &= m - 1) {
            const int k = std::countr_zero(m);
            for (int n = letters.n[size_t(k)]; n > 0; --n)
                pool_[at++] = uint8_t(k);
        }
        start_[size_t(cls) + 1] = at;
        masks_[size_t(cls)] = letters.mask;
        table_[slot] = {uint32_t(key >> 32), cls + 1};
    }
    return cls;
}

template <class ClassOf> void LetterIndex::listWords(size_t count, ClassOf classOf, std::span<const int32_t> order)
{
    masks_ = masks_.first(size_t(classCount_));
    // The words of each class, counted, then listed.
    firstWord_ = firstBlock_.make<int32_t>(size_t(classCount_) + 1);
    for (size_t w = 0; w < count; ++w)
        ++firstWord_[size_t(classOf(w)) + 1];
    for (size_t c = 1; c < firstWord_.size(); ++c)
        firstWord_[c] += firstWord_[c - 1];
    byClass_ = byClassBlock_.make<int32_t>(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t w = order.empty() ? i : size_t(order[i]);
        byClass_[size_t(firstWord_[size_t(classOf(w))]++)] = int32_t(w);
    }
    // Each start was moved on by its class's words: move them back.
    for (size_t c = firstWord_.size() - 1; c > 0; --c)
        firstWord_[c] = firstWord_[c - 1];
    firstWord_[0] = 0;
}


static uint64_t accents(const Counts &letters)
{
    uint64_t packed = 0;
    for (size_t i = 0; i < LetterIndex::FoldedAway.size(); ++i)
        packed |= uint64_t(std::min<int>(letters.n[size_t(LetterIndex::FoldedAway[i])], 31)) << (5 * i);
    return packed;
}

const LetterIndex &WordList::relaxed() const
{
    std::call_once(relaxed_->once, [this] {
        // The mapped index's, where they are whole.
        if (relaxed_->mapped && relaxed_->mapped())
            return;
        LetterIndex &index = relaxed_->index = LetterIndex();
        index.reserve(size_t(exact_.classCount()), size_t(exact_.start_[size_t(exact_.classCount())]));
        // The folded class of each exact class, then of each word.
        std::vector<int32_t> folded(size_t(exact_.classCount()));
        for (int c = 0; c < exact_.classCount(); ++c) {
            const Counts letters = fold(exact_.letters(c), Relax::Loosest);
            folded[size_t(c)] = index.classOf(letters, key(letters));
        }
        // By exact class, so that a search meets the words of one together.
        std::vector<int32_t> order;
        order.reserve(words_.size());
        for (int c = 0; c < exact_.classCount(); ++c)
            for (const int32_t w : exact_.wordsOf(c))
                order.push_back(w);
        index.listWords(words_.size(), [&](size_t w) { return folded[size_t(words_[w].cls)]; }, order);
        index.accents_ = index.accentBlock_.make<uint64_t>(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            index.accents_[i] = accents(exact_.letters(words_[size_t(index.byClass_[i])].cls));
    });
    return relaxed_->index;
}

std::optional<WordList> WordList::parse(QByteArray bytes, Fault *fault)
{
    WordList list;
    list.relaxed_ = std::make_shared<Lazy>();
    list.bytes_ = std::move(bytes);
    const bool whole = list.index(list.bytes_.constData(), list.bytes_.constData() + list.bytes_.size());
    if (fault)
        *fault = whole ? Fault::None : Fault::Damaged;
    return whole ? std::optional<WordList>(std::move(list)) : std::nullopt;
}

// Whether a form begins with a vowel, by its first byte: every accented
// letter of the game is a vowel, and only they lead with a byte above ASCII.
static bool vowel(char first)
{
    const auto b = static_cast<unsigned char>(first);
    return b >= 0x80 || b == 'a' || b == 'e' || b == 'i' || b == 'o' || b == 'u';
}

// Reads the header's count; false when the first line is not "#<TAB>digits".
static bool header(const char *&p, const char *end, size_t *count)
{
    if (end - p < 3 || p[0] != '#' || p[1] != '\t')
        return false;
    p += 2;
    size_t n = 0;
    const char *digits = p;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 10)
        n = n * 10 + size_t(*p++ - '0');
    if (p == digits || p == end || *p != '\n')
        return false;
    ++p;
    *count = n;
    return true;
}

// One line of the list: its letters and their key, its cost, its marks,
// its readings (packed, up to four), its stem's text where not the form.
struct ListLine
{
    Counts counts;
    uint64_t key = 0;
    size_t bytes = 0; // of the form
    unsigned cost = 0;
    unsigned marks = 0;
    std::array<uint32_t, 4> readings{};
    unsigned readingCount = 0;
    const char *stem = nullptr;
    size_t stemBytes = 0;
};

// What a byte of a form is: a letter a–z (0–25), the lead byte of an
// accented letter (Lead), the tab that ends the form (Tab), or nothing of a
// form (-1).
static constexpr int Lead = -2, Tab = -3;
static constexpr std::array<int8_t, 256> ByteKind = [] {
    std::array<int8_t, 256> kind{};
    kind.fill(-1);
    for (int b = 'a'; b <= 'z'; ++b)
        kind[size_t(b)] = int8_t(b - 'a');
    kind[0xC3] = kind[0xC5] = Lead;
    kind[size_t('\t')] = Tab;
    return kind;
}();

// Reads the line at `p` and moves `p` past it; false when it is not a
// whole line of the list's shape.
static bool readLine(const char *&p, const char *end, ListLine &line)
{
    const char *const start = p;
    line.counts = Counts();
    line.key = 0;
    for (;;) {
        if (p == end)
            return false;
        int k = ByteKind[static_cast<unsigned char>(*p)];
        if (k == Tab)
            break;
        if (k >= 0) {
            ++p;
        } else if (k == Lead && end - p >= 2 &&
                   (k = accented(static_cast<unsigned char>(*p), static_cast<unsigned char>(p[1]))) >= 0) {
            p += 2;
        } else {
            return false;
        }
        if (!line.counts.add(k))
            return false;
        line.key += LetterKeys[size_t(k)];
    }
    line.bytes = size_t(p - start);
    if (line.bytes == 0 || line.bytes > 255)
        return false;
    line.cost = 0;
    const char *digits = ++p;
    while (p < end && *p >= '0' && *p <= '9' && p - digits < 3)
        line.cost = line.cost * 10 + unsigned(*p++ - '0');
    if (p == digits || line.cost > 255 || p == end || *p != '\t')
        return false;
    // The marks: "-", or R and X, each once.
    line.marks = 0;
    if (++p < end && *p == '-') {
        ++p;
    } else {
        for (; p < end && *p != '\t'; ++p) {
            const unsigned mark = *p == 'R' ? Rude : *p == 'X' ? Rare : 0;
            if (!mark || (line.marks & mark))
                return false;
            line.marks |= mark;
        }
        if (!line.marks)
            return false;
    }
    if (p == end || *p != '\t')
        return false;
    // One to four readings, apart by commas.
    line.readingCount = 0;
    for (++p;;) {
        if (end - p < 8 || line.readingCount == 4)
            return false;
        const std::optional<Reading> r = Reading::parse(std::string_view(p, 7));
        if (!r)
            return false;
        line.readings[line.readingCount++] = r->pack();
        p += 7;
        if (*p == '\t')
            break;
        if (*p++ != ',')
            return false;
    }
    // The stem: "=", or letters of the game.
    line.stem = ++p;
    while (p < end && *p != '\n')
        ++p;
    if (p == end || p == line.stem)
        return false; // a line cut short, or no stem
    line.stemBytes = size_t(p - line.stem);
    if (line.stemBytes == 1 && *line.stem == '=') {
        line.stem = nullptr;
    } else {
        for (const char *q = line.stem; q < p;) {
            const int k = ByteKind[static_cast<unsigned char>(*q)];
            if (k >= 0)
                ++q;
            else if (k == Lead && p - q >= 2 && accented(static_cast<unsigned char>(*q), static_cast<unsigned char>(q[1])) >= 0)
                q += 2;
            else
                return false;
        }
    }
    ++p;
    return true;
}

// Whether form a sorts strictly before form b by bytes.
static bool before(const char *a, size_t aBytes, const char *b, size_t bBytes)
{
    const int order = std::memcmp(a, b, std::min(aBytes, bBytes));
    return order != 0 ? order < 0 : aBytes < bBytes;
}

bool WordList::index(const char *const begin, const char *const end)
{
    const char *p = begin;
    size_t lines = 0;
    if (!header(p, end, &lines) || lines > size_t(end - p) / 5)
        return false; // every line holds at least a letter, two tabs, a digit, a class
    text_ = begin;
    exact_.reserve(lines, size_t(end - p)); // at most a class a line, a letter a byte
    const std::span<Word> words = wordBlock_.make<Word>(lines);
    // Most of a first load's time is the kernel zeroing fresh pages as they
    // are first touched: a second core readies them, the far ends first,
    // while this one reads from the start.
    // The table is met at random from the first line, so it goes first; of
    // the letters' room, what a list of such lines usually fills.
    const std::jthread ready([words, table = exact_.table_, pool = exact_.pool_, masks = exact_.masks_, starts = exact_.start_] {
        Block::prepare(std::as_writable_bytes(table));
        Block::prepare(std::as_writable_bytes(words.subspan(words.size() / 3)));
        Block::prepare(std::as_writable_bytes(pool.subspan(pool.size() / 6, pool.size() / 3)));
        Block::prepare(std::as_writable_bytes(masks.subspan(masks.size() / 3)));
        Block::prepare(std::as_writable_bytes(starts.subspan(starts.size() / 3)));
    });
    // Each form's slot is fetched from memory a few forms before it is
    // looked at, so that the table's cache misses overlap; the forms wait
    // in a ring, read straight into it.
    constexpr size_t Ahead = 8;
    std::array<ListLine, Ahead> ring;
    std::array<uint32_t, Ahead> offsets{};
    size_t read = 0, settled = 0;
    const size_t tableMask = exact_.table_.size() - 1;
    // Sets of readings, each once; the stems other than the form, for after.
    std::vector<uint32_t> sets;
    std::unordered_map<uint64_t, uint16_t> setOf;
    std::vector<std::pair<std::string_view, uint32_t>> stems;
    bool tooManySets = false;
    const auto settle = [&] {
        const ListLine &line = ring[settled % Ahead];
        uint64_t setKey = line.readingCount;
        for (unsigned i = 0; i < line.readingCount; ++i)
            setKey = setKey * 0x100000001B3ull + line.readings[i];
        auto [at, fresh] = setOf.try_emplace(setKey, uint16_t(sets.size() / ReadingSet));
        if (fresh) {
            tooManySets |= sets.size() / ReadingSet >= 0xFFFF;
            sets.push_back(line.readingCount);
            sets.insert(sets.end(), line.readings.begin(), line.readings.end());
        }
        if (line.stem)
            stems.push_back({std::string_view(line.stem, line.stemBytes), uint32_t(settled)});
        words[settled] = {offsets[settled % Ahead], exact_.classOf(line.counts, line.key), uint32_t(settled), at->second,
                          uint8_t(line.bytes), uint8_t(line.cost), uint8_t(line.marks), uint8_t(line.counts.total()),
                          uint8_t(uint8_t(functionOf(std::string_view(begin + offsets[settled % Ahead], line.bytes))) |
                                  (vowel(begin[offsets[settled % Ahead]]) ? 0x80 : 0))};
        ++settled;
    };
    const char *previous = nullptr;
    size_t previousBytes = 0;
    while (p < end) {
        if (read == lines)
            return false; // more lines than the header says
        if (read - settled == Ahead)
            settle();
        const char *const start = p;
        ListLine &line = ring[read % Ahead];
        if (!readLine(p, end, line))
            return false;
        // In order, each form once: the index of a word is its place in the bytes' order.
        if (previous && !before(previous, previousBytes, start, line.bytes))
            return false;
        previous = start;
        previousBytes = line.bytes;
        offsets[read % Ahead] = uint32_t(start - begin);
        __builtin_prefetch(&exact_.table_[size_t(line.key) & tableMask]);
        ++read;
    }
    if (read != lines)
        return false; // fewer lines than the header says: cut short
    while (settled < read)
        settle();
    if (tooManySets)
        return false;
    words_ = words.first(read);
    readingSets_ = readingBlock_.make<uint32_t>(sets.size());
    std::copy(sets.begin(), sets.end(), readingSets_.begin());
    // Each stem as the word of its text, or a number of its own past them.
    std::unordered_map<std::string_view, uint32_t> others;
    for (const auto &[text, w] : stems) {
        const int at = lowerBound(QByteArrayView(text.data(), qsizetype(text.size())));
        if (at < int(read) && bytes(at) == QByteArrayView(text.data(), qsizetype(text.size())))
            words_[w].stem = uint32_t(at);
        else
            words_[w].stem = others.try_emplace(text, uint32_t(read + others.size())).first->second;
    }
    exact_.listWords(words_.size(), [this](size_t w) { return words_[w].cls; }, {});
    return true;
}

std::optional<WordList> WordList::load(const QString &path, Fault *fault, QString *error)
{
    WordList list;
    list.relaxed_ = std::make_shared<Lazy>();
    list.file_ = std::make_unique<QFile>(path);
    const qint64 size = list.file_->size();
    const bool opened = list.file_->open(QIODevice::ReadOnly);
    uchar *mapped = opened && size > 0 ? list.file_->map(0, size) : nullptr;
    if (!mapped) {
        if (fault)
            *fault = opened ? Fault::Damaged : Fault::Unreadable; // an empty file is a damaged list
        if (error)
            *error = list.file_->errorString();
        return std::nullopt;
    }
    const auto *text = reinterpret_cast<const char *>(mapped);
    if (!list.mapIndex(indexPath(path), QByteArrayView(text, size)) && !list.index(text, text + size)) {
        if (fault)
            *fault = Fault::Damaged;
        if (error)
            *error = QStringLiteral("damaged");
        return std::nullopt;
    }
    if (fault)
        *fault = Fault::None;
    return list;
}

int WordList::lowerBound(QByteArrayView utf8) const
{
    const auto at = std::partition_point(words_.begin(), words_.end(), [&](const Word &word) {
        return before(text_ + word.offset, word.bytes, utf8.data(), size_t(utf8.size()));
    });
    return int(at - words_.begin());
}

QString WordList::word(int w) const
{
    const Word &word = words_[size_t(w)];
    return QString::fromUtf8(text_ + word.offset, word.bytes);
}

} // namespace finder
