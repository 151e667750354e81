// SPDX-License-Identifier: GPL-3.0-or-later
// The word list's index made ahead, so that a start maps it instead of
// reading every line of the list: the words, then the exact and the relaxed
// classes, each array as it lies in memory. Its bytes are little-endian and
// the same on every machine that builds them; a machine of another byte
// order, an index of another list or of another version, and a damaged one
// are all passed over, and the index is made from the list as before.

#include "finder/rules/wordlist.h"

#include <QFile>
#include <QSaveFile>
#include <bit>
#include <cstring>
#include <type_traits>
#include <vector>
#if __has_include(<sys/mman.h>)
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace finder {

namespace {

constexpr char Magic[8] = {'M', 'O', 'R', 'V', 'I', 'D', 'X', '\0'};
constexpr uint32_t Version = 3;

struct Header
{
    char magic[8];
    uint32_t version;
    uint32_t sizes; // of Word and Slot, which the arrays are made of
    uint64_t textBytes, textHash;
    uint64_t exactHash, relaxedHash; // of each part, its counts among them
    uint32_t words, exactClasses, exactLetters, exactSlots;
    uint32_t relaxedClasses, relaxedLetters, relaxedSlots, readingSets; // the last: its u32s
};
static_assert(sizeof(Header) == 80);

constexpr size_t padded(size_t bytes) { return (bytes + 7) / 8 * 8; }

// A quick hash of bytes, four words at a time: it tells a damaged or a
// stale index, not a forged one. Fed in pieces or at once, the same.
class Hasher
{
public:
    explicit Hasher(uint64_t seed) : lane_{seed, seed ^ 1, seed ^ 2, seed ^ 3} {}
    void add(const void *data, size_t bytes)
    {
        const auto *p = static_cast<const unsigned char *>(data);
        bytes_ += bytes;
        while (bytes > 0 && pending_ > 0 && pending_ < 32) {
            block_[pending_++] = *p++;
            --bytes;
        }
        if (pending_ == 32) {
            mix(block_.data());
            pending_ = 0;
        }
        for (; bytes >= 32; p += 32, bytes -= 32)
            mix(p);
        while (bytes-- > 0)
            block_[pending_++] = *p++;
    }
    uint64_t finish() const
    {
        uint64_t h = bytes_;
        for (const uint64_t l : lane_)
            h = std::rotl((h ^ l) * K, 27);
        for (size_t i = 0; i < pending_; ++i)
            h = (h ^ block_[i]) * K;
        return h ^ (h >> 32);
    }

private:
    static constexpr uint64_t K = 0x9E3779B97F4A7C15ull;
    void mix(const unsigned char *p)
    {
        for (size_t l = 0; l < 4; ++l) {
            uint64_t w;
            std::memcpy(&w, p + 8 * l, 8);
            lane_[l] = std::rotl((lane_[l] ^ w) * K, 31);
        }
    }
    std::array<uint64_t, 4> lane_;
    std::array<unsigned char, 32> block_{};
    size_t pending_ = 0;
    uint64_t bytes_ = 0;
};

uint64_t hashOf(const void *data, size_t bytes, uint64_t seed)
{
    Hasher h(seed);
    h.add(data, bytes);
    return h.finish();
}

#if __has_include(<sys/mman.h>)
// The list's text hashed as read, not as mapped: its pages then stay out of
// the program's memory until a word is shown.
uint64_t hashOfFile(int fd, uint64_t bytes)
{
    Hasher h(0);
    std::vector<char> chunk(size_t(1) << 20);
    uint64_t read = 0;
    while (read < bytes) {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), off_t(read));
        if (got <= 0)
            return 0;
        h.add(chunk.data(), size_t(got));
        read += uint64_t(got);
    }
    return h.finish();
}
#endif

} // namespace

// The arrays of one index in the file's order, for writing and for mapping.
struct IndexFile
{
    // Calls `part(data, bytes)` for each array of `index`, padded to eight bytes.
    template <class Part> static void each(LetterIndex &index, uint32_t words, bool relaxed, Part &&part)
    {
        part(index.pool_, size_t(index.start_[size_t(index.classCount_)]));
        part(index.start_, size_t(index.classCount_) + 1);
        part(index.masks_, size_t(index.classCount_));
        part(index.table_, index.table_.size());
        part(index.firstWord_, size_t(index.classCount_) + 1);
        part(index.byClass_, size_t(words));
        if (relaxed)
            part(index.accents_, size_t(words));
    }
};

struct WordList::Mapping
{
    void *base = nullptr;
    size_t length = 0;
    static void release(Mapping *m)
    {
#if __has_include(<sys/mman.h>)
        if (m->base)
            munmap(m->base, m->length);
#endif
        delete m;
    }
};

QString WordList::indexPath(const QString &listPath)
{
    const qsizetype dot = listPath.lastIndexOf(u'.');
    const qsizetype slash = listPath.lastIndexOf(u'/');
    return (dot > slash ? listPath.left(dot) : listPath) + QStringLiteral(".idx");
}

