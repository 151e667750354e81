// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list of results in the order anagram makers show them. Results arrive in
// batches while a search runs and are merged in a few times a second.

#include "finder/searchrun.h"

#include <QAbstractListModel>
#include <QTimer>

class FoundList : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit FoundList(QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void clear();
    void add(std::vector<Found> batch);
    // What arrived but is not shown yet goes in now.
    void flush();
    const Found &at(int row) const { return rows_[size_t(row)]; }

signals:
    void countChanged(int count);

private:
    std::vector<Found> rows_;
    std::vector<Found> pending_;
    QTimer flushTimer_;
};
