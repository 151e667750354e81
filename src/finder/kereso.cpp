// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/kereso.h"

#include "app/colours.h"
#include "app/controls.h"
#include "app/fonts.h"
#include "app/notice.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/textaccess.h"
#include "app/twips.h"
#include "app/windowmanager.h"
#include "finder/boardlink.h"
#include "finder/foundlist.h"
#include "finder/rules/placement.h"
#include "finder/searchrun.h"
#include "game/rules/letters.h"

#include <QCheckBox>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QLocale>

static QListView *list(QWidget *parent, int left, int top, int width, int height)
{
    auto *view = new QListView(parent);
    view->setGeometry(twips::toPx(left, top, width, height));
    view->setFont(fonts::timesCE(12));
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    return view;
}

static QSpinBox *spin(QWidget *parent, int left, int top, int low, int high, int value)
{
    auto *box = new QSpinBox(parent);
    box->setGeometry(twips::toPx(left, top, 735, 375));
    box->setFont(fonts::timesCE(12));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// "Betűk egyezése": looser at each step, as Hungarian anagram makers have
// always allowed. Choices rather than a drop-down list, so that a screen
// reader hears the one chosen and each the arrow keys move to.
QGroupBox *kereso::relaxGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Betűk egyezése"), this);
    group->setGeometry(twips::toPx(120, 2790, 4860, 840));
    relax = new QButtonGroup(this);
    const QStringList names{QStringLiteral("pontosan"), QStringLiteral("hosszú = rövid"), QStringLiteral("ékezetek nélkül"),
                            QStringLiteral("régi névírás is")};
    for (int level = 0; level < names.size(); ++level) {
        auto *choice = new QRadioButton(names[level], group);
        choice->setGeometry(twips::toPx(120 + level % 2 * 2400, 255 + level / 2 * 270, 2280, 255));
        relax->addButton(choice, level);
    }
    relax->button(0)->setChecked(true);
    group->setToolTip(QStringLiteral(
        "Pontosan: az Á nem A, az Ő nem Ö. Hosszú = rövid: á = a, é = e, í = i, ó = o, ő = ö, ú = u, ű = ü. "
        "Ékezetek nélkül: az ö = o és az ü = u is. Régi névírás: az y = i és a w = v is. A lazított betűket "
        "az anagramma után zárójel mutatja (ó→o), és hátrébb sorolják."));
    return group;
}

kereso::kereso() : Form(Id)
{
    setWindowTitle(QStringLiteral("Anagrammakereső"));
    // Tall and narrow, to stand beside the board on a common screen.
    setFixedClientTw(5100, 12240);
    makeQueryControls();
    relaxChoices = relaxGroup();
    makeResultLists();
    labelControls();
    connectSearch();
    showCounts();
}

// What to search for: the letters, what the anagrams must contain, how many
// words of how many letters, the starting words.
void kereso::makeQueryControls()
{
    lettersLabel = controls::label(this, QStringLiteral("Betűk:"), 120, 120, 4860, 255);
    letters = new QLineEdit(this);
    letters->setGeometry(twips::toPx(120, 360, 4860, 405));
    mustContainLabel = controls::label(this, QStringLiteral("Tartalmazza:"), 120, 900, 4860, 255);
    mustContain = new QLineEdit(this);
    mustContain->setGeometry(twips::toPx(120, 1140, 4860, 405));
    for (QLineEdit *box : {letters, mustContain}) {
        box->setFont(fonts::timesCE(12));
        textaccess::install(box);
    }
    maxWordsLabel = controls::label(this, QStringLiteral("Legfeljebb szó:"), 120, 1740, 1680, 255);
    maxWords = spin(this, 1800, 1680, 1, 5, 3);
    minLengthLabel = controls::label(this, QStringLiteral("Legalább betű:"), 2760, 1740, 1500, 255);
    minLength = spin(this, 4245, 1680, 1, 9, 1);
    withStarting = new QCheckBox(QStringLiteral("A kiinduló szavak is"), this);
    withStarting->setGeometry(twips::toPx(120, 2220, 2400, 255));
    withStarting->setToolTip(QStringLiteral(
        "A kiinduló kifejezés szavai és összetett szavainak tagjai (a Holdfény hold és fény szava) is."));
    rude = new QCheckBox(QStringLiteral("Durva szavak is"), this);
    rude->setGeometry(twips::toPx(2640, 2220, 2340, 255));
    rude->setToolTip(QStringLiteral("A trágár és sértő szavak is; nélküle rejtve maradnak."));
    rare = new QCheckBox(QStringLiteral("Ritka és idegen szavak is"), this);
    rare->setGeometry(twips::toPx(120, 2490, 4860, 255));
    rare->setToolTip(QStringLiteral(
        "Az idegen szavak, indulatszók és kevesek ismerte szóalakok is, a többi után; nélküle rejtve maradnak."));
}

