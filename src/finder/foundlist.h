// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of results in the order the search gives them, the best first. A
// row is kept small and its text made only when it is shown, as a deep
// search may list a million anagrams.

#include "finder/rules/search.h"

#include <QAbstractListModel>
#include <memory>

class FoundList : public QAbstractListModel
{
    Q_OBJECT
public:
    // What the rows are: the single words, or the anagrams.
    enum class Kind { Words, Anagrams };
    FoundList(Kind kind, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // A new search's results begin; its search tells their texts.
    void restart(std::shared_ptr<const finder::Search> search);
    void clear();
    // Rows after the last, in their order.
    void append(std::span<const finder::Anagram> rows);
    void appendWords(const std::vector<finder::FoundWord> &words);
    // The search stopped at its bound: there are more than the rows.
    void setBounded(bool bounded);
    bool isBounded() const { return bounded_; }
    // What the row shows and lays out on the board.
    finder::Ranked at(int row) const;

signals:
    void countChanged(int count);

private:
    Kind kind_;
    std::shared_ptr<const finder::Search> search_;
    std::vector<finder::Anagram> rows_;
    std::vector<finder::FoundWord> words_;
    bool bounded_ = false;
};