bool WordList::saveIndex(const QString &path) const
{
    if constexpr (std::endian::native != std::endian::little)
        return false; // the bytes would not be the same
    // Written as they lie: no padding whose bytes could differ between runs.
    static_assert(std::has_unique_object_representations_v<Word>);
    static_assert(std::has_unique_object_representations_v<LetterIndex::Slot>);
    LetterIndex &relaxedIndex = const_cast<LetterIndex &>(relaxed());
    LetterIndex &exactIndex = const_cast<LetterIndex &>(exact_);
    Header h{};
    std::memcpy(h.magic, Magic, sizeof Magic);
    h.version = Version;
    h.sizes = uint32_t(sizeof(Word) << 8 | sizeof(LetterIndex::Slot));
    const QByteArrayView text = bytes_.isEmpty() ? QByteArrayView(text_, file_ ? file_->size() : 0) : QByteArrayView(bytes_);
    h.textBytes = uint64_t(text.size());
    h.textHash = hashOf(text.data(), size_t(text.size()), 0);
    h.words = uint32_t(words_.size());
    h.exactClasses = uint32_t(exactIndex.classCount_);
    h.exactLetters = exactIndex.start_[size_t(exactIndex.classCount_)];
    h.exactSlots = uint32_t(exactIndex.table_.size());
    h.relaxedClasses = uint32_t(relaxedIndex.classCount_);
    h.relaxedLetters = relaxedIndex.start_[size_t(relaxedIndex.classCount_)];
    h.relaxedSlots = uint32_t(relaxedIndex.table_.size());
    h.readingSets = uint32_t(readingSets_.size());
    QByteArray exactPart, relaxedPart;
    const auto append = [](QByteArray &to) {
        return [&to](auto span, size_t count) {
            const auto bytes = count * sizeof(span[0]);
            to.append(reinterpret_cast<const char *>(span.data()), qsizetype(bytes));
            to.append(qsizetype(padded(bytes) - bytes), '\0');
        };
    };
    append(exactPart)(words_, words_.size());
    append(exactPart)(readingSets_, readingSets_.size());
    IndexFile::each(exactIndex, h.words, false, append(exactPart));
    IndexFile::each(relaxedIndex, h.words, true, append(relaxedPart));
    h.exactHash = hashOf(exactPart.constData(), size_t(exactPart.size()), h.words ^ uint64_t(h.exactClasses) << 32);
    h.relaxedHash = hashOf(relaxedPart.constData(), size_t(relaxedPart.size()), h.relaxedClasses);
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(reinterpret_cast<const char *>(&h), sizeof h) == sizeof h &&
           file.write(exactPart) == exactPart.size() && file.write(relaxedPart) == relaxedPart.size() && file.commit();
}

bool WordList::mapIndex(const QString &path, QByteArrayView text)
{
#if __has_include(<sys/mman.h>)
    if constexpr (std::endian::native != std::endian::little)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const off_t length = lseek(fd, 0, SEEK_END);
    if (length < off_t(sizeof(Header))) {
        ::close(fd);
        return false;
    }
    void *base = mmap(nullptr, size_t(length), PROT_READ, MAP_PRIVATE, fd, 0);
    ::close(fd);
    if (base == MAP_FAILED)
        return false;
    std::unique_ptr<Mapping, void (*)(Mapping *)> mapping(new Mapping{base, size_t(length)}, &Mapping::release);
    Header h;
    std::memcpy(&h, base, sizeof h);
    if (std::memcmp(h.magic, Magic, sizeof Magic) != 0 || h.version != Version ||
        h.sizes != uint32_t(sizeof(Word) << 8 | sizeof(LetterIndex::Slot)) || h.textBytes != uint64_t(text.size()) ||
        h.exactSlots == 0 || h.relaxedSlots == 0 || !std::has_single_bit(h.exactSlots) || !std::has_single_bit(h.relaxedSlots))
        return false;
    // The arrays' places, from the counts; they must fill the file exactly.
    auto *at = static_cast<char *>(base) + sizeof h;
    const auto *const end = static_cast<char *>(base) + length;
    bool fits = true;
    const auto take = [&](auto &span, size_t count) {
        using T = std::remove_reference_t<decltype(span[0])>;
        const size_t bytes = count * sizeof(T);
        if (!fits || size_t(end - at) < padded(bytes)) {
            fits = false;
            return;
        }
        span = {reinterpret_cast<T *>(at), count};
        at += padded(bytes);
    };
    const auto place = [&](LetterIndex &index, uint32_t classes, uint32_t letters, uint32_t tableSize, bool relaxed) {
        index.classCount_ = int(classes);
        take(index.pool_, letters);
        take(index.start_, size_t(classes) + 1);
        take(index.masks_, classes);
        take(index.table_, tableSize);
        take(index.firstWord_, size_t(classes) + 1);
        take(index.byClass_, h.words);
        if (relaxed)
            take(index.accents_, h.words);
    };
    char *const exactStart = at;
    take(words_, h.words);
    take(readingSets_, h.readingSets);
    place(exact_, h.exactClasses, h.exactLetters, h.exactSlots, false);
    char *const relaxedStart = at;
#ifdef MADV_POPULATE_READ
    // The exact part's pages at once, as its check reads them all; the
    // relaxed part's when a relaxed search first wants them.
    if (fits)
        madvise(base, size_t(relaxedStart - static_cast<char *>(base)), MADV_POPULATE_READ); // older kernels refuse: no harm
#endif
    LetterIndex relaxedIndex;
    place(relaxedIndex, h.relaxedClasses, h.relaxedLetters, h.relaxedSlots, true);
    if (!fits || at != end || !file_ || hashOfFile(file_->handle(), uint64_t(text.size())) != h.textHash ||
        hashOf(exactStart, size_t(relaxedStart - exactStart), h.words ^ uint64_t(h.exactClasses) << 32) != h.exactHash) {
        words_ = {};
        readingSets_ = {};
        exact_ = LetterIndex();
        return false;
    }
    text_ = text.data();
    // The relaxed classes are checked when a search first wants them.
    relaxed_->index = std::move(relaxedIndex);
    relaxed_->mapped = [relaxedStart, bytes = size_t(end - relaxedStart), h] {
        return hashOf(relaxedStart, bytes, h.relaxedClasses) == h.relaxedHash;
    };
    mapping_ = std::move(mapping);
    return true;
#else
    (void)path;
    (void)text;
    return false;
#endif
}

} // namespace finder
