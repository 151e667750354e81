// The anagram finder, "Anagrammakereső": the real Hungarian words and the
// whole anagrams of the board's letters, searched as the player types, and
// laid out on the board when the player takes one.
#pragma once

#include "app/forms.h"

#include <QTimer>

class board;
class FoundList;
class Notice;
class QCheckBox;
class QComboBox;
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
    // Opens beside the board with the upper row's letters.
    void openFor(board &b);

    void Text1_Change();   // the letters, or any option: a new search soon
    void List1_DblClick(); // a word, taken with Enter or a double click
    void List2_DblClick(); // an anagram
    void Command1_Click(); // "Bezárás"

    QLineEdit *Text1; // the letters
    QLineEdit *Text2; // must contain
    QSpinBox *Spin1;  // the most words
    QSpinBox *Spin2;  // the least word length
    QCheckBox *Check1; // the starting expression's words too
    QLabel *relaxLabel;
    QComboBox *relax;  // which letters count as alike
    QListView *List1; // "Szavak"
    QListView *List2; // "Anagrammák"
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLabel *Label5; // "Szavak" and its count
    QLabel *Label6; // "Anagrammák" and its count
    QLabel *Label7; // what happened: the search running, why nothing moved
    QPushButton *Command1;

    FoundList *words() const { return words_; }
    FoundList *anagrams() const { return anagrams_; }
    // Whether a search is running; for tests and the status line.
    bool isSearching() const;

protected:
    void Form_FrameClose() override;

private:
    void followBoard();
    void search();
    void take(const finder::Ranked &found);
    void showCounts();
    void tell(const QString &message);

    SearchRun *run_ = nullptr;
    Notice *notice_;
    FoundList *words_;
    FoundList *anagrams_;
    QTimer typing_;
    bool edited_ = false; // the player wrote the letters: they no longer follow the board
    bool containMissing_ = false;
    bool failed_ = false;
};
