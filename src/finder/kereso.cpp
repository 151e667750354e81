#include "finder/kereso.h"

#include "app/controls.h"
#include "app/fonts.h"
#include "app/notice.h"
#include "app/program.h"
#include "app/syscolour.h"
#include "app/twips.h"
#include "app/windowmanager.h"
#include "finder/foundlist.h"
#include "finder/rules/layout.h"
#include "finder/searchrun.h"
#include "game/board.h"
#include "game/rules/keyboard.h"
#include "game/seged.h"
#include "puzzles/betolt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

using namespace geometry;

// The permutator's palette.
static const QColor WindowBlue(24, 72, 184);
static const QColor BoxBlue(104, 136, 224);

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

kereso::kereso() : Form(Id)
{
    setWindowTitle(QStringLiteral("Anagrammakereső"));
    // Tall and narrow, to stand beside the board on a common screen.
    setFixedClientTw(5100, 12240);

    Label1 = controls::label(this, QStringLiteral("Betűk:"), 120, 120, 4860, 255);
    Text1 = new QLineEdit(this);
    Text1->setGeometry(twips::toPx(120, 360, 4860, 405));
    Label2 = controls::label(this, QStringLiteral("Tartalmazza:"), 120, 900, 4860, 255);
    Text2 = new QLineEdit(this);
    Text2->setGeometry(twips::toPx(120, 1140, 4860, 405));
    for (QLineEdit *box : {Text1, Text2})
        box->setFont(fonts::timesCE(12));
    Label3 = controls::label(this, QStringLiteral("Legfeljebb szó:"), 120, 1740, 1680, 255);
    Spin1 = spin(this, 1800, 1680, 1, 5, 3);
    Label4 = controls::label(this, QStringLiteral("Legalább betű:"), 2760, 1740, 1500, 255);
    Spin2 = spin(this, 4245, 1680, 1, 9, 1);
    Check1 = new QCheckBox(QStringLiteral("A kiinduló szavak is"), this);
    Check1->setGeometry(twips::toPx(120, 2220, 4860, 255));
    relaxLabel = controls::label(this, QStringLiteral("Betűk egyezése:"), 120, 2640, 1680, 255);
    relax = new QComboBox(this);
    relax->setGeometry(twips::toPx(1800, 2580, 3180, 375));
    relax->setFont(fonts::timesCE(12));
    // As Hungarian anagram makers have always allowed, looser at each step.
    relax->addItems({QStringLiteral("pontosan"), QStringLiteral("hosszú = rövid magánhangzó"),
                     QStringLiteral("ékezetek nélkül"), QStringLiteral("régi névírás is (y = i, w = v)")});
    relax->setToolTip(QStringLiteral(
        "Pontosan: az Á nem A, az Ő nem Ö. Hosszú = rövid: á = a, é = e, í = i, ó = o, ő = ö, ú = u, ű = ü. "
        "Ékezetek nélkül: az ö = o és az ü = u is. Régi névírás: az y = i és a w = v is. A lazított betűket "
        "az anagramma után zárójel mutatja (ó→o), és hátrébb sorolják."));
    Label5 = controls::label(this, QString(), 120, 3120, 4860, 255);
    List1 = list(this, 120, 3360, 4860, 3000);
    Label6 = controls::label(this, QString(), 120, 6540, 4860, 255);
    List2 = list(this, 120, 6780, 4860, 4200);
    List1->setToolTip(QStringLiteral("A leghosszabb szavak elöl, egy hosszon belül a gyakoribbak."));
    List2->setToolTip(QStringLiteral(
        "Elöl a gyakori szavakból álló, mondatként is olvasható anagrammák: a névelő a főnév előtt, "
        "a melléknév a főnév előtt, az ige az alanyával vagy a tárgyával. Minden további szó és minden "
        "ritkább szó hátrébb sorol."));
    Label7 = controls::label(this, QString(), 120, 11100, 4860, 510);
    Label7->setWordWrap(true);
    Command1 = controls::button(this, QStringLiteral("Bezárás"), 3885, 11730, 1095, 375);
    for (QLabel *label : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, relaxLabel}) {
        label->setFont(fonts::msSansSerif(8.25));
        controls::setForeColor(label, syscolour::highlightText());
    }
    // Each box and list is named by its label for a screen reader.
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Spin1);
    Label4->setBuddy(Spin2);
    relaxLabel->setBuddy(relax);
    setTabOrder({Text1, Text2, Spin1, Spin2, Check1, relax, List1, List2, Command1});

    notice_ = new Notice(this);
    words_ = new FoundList(this);
    anagrams_ = new FoundList(this);
    List1->setModel(words_);
    List2->setModel(anagrams_);
    connect(words_, &FoundList::countChanged, this, &kereso::showCounts);
    connect(anagrams_, &FoundList::countChanged, this, &kereso::showCounts);

    // A new search once the player pauses, not at every key.
    typing_.setSingleShot(true);
    typing_.setInterval(120);
    connect(&typing_, &QTimer::timeout, this, &kereso::search);
    connect(Text1, &QLineEdit::textEdited, this, [this] { edited_ = true; });
    connect(Text1, &QLineEdit::textChanged, this, &kereso::Text1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &kereso::Text1_Change);
    connect(Spin1, &QSpinBox::valueChanged, this, &kereso::Text1_Change);
    connect(Spin2, &QSpinBox::valueChanged, this, &kereso::Text1_Change);
    connect(Check1, &QCheckBox::toggled, this, &kereso::Text1_Change);
    connect(relax, &QComboBox::currentIndexChanged, this, &kereso::Text1_Change);
    connect(List1, &QListView::activated, this, &kereso::List1_DblClick);
    connect(List2, &QListView::activated, this, &kereso::List2_DblClick);
    connect(Command1, &QPushButton::clicked, this, &kereso::Command1_Click);
    showCounts();
}