// The words and the anagrams found, what happened, and "Bezárás".
void kereso::makeResultLists()
{
    wordsLabel = controls::label(this, QString(), 120, 3690, 4860, 255);
    words = list(this, 120, 3930, 4860, 2730);
    anagramsLabel = controls::label(this, QString(), 120, 6840, 4860, 255);
    anagrams = list(this, 120, 7080, 4860, 3900);
    words->setToolTip(QStringLiteral(
        "A leghosszabb szavak elöl, egy hosszon belül a gyakoribbak; a ritka és idegen szavak, ha kérted, a többi után."));
    anagrams->setToolTip(QStringLiteral(
        "Elöl a gyakori szavakból álló, egyetlen szerkezetként olvasható anagrammák, a szerkezet szórendjében: "
        "névelő, jelző, birtokos és főnév; névutó; az alany és az egyező ige, a határozottságban egyező tárgy, "
        "határozók, igekötő, tagadás; kötőszó két rész között. Minden külön álló rész, minden további és "
        "ritkább szó hátrébb sorol; a nyelvtani hiba (\"a\" magánhangzó előtt, \"az\" mássalhangzó előtt, "
        "nem egyező alany vagy tárgy) és az ismételt szó a lista végére."));
    status = controls::label(this, QString(), 120, 11100, 4860, 510);
    status->setWordWrap(true);
    closeButton = controls::button(this, QStringLiteral("Bezárás"), 3885, 11730, 1095, 375);
    foundWords_ = new FoundList(FoundList::Kind::Words, this);
    foundAnagrams_ = new FoundList(FoundList::Kind::Anagrams, this);
    words->setModel(foundWords_);
    anagrams->setModel(foundAnagrams_);
}

// Each box and list is named by its label for a screen reader, and Tab
// goes down the window.
void kereso::labelControls()
{
    for (QLabel *label :
         {lettersLabel, mustContainLabel, maxWordsLabel, minLengthLabel, wordsLabel, anagramsLabel, status}) {
        label->setFont(fonts::msSansSerif(8.25));
        controls::setForeColor(label, syscolour::highlightText());
    }
    lettersLabel->setBuddy(letters);
    mustContainLabel->setBuddy(mustContain);
    maxWordsLabel->setBuddy(maxWords);
    minLengthLabel->setBuddy(minLength);
    setTabOrder({letters, mustContain, maxWords, minLength, withStarting, rude, rare, relax->button(0), relax->button(1),
                 relax->button(2), relax->button(3), words, anagrams, closeButton});
    notice_ = new Notice(this);
}

void kereso::connectSearch()
{
    connect(foundWords_, &FoundList::countChanged, this, &kereso::showCounts);
    connect(foundAnagrams_, &FoundList::countChanged, this, &kereso::showCounts);
    // A new search once the player pauses, not at every key.
    typing_.setSingleShot(true);
    typing_.setInterval(120);
    connect(&typing_, &QTimer::timeout, this, &kereso::search);
    connect(letters, &QLineEdit::textEdited, this, [this] { edited_ = true; });
    connect(letters, &QLineEdit::textChanged, this, &kereso::queryChanged);
    connect(mustContain, &QLineEdit::textChanged, this, &kereso::queryChanged);
    connect(maxWords, &QSpinBox::valueChanged, this, &kereso::queryChanged);
    connect(minLength, &QSpinBox::valueChanged, this, &kereso::queryChanged);
    connect(withStarting, &QCheckBox::toggled, this, &kereso::queryChanged);
    connect(rude, &QCheckBox::toggled, this, &kereso::queryChanged);
    connect(rare, &QCheckBox::toggled, this, &kereso::queryChanged);
    connect(relax, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            queryChanged();
    });
    connect(words, &QListView::activated, this, &kereso::takeWord);
    connect(anagrams, &QListView::activated, this, &kereso::takeAnagram);
    connect(closeButton, &QPushButton::clicked, this, &kereso::closeClicked);
}


