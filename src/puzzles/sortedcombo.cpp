// SPDX-License-Identifier: GPL-3.0-or-later
#include "puzzles/sortedcombo.h"

#include "puzzles/rules/ordering.h"

#include <QLineEdit>
#include <QListView>
#include <QSignalBlocker>
#include <QStringListModel>

SortedCombo::SortedCombo(QWidget *parent) : QComboBox(parent), model_(new QStringListModel(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setModel(model_);
    // The text field takes exactly what is typed: an inline completion
    // would turn a typed "Ady" into the entry "Ady Endre".
    setCompleter(nullptr);
    // Long lists: neither measure every entry nor lay out rows one by one.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto *list = qobject_cast<QListView *>(view()))
        list->setUniformItemSizes(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SortedCombo::onTextEdited);
}

void SortedCombo::setEntries(const QStringList &entries)
{
    model_->setStringList(ordering::sorted(entries));
    setCurrentIndex(-1);
    setEditText(QString());
}

void SortedCombo::clearEntries() { setEntries({}); }

int SortedCombo::addEntry(const QString &entry)
{
    const int selected = currentIndex();
    const QString text = currentText();
    const int at = int(ordering::insertionIndex(model_->stringList(), entry));
    model_->insertRows(at, 1);
    model_->setData(model_->index(at), entry);
    // The combo selects the first entry of an empty list by itself.
    if (selected < 0 && currentIndex() >= 0) {
        const QSignalBlocker block(this);
        setCurrentIndex(-1);
        setEditText(text);
    }
    return at;
}

QStringList SortedCombo::entries() const { return model_->stringList(); }

void SortedCombo::onTextEdited(const QString &text)
{
    if (currentIndex() < 0 || itemText(currentIndex()) == text)
        return;
    const int cursor = lineEdit()->cursorPosition();
    {
        const QSignalBlocker block(this);
        setCurrentIndex(-1);
    }
    setEditText(text);
    lineEdit()->setCursorPosition(cursor);
}