kereso::~kereso() = default;

void kereso::Form_Load()
{
    controls::setBackColor(this, WindowBlue);
    for (QLabel *label : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, relaxLabel})
        controls::setBackColor(label, WindowBlue);
    controls::setBackColor(Check1, WindowBlue);
    controls::setForeColor(Check1, syscolour::highlightText());
    Check1->setFont(fonts::msSansSerif(8.25));
    for (QWidget *box : std::initializer_list<QWidget *>{Text1, Text2, Spin1, Spin2, relax, List1, List2}) {
        QPalette pal = box->palette();
        pal.setColor(QPalette::Base, BoxBlue);
        box->setPalette(pal);
    }
    run_ = new SearchRun(program::filePath(QStringLiteral("szavak.txt")), this);
    connect(run_, &SearchRun::wordsFound, this, [this](const std::vector<Found> &w) { words_->add(w); });
    connect(run_, &SearchRun::anagramsFound, this, [this](const std::vector<Found> &a) { anagrams_->add(a); });
    connect(run_, &SearchRun::containMissing, this, [this] {
        containMissing_ = true;
        tell(QStringLiteral("A betűk között nincs meg mindaz, amit tartalmaznia kell."));
    });
    connect(run_, &SearchRun::finished, this, [this] {
        words_->flush();
        anagrams_->flush();
        showCounts();
    });
    connect(run_, &SearchRun::failed, this, [this](const QString &message) {
        failed_ = true;
        tell(message);
        showCounts();
    });
}

