// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/searchrun.h"

#include <QtConcurrent>

using namespace finder;

static std::atomic<size_t> bound{MostAnagrams};

void SearchRun::setBound(size_t most) { bound = most; }

SearchRun::SearchRun(const QString &listPath, QObject *parent) : QObject(parent)
{
    list_ = QtConcurrent::run([listPath]() -> Loaded {
        WordList::Fault fault = WordList::Fault::None;
        try {
            std::optional<WordList> list = WordList::load(listPath, &fault);
            return {list ? std::make_shared<const WordList>(std::move(*list)) : nullptr, fault};
        } catch (const std::exception &) { // no memory for the index: no list
            return {nullptr, WordList::Fault::Unreadable};
        }
    });
    // The relaxed classes are made once the list is there, so that the first
    // relaxed search does not wait for them.
    relaxed_ = QtConcurrent::run([list = list_] {
        try {
            if (const std::shared_ptr<const WordList> loaded = list.result().list)
                (void)loaded->relaxed();
        } catch (const std::exception &) { // no memory: a relaxed search will say so
        }
    });
}

SearchRun::~SearchRun()
{
    cancel();
    // A worker that failed has said so already; its exception stops here.
    const auto wait = [](auto &future) {
        try {
            future.waitForFinished();
        } catch (...) {
        }
    };
    for (QFuture<void> &f : searches_)
        wait(f);
    wait(relaxed_);
    wait(list_);
}

void SearchRun::cancel()
{
    if (cancel_)
        *cancel_ = true;
    ++generation_;
    running_ = false;
}

void SearchRun::post(quint64 generation, std::function<void()> deliver)
{
    // What a search finds reaches this object on its own thread, and only
    // while no newer query has come.
    QMetaObject::invokeMethod(this, [this, generation, deliver = std::move(deliver)] {
        if (generation == generation_)
            deliver();
    }, Qt::QueuedConnection);
}

void SearchRun::start(const Query &query)
{
    cancel();
    std::erase_if(searches_, [](const QFuture<void> &f) { return f.isFinished(); });
    auto stop = std::make_shared<std::atomic<bool>>(false);
    cancel_ = stop;
    running_ = true;
    const quint64 generation = generation_;
    const QFuture<Loaded> list = list_;
    searches_.push_back(QtConcurrent::run([this, query, stop, generation, list] {
        try {
            work(query, *stop, generation, list.result());
        } catch (const std::exception &) { // no memory for a search
            post(generation, [this] {
                running_ = false;
                emit failed(QStringLiteral("A keresés nem fért el a memóriában."));
            });
        }
    }));
}

// On a worker thread: touches nothing of this object but post().
void SearchRun::work(const Query &query, const std::atomic<bool> &stop, quint64 generation, const Loaded &loaded)
{
    if (stop)
        return;
    const std::shared_ptr<const WordList> &list = loaded.list;
    if (!list) {
        const QString message = loaded.fault == WordList::Fault::Damaged ? finder::damagedListMessage()
                                                                         : finder::unreadableListMessage();
        post(generation, [this, message] {
            running_ = false;
            emit failed(message);
        });
        return;
    }
    // The search keeps its list for as long as a window shows what it found.
    const std::shared_ptr<const Search> search(new Search(*list, query), [list](const Search *s) { delete s; });
    if (!search->containFits()) {
        post(generation, [this] {
            running_ = false;
            emit containMissing();
            emit finished(false);
        });
        return;
    }
    post(generation, [this, search, words = search->words()] { emit wordsFound(search, words); });
    const Ending ending = search->anagrams([&](std::span<const Anagram> run) {
        post(generation, [this, run = std::vector<Anagram>(run.begin(), run.end())] { emit anagramsFound(run); });
    }, stop, bound);
    if (ending != Ending::Cancelled)
        post(generation, [this, ending] {
            running_ = false;
            emit finished(ending == Ending::Bounded);
        });
}
