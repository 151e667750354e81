#include "finder/rules/wordlist.h"

#include <QFile>
#include <algorithm>
#include <bit>
#include <cstring>

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

// The letter of the second byte of a two-byte UTF-8 sequence: C3 for á é í ó
// ö ú ü (either case), C5 for ő ű; -1 for any other.
static int accented(unsigned char lead, unsigned char next)
{
    if (lead == 0xC3) {
        switch (next | 0x20) { // the lower-case letter's byte
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
        case 0x90: case 0x91: return 31; // ő
        case 0xB0: case 0xB1: return 34; // ű
        default: return -1;
        }
    }
    return -1;
}

size_t WordList::slotOf(uint64_t key, const Counts &letters) const
{
    const size_t mask = table_.size() - 1;
    const auto tag = uint32_t(key >> 32);
    for (size_t i = size_t(key) & mask;; i = (i + 1) & mask) {
        const Slot &slot = table_[i];
        if (slot.cls < 0 || (slot.tag == tag && classes_[size_t(slot.cls)] == letters))
            return i;
    }
}

int WordList::find(const Counts &letters, uint64_t key) const
{
    if (table_.empty())
        return -1;
    return table_[slotOf(key, letters)].cls;
}

WordList WordList::parse(QByteArray bytes)
{
    WordList list;
    list.bytes_ = std::move(bytes);
    list.index(list.bytes_.constData(), list.bytes_.constData() + list.bytes_.size());
    return list;
}

void WordList::index(const char *const begin, const char *const end)
{
    text_ = begin;
    const size_t lines = size_t(std::count(begin, end, '\n')) + 1;
    // Sized once: the table at most about two-thirds full; at most a class a line.
    table_ = tableBlock_.make<Slot>(std::bit_ceil(lines + lines / 2 + 1));
    std::uninitialized_fill(table_.begin(), table_.end(), Slot{0, -1});
    const std::span<Counts> classes = classBlock_.make<Counts>(lines);
    size_t classCount = 0;
    const std::span<Word> words = wordBlock_.make<Word>(lines);
    size_t wordCount = 0;
    // Each form's slot is fetched from memory a few forms before it is
    // looked at, so that the table's cache misses overlap; the forms wait
    // in a ring, read straight into it.
    struct Pending
    {
        Counts counts;
        uint64_t key;
        Word word;
    };
    constexpr size_t Ahead = 8;
    std::array<Pending, Ahead> ring;
    size_t read = 0, settled = 0;
    const size_t tableMask = table_.size() - 1;
    const auto settle = [&](Pending &p) {
        const size_t slot = slotOf(p.key, p.counts);
        int32_t cls = table_[slot].cls;
        if (cls < 0) {
            cls = int32_t(classCount);
            new (&classes[classCount++]) Counts(p.counts);
            classes_ = classes.first(classCount);
            table_[slot] = {uint32_t(p.key >> 32), cls};
        }
        p.word.cls = cls;
        words[wordCount++] = p.word;
    };
    for (const char *p = begin; p < end;) {
        if (read - settled == Ahead)
            settle(ring[settled++ % Ahead]);
        Pending &form = ring[read % Ahead];
        // One pass over the line: its letters, then its family count.
        const char *const line = p;
        form.counts = Counts();
        form.key = 0;
        bool good = true;
        while (p < end && *p != '\t' && *p != '\n') {
            const auto b = static_cast<unsigned char>(*p);
            int k;
            if (unsigned(b - 'a') < 26u) {
                k = b - 'a';
                ++p;
            } else if (unsigned(b - 'A') < 26u) {
                k = b - 'A';
                ++p;
            } else if (end - p >= 2 && (k = accented(b, static_cast<unsigned char>(p[1]))) >= 0) {
                p += 2;
            } else {
                good = false;
                break;
            }
            if (!form.counts.add(k)) {
                good = false;
                break;
            }
            form.key += LetterKeys[size_t(k)];
        }
        const auto bytes = size_t(p - line);
        uint32_t family = 1;
        if (good && p < end && *p == '\t') {
            family = 0;
            for (++p; p < end && *p >= '0' && *p <= '9'; ++p)
                family = std::min(family * 10 + uint32_t(*p - '0'), 65535u);
            family = std::max(family, 1u);
        }
        if (p < end && *p != '\n')
            p = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        p = p && p < end ? p + 1 : end;
        if (!good || form.counts.total() == 0 || bytes > 255)
            continue; // its place in the ring takes the next form
        form.word = {uint32_t(line - begin), -1, uint16_t(family), uint8_t(bytes)};
        __builtin_prefetch(&table_[size_t(form.key) & tableMask]);
        ++read;
    }
    while (settled < read)
        settle(ring[settled++ % Ahead]);
    words_ = words.first(wordCount);
    // The words of each class, counted, then listed.
    firstWord_ = firstBlock_.make<int32_t>(classes_.size() + 1);
    for (const Word &w : words_)
        ++firstWord_[size_t(w.cls) + 1];
    for (size_t c = 1; c < firstWord_.size(); ++c)
        firstWord_[c] += firstWord_[c - 1];
    byClass_ = byClassBlock_.make<int32_t>(words_.size());
    for (int32_t w = 0; w < int32_t(words_.size()); ++w)
        byClass_[size_t(firstWord_[size_t(words_[size_t(w)].cls)]++)] = w;
    // Each start was moved on by its class's words: move them back.
    for (size_t c = firstWord_.size() - 1; c > 0; --c)
        firstWord_[c] = firstWord_[c - 1];
    firstWord_[0] = 0;
}

std::optional<WordList> WordList::load(const QString &path, QString *error)
{
    WordList list;
    list.file_ = std::make_unique<QFile>(path);
    const qint64 size = list.file_->size();
    uchar *mapped = list.file_->open(QIODevice::ReadOnly) && size > 0 ? list.file_->map(0, size) : nullptr;
    if (!mapped) {
        if (error)
            *error = list.file_->errorString();
        return std::nullopt;
    }
    const auto *text = reinterpret_cast<const char *>(mapped);
    list.index(text, text + size);
    if (list.wordCount() == 0) {
        if (error)
            *error = QStringLiteral("no words");
        return std::nullopt;
    }
    return list;
}

bool WordList::textBefore(int a, int b) const
{
    const Word &x = words_[size_t(a)], &y = words_[size_t(b)];
    const int common = std::min(x.bytes, y.bytes);
    const int order = std::memcmp(text_ + x.offset, text_ + y.offset, size_t(common));
    return order != 0 ? order < 0 : x.bytes < y.bytes;
}

QString WordList::word(int w) const
{
    const Word &word = words_[size_t(w)];
    return QString::fromUtf8(text_ + word.offset, word.bytes);
}

} // namespace finder