void kereso::openFor(board &b)
{
    edited_ = false;
    followBoard();
    connect(&b, &board::tilesChanged, this, &kereso::followBoard, Qt::UniqueConnection);
    if (!isVisible()) {
        // Beside the board where the screen has room: right, else left,
        // else against the screen's right edge.
        const QRect area = b.screen() ? b.screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
        const QRect at = b.frameGeometry();
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
    Text1->setFocus(Qt::OtherFocusReason);
}

// The upper row's letters, left to right, as long as the player has not
// written the box himself.
void kereso::followBoard()
{
    const board *b = forms::loaded<board>();
    if (edited_ || !b)
        return;
    std::vector<std::pair<int, QString>> upper;
    for (const Tile *t : b->Command1)
        if (t && !t->isHidden() && t->Top() == UpperRowTop)
            upper.emplace_back(t->Left(), t->Caption());
    std::sort(upper.begin(), upper.end());
    QString letters;
    for (const auto &[left, letter] : upper)
        letters += letter;
    if (letters != Text1->text())
        Text1->setText(letters);
}

void kereso::Text1_Change() { typing_.start(); }

bool kereso::isSearching() const { return typing_.isActive() || (run_ && run_->isRunning()); }

void kereso::search()
{
    if (!run_)
        return;
    words_->clear();
    anagrams_->clear();
    // What the last search said is stale; what the last move said stays.
    if (containMissing_ || failed_)
        Label7->clear();
    containMissing_ = false;
    failed_ = false;
    finder::Query query;
    query.letters = Text1->text();
    query.contain = Text2->text();
    query.maxWords = Spin1->value();
    query.minLength = Spin2->value();
    query.allowStarting = Check1->isChecked();
    query.relax = finder::Relax(relax->currentIndex());
    if (const betolt *entry = forms::loaded<betolt>())
        query.starting = entry->Text1->text();
    run_->start(query);
    showCounts();
}

void kereso::showCounts()
{
    const bool running = isSearching();
    const QString more = running ? QStringLiteral(" – keresés…") : QString();
    Label5->setText(QStringLiteral("Szavak: %1").arg(words_->rowCount()) + (running && words_->rowCount() == 0 ? more : QString()));
    Label6->setText(QStringLiteral("Anagrammák: %1").arg(anagrams_->rowCount()) + more);
    // A screen reader hears a list by its name, the count in it.
    List1->setAccessibleName(QStringLiteral("Szavak, %1").arg(words_->rowCount()));
    List2->setAccessibleName(QStringLiteral("Anagrammák, %1").arg(anagrams_->rowCount()));
}

void kereso::List1_DblClick()
{
    if (List1->currentIndex().isValid())
        take(words_->at(List1->currentIndex().row()));
}

void kereso::List2_DblClick()
{
    if (List2->currentIndex().isValid())
        take(anagrams_->at(List2->currentIndex().row()));
}

// The tiles spelling the words go down to the lower row, each through the
// drop rule, as the player's own drops would; all of them or none.
void kereso::take(const finder::Ranked &found)
{
    const QStringList &words = found.words;
    board *b = forms::loaded<board>();
    if (!b || !b->isVisible()) {
        tell(QStringLiteral("Nincs játék a táblán."));
        return;
    }
    b->putBackLifted();
    std::vector<finder::UpperTile> upper;
    for (int i = 0; i < MaxTiles; ++i) {
        const Tile *t = b->Command1[size_t(i)];
        if (t && !t->isHidden() && t->Top() == UpperRowTop)
            upper.push_back({i, t->Caption(), int(slotOf(t->Left()))});
    }
    std::vector<bool> lowerTaken;
    for (int k = 0; k < usableSlots(b->dropWindowState()); ++k)
        lowerTaken.push_back(seged::state.SlotTable[size_t(k)].LowerTaken);
    const finder::Layout layout = finder::layOut(words, upper, lowerTaken, found.swaps);
    if (!layout.refusal.isEmpty()) {
        tell(layout.refusal);
        return;
    }
    for (const finder::TileMove &m : layout.moves) {
        const keyboard::Point at = keyboard::dropPoint({Row::Lower, m.slot});
        b->Form_DragDrop(b->Command1[size_t(m.tile)], at.x, at.y);
    }
    // Which tiles stand for which letters, as the lower row shows the tiles as they are.
    QStringList standIns;
    for (const finder::Swap &swap : found.swaps) {
        const char32_t tile = finder::letterAt(swap.tile), letter = finder::letterAt(swap.letter);
        const QString said = QString::fromUcs4(&letter, 1) + QStringLiteral(" helyett ") + QString::fromUcs4(&tile, 1).toUpper();
        if (!standIns.contains(said))
            standIns << said;
    }
    tell(QStringLiteral("Lerakva: %1").arg(words.join(u' ')) +
         (standIns.isEmpty() ? QString() : QStringLiteral("; ") + standIns.join(QStringLiteral(", "))));
}

// On the status line, and to a screen reader, whose focus stays where it is.
void kereso::tell(const QString &message)
{
    Label7->setText(message);
    notice_->say(message);
}

void kereso::Command1_Click()
{
    if (run_)
        run_->cancel();
    forms::unload<kereso>();
}

void kereso::Form_FrameClose() { Command1_Click(); }
