// SPDX-License-Identifier: GPL-3.0-or-later
// The puzzle list control: an editable combo box that keeps its entries in
// alphabetical order. A whole list is sorted once and filled in one step;
// single entries go to their sorted place.
#pragma once

#include <QComboBox>
#include <QStringList>

class QStringListModel;

class SortedCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit SortedCombo(QWidget *parent);

    // Replaces every entry; nothing is selected afterwards.
    void setEntries(const QStringList &entries);
    // Removes every entry and the text.
    void clearEntries();
    // Adds an entry at its sorted place and returns its index. The
    // selection stays as it was.
    int addEntry(const QString &entry);
    QStringList entries() const;

private:
    // Typing into the text field leaves no entry selected.
    void onTextEdited(const QString &text);

    QStringListModel *model_;
};