kereso::~kereso() = default;

void kereso::Form_Load()
{
    controls::setBackColor(this, colours::Deep);
    for (QLabel *label :
         {lettersLabel, mustContainLabel, maxWordsLabel, minLengthLabel, wordsLabel, anagramsLabel, status})
        controls::setBackColor(label, colours::Deep);
    QList<QWidget *> choices{withStarting, rude, rare, relaxChoices};
    for (QAbstractButton *button : relax->buttons())
        choices.append(button);
    for (QWidget *choice : choices) {
        controls::setBackColor(choice, colours::Deep);
        // The caption only: the tick and the dot keep their dark ink on the white box.
        QPalette pal = choice->palette();
        pal.setColor(QPalette::WindowText, syscolour::highlightText());
        choice->setPalette(pal);
        choice->setFont(fonts::msSansSerif(8.25));
    }
    for (QWidget *box :
         std::initializer_list<QWidget *>{letters, mustContain, maxWords, minLength, words, anagrams}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, colours::Board);
        box->setPalette(pal);
    }
    run_ = new SearchRun(program::filePath(QStringLiteral("szavak.txt")), this);
    connect(run_, &SearchRun::wordsFound, this,
            [this](const std::shared_ptr<const finder::Search> &search, const std::vector<finder::FoundWord> &found) {
                foundWords_->restart(search);
                foundWords_->appendWords(found);
                foundAnagrams_->restart(search);
            });
    connect(run_, &SearchRun::anagramsFound, this,
            [this](const std::vector<finder::Anagram> &found) { foundAnagrams_->append(found); });
    connect(run_, &SearchRun::containMissing, this, [this] {
        containMissing_ = true;
        tell(QStringLiteral("A betűk között nincs meg mindaz, amit tartalmaznia kell."));
    });
    connect(run_, &SearchRun::finished, this, [this](bool bounded) {
        foundAnagrams_->setBounded(bounded);
        showCounts();
    });
    connect(run_, &SearchRun::failed, this, [this](const QString &message) {
        failed_ = true;
        tell(message);
        showCounts();
    });
}

void kereso::openFor(BoardLink &board, const QWidget &beside)
{
    board_ = &board;
    edited_ = false;
    followBoard();
    connect(&board, &BoardLink::changed, this, &kereso::followBoard, Qt::UniqueConnection);
    if (!isVisible()) {
        // Beside the board where the screen has room: right, else left,
        // else against the screen's right edge.
        const QRect area = beside.screen() ? beside.screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
        const QRect at = beside.frameGeometry();
        const QSize outer = size().grownBy(windowmanager::frame(this));
        int x = area.right() + 1 - outer.width();
        if (at.right() + outer.width() <= area.right())
            x = at.right() + 1;
        else if (at.left() - outer.width() >= area.left())
            x = at.left() - outer.width();
        const int y = std::max(area.top(), std::min(at.top(), area.bottom() + 1 - outer.height()));
        move(std::max(area.left(), x), y);
    }
    showInFront();
    letters->setFocus(Qt::OtherFocusReason);
}

// The upper row's letters, left to right, as long as the player has not
// written the box himself.
void kereso::followBoard()
{
    if (edited_ || !board_)
        return;
    QString row;
    for (const finder::UpperTile &tile : board_->upperTiles())
        row += tile.letter;
    if (row != letters->text())
        letters->setText(row);
}

void kereso::queryChanged() { typing_.start(); }

bool kereso::isSearching() const { return typing_.isActive() || (run_ && run_->isRunning()); }

