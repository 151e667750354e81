// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The finder's searches, off the user-interface thread. The word list is
// read once, in the background; each query hands back its words, then its
// anagrams in batches; a newer query cancels the older one, and the runner
// cancels and waits for its searches when it goes, so that closing the
// window or the game never waits on a search that nobody reads.

#include "finder/rules/search.h"

#include <QFuture>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// What a list shows of one result, and what it lays out on the board.
using Found = finder::Ranked;

class SearchRun : public QObject
{
    Q_OBJECT
public:
    SearchRun(const QString &listPath, QObject *parent);
    ~SearchRun() override;

    void start(const finder::Query &query);
    void cancel();
    bool isRunning() const { return running_; }

signals:
    void wordsFound(const std::vector<Found> &words);
    void anagramsFound(const std::vector<Found> &anagrams);
    // The letters do not hold the must-contain text.
    void containMissing();
    void finished();
    void failed(const QString &message);

private:
    void post(quint64 generation, std::function<void()> deliver);
    // The list, or why there is none.
    struct Loaded
    {
        std::shared_ptr<const finder::WordList> list;
        finder::WordList::Fault fault = finder::WordList::Fault::None;
    };
    void work(const finder::Query &query, const std::atomic<bool> &stop, quint64 generation, const Loaded &loaded);

    QFuture<Loaded> list_;
    QFuture<void> relaxed_;
    std::vector<QFuture<void>> searches_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    quint64 generation_ = 0;
    bool running_ = false;
};
