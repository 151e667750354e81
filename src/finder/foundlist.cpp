// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/foundlist.h"

FoundList::FoundList(Kind kind, QObject *parent) : QAbstractListModel(parent), kind_(kind) {}

int FoundList::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return int(kind_ == Kind::Words ? words_.size() : rows_.size());
}

finder::Ranked FoundList::at(int row) const
{
    return kind_ == Kind::Words ? search_->ranked(words_[size_t(row)]) : search_->ranked(rows_[size_t(row)]);
}

QVariant FoundList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const finder::Ranked found = at(index.row());
    if (role == Qt::DisplayRole)
        return found.shown();
    // A screen reader hears the relaxed letters in words: "ó mint o".
    QString heard = found.text;
    if (!found.relaxed.isEmpty())
        heard += QStringLiteral(", ") + QString(found.relaxed).replace(QChar(0x2192), QStringLiteral(" mint "));
    return heard;
}

void FoundList::restart(std::shared_ptr<const finder::Search> search)
{
    clear();
    search_ = std::move(search);
}

void FoundList::clear()
{
    beginResetModel();
    rows_ = {};
    words_ = {};
    bounded_ = false;
    endResetModel();
    search_.reset();
    emit countChanged(0);
}

void FoundList::append(std::span<const finder::Anagram> rows)
{
    if (rows.empty())
        return;
    const int old = rowCount();
    beginInsertRows({}, old, old + int(rows.size()) - 1);
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    endInsertRows();
    emit countChanged(rowCount());
}

void FoundList::appendWords(const std::vector<finder::FoundWord> &words)
{
    if (words.empty())
        return;
    const int old = rowCount();
    beginInsertRows({}, old, old + int(words.size()) - 1);
    words_.insert(words_.end(), words.begin(), words.end());
    endInsertRows();
    emit countChanged(rowCount());
}

void FoundList::setBounded(bool bounded)
{
    bounded_ = bounded;
    emit countChanged(rowCount());
}
