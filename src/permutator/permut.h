// SPDX-License-Identifier: GPL-3.0-or-later
// The permutator window: lists and counts every arrangement of a text of up
// to seven characters.
#pragma once

#include "app/forms.h"

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class permut : public Form
{
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::permut;
    permut();

    void Form_Load() override;
    void cmdGo_Click();    // "Mehet"
    void Command1_Click(); // "Bezárás"

    // The arrangements exactly as produced, each line ending in CR LF,
    // whatever the results box does with line ends on screen.
    QString results() const { return results_; }

    QPushButton *cmdGo;
    QPlainTextEdit *txtResults;
    QLineEdit *txtCombinations;
    std::array<QLabel *, 2> Label1{}; // a control array whose only element is 1
    QLineEdit *Text1;
    QPushButton *Command1;
    QLabel *Label2;

    static const QString TooLongMessage;

protected:
    void Form_FrameClose() override;

private:
    void setResults(const QString &text);
    void setBusy(bool busy);

    QString results_;
};
