// SPDX-License-Identifier: GPL-3.0-or-later
// The anagram finder, "Anagrammakereső": the real Hungarian words and the
// whole anagrams of the board's letters, searched as the player types, and
// laid out on the board when the player takes one.
#pragma once

#include "app/forms.h"

#include <QTimer>
#include <functional>

class BoardLink;
class FoundList;
class Notice;
class QCheckBox;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QSpinBox;
class SearchRun;
namespace finder {
struct Ranked;
}

class kereso : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::kereso;
    kereso();
    ~kereso() override;

    void Form_Load() override;
    // Opens beside the board's window with the upper row's letters, and
    // follows them from then on.
    void openFor(BoardLink &board, const QWidget &beside);

    // The starting expression as the player gave it, asked at each search:
    // anagrams that reuse its words wait for "A kiinduló szavak is".
    std::function<QString()> startingText;

    void queryChanged(); // the letters, or any option: a new search soon
    void takeWord();     // a word, taken with Enter or a double click
    void takeAnagram();
    void closeClicked(); // "Bezárás"

    QLabel *lettersLabel;
    QLineEdit *letters;
    QLabel *mustContainLabel;
    QLineEdit *mustContain;
    QLabel *maxWordsLabel;
    QSpinBox *maxWords;
    QLabel *minLengthLabel;
    QSpinBox *minLength;
    QCheckBox *withStarting; // the starting expression's words too
    QCheckBox *rude;         // vulgar and offensive words too
    QCheckBox *rare;         // foreign words, interjections and forms few know too
    QGroupBox *relaxChoices; // "Betűk egyezése"
    QButtonGroup *relax;     // which letters count as alike, by level
    QLabel *wordsLabel;      // "Szavak" and its count
    QListView *words;
    QLabel *anagramsLabel;   // "Anagrammák" and its count
    QListView *anagrams;
    QLabel *status;          // what happened: the search running, why nothing moved
    QPushButton *closeButton;

    FoundList *foundWords() const { return foundWords_; }
    FoundList *foundAnagrams() const { return foundAnagrams_; }
    // Whether a search is running; for tests and the status line.
    bool isSearching() const;

protected:
    void Form_FrameClose() override;

private:
    void makeQueryControls();
    QGroupBox *relaxGroup();
    void makeResultLists();
    void labelControls();
    void connectSearch();
    void followBoard();
    void search();
    void take(const finder::Ranked &found);
    void showCounts();
    void tell(const QString &message);

    BoardLink *board_ = nullptr;
    SearchRun *run_ = nullptr;
    Notice *notice_;
    FoundList *foundWords_;
    FoundList *foundAnagrams_;
    QTimer typing_;
    bool edited_ = false; // the player wrote the letters: they no longer follow the board
    bool containMissing_ = false;
    bool failed_ = false;
};
