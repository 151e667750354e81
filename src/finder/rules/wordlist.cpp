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

// The letters of one UTF-8 form and their key, or false for a byte outside
// the game's letters.
static bool readLetters(const char *p, const char *end, Counts &counts, uint64_t &key)
{
    while (p < end) {
        const auto b = static_cast<unsigned char>(*p);
        int k;
        if (b >= 'a' && b <= 'z') {
            k = b - 'a';
            ++p;
        } else if (b >= 'A' && b <= 'Z') {
            k = b - 'A';
            ++p;
        } else {
            if (end - p < 2 || (k = accented(b, static_cast<unsigned char>(p[1]))) < 0)
                return false;
            p += 2;
        }
        if (!counts.add(k))
            return false;
        key += LetterKeys[size_t(k)];
    }
    return counts.total() > 0;
}

size_t WordList::slotOf(uint64_t key, const Counts &letters) const
{
    const size_t mask = table_.size() - 1;
    const auto tag = uint32_t(key >> 32);
    for (size_t i = size_t(key) & mask;; i = (i + 1) & mask) {
        const Slot &slot = table_[i];
        if (slot.cls < 0 || (slot.tag == tag && keys_[size_t(slot.cls)] == key && classes_[size_t(slot.cls)] == letters))
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
    list.text_ = std::move(bytes);
    const char *const begin = list.text_.constData();
    const char *const end = begin + list.text_.size();
    const size_t lines = size_t(std::count(begin, end, '\n')) + 1;
    // Sized once: the table at most about two-thirds full.
    list.table_.resize(std::bit_ceil(lines + lines / 2 + 1));
    list.classes_.reserve(lines);
    list.keys_.reserve(lines);
    std::vector<Word> read;
    read.reserve(lines);
    // Each form's slot is fetched from memory a few forms before it is
    // looked at, so that the table's cache misses overlap.
    struct Pending
    {
        Counts counts;
        uint64_t key;
        Word word;
    };
    constexpr size_t Ahead = 8;
    std::array<Pending, Ahead> pending;
    size_t queued = 0;
    const size_t tableMask = list.table_.size() - 1;
    const auto settle = [&](Pending &p) {
        const size_t slot = list.slotOf(p.key, p.counts);
        int32_t cls = list.table_[slot].cls;
        if (cls < 0) {
            cls = int32_t(list.classes_.size());
            list.classes_.push_back(p.counts);
            list.keys_.push_back(p.key);
            list.table_[slot] = {uint32_t(p.key >> 32), cls};
        }
        p.word.cls = cls;
        read.push_back(p.word);
    };
    for (const char *line = begin; line < end;) {
        const char *eol = static_cast<const char *>(std::memchr(line, '\n', size_t(end - line)));
        if (!eol)
            eol = end;
        const char *tab = static_cast<const char *>(std::memchr(line, '\t', size_t(eol - line)));
        const char *formEnd = tab ? tab : eol;
        Pending p{Counts(), 0, {}};
        if (formEnd - line < 256 && readLetters(line, formEnd, p.counts, p.key)) {
            uint32_t family = 1;
            if (tab) {
                family = 0;
                for (const char *d = tab + 1; d < eol && *d >= '0' && *d <= '9' && family < 65535; ++d)
                    family = family * 10 + uint32_t(*d - '0');
                family = std::clamp(family, 1u, 65535u);
            }
            p.word = {uint32_t(line - begin), -1, uint16_t(family), uint8_t(formEnd - line)};
            __builtin_prefetch(&list.table_[size_t(p.key) & tableMask]);
            Pending &oldest = pending[queued % Ahead];
            if (queued >= Ahead)
                settle(oldest);
            oldest = p;
            ++queued;
        }
        line = eol + 1;
    }
    for (size_t i = queued > Ahead ? queued - Ahead : 0; i < queued; ++i)
        settle(pending[i % Ahead]);
    // Class by class, each class's words in file order.
    list.firstWord_.assign(list.classes_.size() + 1, 0);
    for (const Word &w : read)
        ++list.firstWord_[size_t(w.cls) + 1];
    for (size_t c = 1; c < list.firstWord_.size(); ++c)
        list.firstWord_[c] += list.firstWord_[c - 1];
    list.words_.resize(read.size());
    std::vector<int32_t> next(list.firstWord_.begin(), list.firstWord_.end() - 1);
    for (const Word &w : read)
        list.words_[size_t(next[size_t(w.cls)]++)] = w;
    return list;
}

std::optional<WordList> WordList::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    WordList list = parse(file.readAll());
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
    const int order = std::memcmp(text_.constData() + x.offset, text_.constData() + y.offset, size_t(common));
    return order != 0 ? order < 0 : x.bytes < y.bytes;
}

QString WordList::word(int w) const
{
    const Word &word = words_[size_t(w)];
    return QString::fromUtf8(text_.constData() + word.offset, word.bytes);
}

} // namespace finder
