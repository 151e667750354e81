// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/textaccess.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QValidator>

namespace {

// What Qt's own interface of a line edit does, through the box's public
// face, but for the text attributes: the whole text is one run, as a box
// of one font and colour is.
class BoxInterface : public QAccessibleWidget, public QAccessibleTextInterface, public QAccessibleEditableTextInterface
{
public:
    explicit BoxInterface(QLineEdit *box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        // The game's boxes show what is typed: none is a password.
        QString str = t == QAccessible::Value ? box()->text() : QString();
        if (str.isEmpty())
            str = QAccessibleWidget::text(t);
        if (str.isEmpty() && t == QAccessible::Description)
            str = box()->placeholderText();
        return str;
    }
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        QString checked = text;
        int at = 0;
        if (!box()->validator() || box()->validator()->validate(checked, at) == QValidator::Acceptable)
            box()->setText(checked);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = box()->isReadOnly();
        s.editable = !box()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    QString attributes(int, int *start, int *end) const override
    {
        // An empty run (start = end = offset, as Qt gives) makes Orca read
        // a line only up to where the last letter's run starts.
        *start = 0;
        *end = characterCount();
        return {};
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    int characterCount() const override { return int(box()->text().size()); }
    QString text(int start, int end) const override
    {
        if (start > end)
            return {};
        return box()->text().mid(start, end - start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return QAccessibleTextInterface::textBeforeOffset(at(offset), type, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return QAccessibleTextInterface::textAfterOffset(at(offset), type, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start, int *end) const override
    {
        return QAccessibleTextInterface::textAtOffset(at(offset), type, start, end);
    }

    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int *start, int *end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = box()->selectionEnd();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }

    // Measured from the caret, whose place (scrolled as the box is) Qt tells.
    QRect characterRect(int offset) const override
    {
        const QString letter = text(offset, offset + 1);
        if (letter.isEmpty())
            return {};
        const QFontMetrics metrics(box()->font());
        const QString all = box()->text();
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(all.left(offset))
                      - metrics.horizontalAdvance(all.left(box()->cursorPosition()));
        return QRect(box()->mapToGlobal(QPoint(x, caret.y())), QSize(metrics.horizontalAdvance(letter), metrics.height()));
    }
    int offsetAtPoint(const QPoint &point) const override { return box()->cursorPositionAt(box()->mapFromGlobal(point)); }
    void scrollToSubstring(int start, int end) override
    {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }

    void deleteText(int start, int end) override { box()->setText(box()->text().remove(start, end - start)); }
    void insertText(int offset, const QString &text) override { box()->setText(box()->text().insert(offset, text)); }
    void replaceText(int start, int end, const QString &text) override
    {
        box()->setText(box()->text().replace(start, end - start, text));
    }

private:
    QLineEdit *box() const { return static_cast<QLineEdit *>(widget()); }
    // -2 stands for the caret.
    int at(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

// Set on the boxes that take our interface.
const char *const Mended = "textaccess";

QAccessibleInterface *factory(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLineEdit") && object->property(Mended).toBool())
        return new BoxInterface(static_cast<QLineEdit *>(object));
    return nullptr;
}

} // namespace

namespace textaccess {

void install(QLineEdit *box)
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed);
    box->setProperty(Mended, true);
    // Qt may have made its own interface already, if a screen reader
    // listened when the box was made: ours takes its place.
    QAccessibleInterface *old = QAccessible::queryAccessibleInterface(box);
    if (old && !dynamic_cast<BoxInterface *>(old))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    // A box reports its caret the first time it has one, which for an empty
    // box is the focus-in of the first Tab into it, before Qt tells the
    // focus; Orca then follows the caret without a word and takes the focus
    // for old news. Reported now, while the box is not shown and Orca pays
    // it no heed, the caret has not moved by then.
    if (!box->hasSelectedText())
        box->setCursorPosition(box->cursorPosition());
}

} // namespace textaccess
