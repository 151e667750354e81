// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/foundlist.h"

#include <algorithm>
#include <ranges>

FoundList::FoundList(QObject *parent) : QAbstractListModel(parent)
{
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(150);
    connect(&flushTimer_, &QTimer::timeout, this, &FoundList::flush);
}

int FoundList::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

QVariant FoundList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const Found &found = rows_[size_t(index.row())];
    if (role == Qt::DisplayRole)
        return found.shown();
    // A screen reader hears the relaxed letters in words: "ó mint o".
    if (role == Qt::AccessibleTextRole) {
        QString heard = found.rank.text;
        if (!found.relaxed.isEmpty())
            heard += QStringLiteral(", ") + QString(found.relaxed).replace(QChar(0x2192), QStringLiteral(" mint "));
        return heard;
    }
    return {};
}

void FoundList::clear()
{
    flushTimer_.stop();
    pending_.clear();
    beginResetModel();
    rows_.clear();
    endResetModel();
    emit countChanged(0);
}

void FoundList::add(std::vector<Found> batch)
{
    const bool first = rows_.empty() && pending_.empty();
    std::move(batch.begin(), batch.end(), std::back_inserter(pending_));
    if (first)
        flush(); // the first results at once
    else if (!flushTimer_.isActive())
        flushTimer_.start();
}

void FoundList::flush()
{
    flushTimer_.stop();
    if (pending_.empty())
        return;
    const auto byRank = [](const Found &a, const Found &b) { return a.rank < b.rank; };
    std::sort(pending_.begin(), pending_.end(), byRank);
    // Appended first, then sorted into place as a change of layout: the
    // current entry, the selection and the scroll position stay with their
    // rows, and a screen reader is not sent to a new entry.
    const int old = int(rows_.size()), added = int(pending_.size());
    beginInsertRows({}, old, old + added - 1);
    std::move(pending_.begin(), pending_.end(), std::back_inserter(rows_));
    endInsertRows();
    pending_.clear();

    std::vector<int> order(size_t(old + added)); // the row that comes n-th
    std::merge(std::views::iota(0, old).begin(), std::views::iota(0, old).end(), std::views::iota(old, old + added).begin(),
               std::views::iota(old, old + added).end(), order.begin(),
               [&](int a, int b) { return rows_[size_t(a)].rank < rows_[size_t(b)].rank; });
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> newRow(order.size());
    std::vector<Found> sorted;
    sorted.reserve(order.size());
    for (size_t n = 0; n < order.size(); ++n) {
        newRow[size_t(order[n])] = int(n);
        sorted.push_back(std::move(rows_[size_t(order[n])]));
    }
    rows_ = std::move(sorted);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex &i : from)
        to << index(newRow[size_t(i.row())]);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit countChanged(int(rows_.size()));
}