void kereso::search()
{
    if (!run_)
        return;
    foundWords_->clear();
    foundAnagrams_->clear();
    // What the last search said is stale; what the last move said stays.
    if (containMissing_ || failed_)
        status->clear();
    containMissing_ = false;
    failed_ = false;
    // No more letters than the game's own, as from the command line.
    if (::letters::count(letters->text()) > ::letters::MostLetters) {
        run_->cancel();
        failed_ = true;
        tell(::letters::TooManyMessage);
        showCounts();
        return;
    }
    finder::Query query;
    query.letters = letters->text();
    query.contain = mustContain->text();
    query.maxWords = maxWords->value();
    query.minLength = minLength->value();
    query.allowStarting = withStarting->isChecked();
    query.rude = rude->isChecked();
    query.rare = rare->isChecked();
    query.relax = finder::Relax(relax->checkedId());
    if (startingText)
        query.starting = startingText();
    run_->start(query);
    showCounts();
}

// How many a list holds, as a Hungarian reads a number; "legalább" where the
// search stopped at its bound, since there are more than it holds.
static QString counted(const FoundList *list)
{
    const QString count = QLocale(QLocale::Hungarian).toString(list->rowCount());
    return list->isBounded() ? QStringLiteral("legalább ") + count : count;
}

void kereso::showCounts()
{
    const bool running = isSearching();
    const QString more = running ? QStringLiteral(" – keresés…") : QString();
    wordsLabel->setText(QStringLiteral("Szavak: ") + counted(foundWords_)
                        + (running && foundWords_->rowCount() == 0 ? more : QString()));
    anagramsLabel->setText(QStringLiteral("Anagrammák: ") + counted(foundAnagrams_) + more);
    // A screen reader hears a list by its name, the count in it.
    words->setAccessibleName(QStringLiteral("Szavak, ") + counted(foundWords_));
    anagrams->setAccessibleName(QStringLiteral("Anagrammák, ") + counted(foundAnagrams_));
}

void kereso::takeWord()
{
    if (words->currentIndex().isValid() && words->currentIndex().row() < foundWords_->rowCount())
        take(foundWords_->at(words->currentIndex().row()));
}

void kereso::takeAnagram()
{
    if (anagrams->currentIndex().isValid() && anagrams->currentIndex().row() < foundAnagrams_->rowCount())
        take(foundAnagrams_->at(anagrams->currentIndex().row()));
}

// The tiles spelling the words go down to the lower row, each through the
// drop rule, as the player's own drops would; all of them or none.
void kereso::take(const finder::Ranked &found)
{
    const QStringList &chosen = found.words;
    if (!board_ || !board_->inPlay()) {
        tell(QStringLiteral("Nincs játék a táblán."));
        return;
    }
    board_->endLift();
    const finder::Placement placement = finder::place(chosen, board_->upperTiles(), board_->lowerTaken(), found.swaps);
    if (!placement.refusal.isEmpty()) {
        tell(placement.refusal);
        return;
    }
    for (const finder::TileMove &m : placement.moves)
        board_->moveToLowerSlot(m.tile, m.slot);
    // Which tiles stand for which letters, as the lower row shows the tiles as they are.
    QStringList standIns;
    for (const finder::Swap &swap : found.swaps) {
        const char32_t tile = finder::letterAt(swap.tile), letter = finder::letterAt(swap.letter);
        const QString said = QString::fromUcs4(&letter, 1) + QStringLiteral(" helyett ") + QString::fromUcs4(&tile, 1).toUpper();
        if (!standIns.contains(said))
            standIns << said;
    }
    tell(QStringLiteral("Lerakva: %1").arg(chosen.join(u' ')) +
         (standIns.isEmpty() ? QString() : QStringLiteral("; ") + standIns.join(QStringLiteral(", "))));
}

// On the status line, and to a screen reader, whose focus stays where it is.
void kereso::tell(const QString &message)
{
    status->setText(message);
    notice_->say(message);
}

void kereso::closeClicked()
{
    if (run_)
        run_->cancel();
    forms::unload<kereso>();
}

void kereso::Form_FrameClose() { closeClicked(); }
