// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The finder's searches, off the user-interface thread. The word list is
// read once, in the background; each query hands back its words, then its
// anagrams in runs, the best first; a newer query cancels the older one,
// and the runner cancels and waits for its searches when it goes, so that
// closing the window or the game never waits on a search that nobody reads.

#include "finder/rules/search.h"

#include <QFuture>
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class SearchRun : public QObject
{
    Q_OBJECT
public:
    SearchRun(const QString &listPath, QObject *parent);
    ~SearchRun() override;

    void start(const finder::Query &query);
    // The most anagrams a search gives (finder::MostAnagrams); a test sets a
    // smaller bound to see one reached.
    static void setBound(size_t most);
    void cancel();
    bool isRunning() const { return running_; }

signals:
    // A search's words; its anagrams follow. The search tells their texts.
    void wordsFound(const std::shared_ptr<const finder::Search> &search, const std::vector<finder::FoundWord> &words);
    // The next anagrams, after those found before.
    void anagramsFound(const std::vector<finder::Anagram> &anagrams);
    // The letters do not hold the must-contain text.
    void containMissing();
    // `bounded`: there were more anagrams than a search gives.
    void finished(bool bounded);
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
