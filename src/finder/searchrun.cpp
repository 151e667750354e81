#include "finder/searchrun.h"

#include <QtConcurrent>

using namespace finder;

SearchRun::SearchRun(const QString &listPath, QObject *parent) : QObject(parent)
{
    list_ = QtConcurrent::run([listPath]() -> std::shared_ptr<const WordList> {
        QString error;
        std::optional<WordList> list = WordList::load(listPath, &error);
        return list ? std::make_shared<const WordList>(std::move(*list)) : nullptr;
    });
}

SearchRun::~SearchRun()
{
    cancel();
    for (QFuture<void> &f : searches_)
        f.waitForFinished();
    list_.waitForFinished();
}

void SearchRun::cancel()
{
    if (cancel_)
        *cancel_ = true;
    ++generation_;
    running_ = false;
}

void SearchRun::start(const Query &query)
{
    cancel();
    std::erase_if(searches_, [](const QFuture<void> &f) { return f.isFinished(); });
    auto stop = std::make_shared<std::atomic<bool>>(false);
    cancel_ = stop;
    running_ = true;
    const quint64 generation = generation_;
    // What the search finds reaches this object on its own thread, and only
    // while no newer query has come.
    const auto post = [this, generation](auto &&deliver) {
        QMetaObject::invokeMethod(this, [this, generation, deliver = std::move(deliver)]() mutable {
            if (generation == generation_)
                deliver();
        }, Qt::QueuedConnection);
    };
    const QFuture<std::shared_ptr<const WordList>> listFuture = list_;
    searches_.push_back(QtConcurrent::run([this, query, stop, post, listFuture]() mutable {
        const std::shared_ptr<const WordList> list = listFuture.result();
        if (*stop)
            return;
        if (!list) {
            post([this] {
                running_ = false;
                emit failed(QStringLiteral("A szólista (szavak.txt) nem olvasható."));
            });
            return;
        }
        const Search search(*list, query);
        if (!search.containFits()) {
            post([this] {
                running_ = false;
                emit containMissing();
                emit finished();
            });
            return;
        }
        std::vector<Found> words;
        for (const int32_t w : search.words())
            words.push_back({rankWord(*list, w), {list->word(w)}});
        post([this, words = std::move(words)] { emit wordsFound(words); });
        const QStringList contained = search.contained();
        search.anagrams([&](std::vector<Anagram> &&batch) {
            std::vector<Found> found;
            found.reserve(batch.size());
            for (const Anagram &a : batch) {
                Found f{rankAnagram(*list, a, contained), contained};
                for (const int32_t w : a.words)
                    f.words << list->word(w);
                found.push_back(std::move(f));
            }
            post([this, found = std::move(found)] { emit anagramsFound(found); });
        }, *stop);
        if (!*stop)
            post([this] {
                running_ = false;
                emit finished();
            });
    }));
}
