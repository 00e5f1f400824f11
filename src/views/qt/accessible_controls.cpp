#include "accessible_controls.h"

#include "control_widgets.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace quorvex {
namespace {

// A text box. Qt's own interface for a line edit, in 6.4 and 6.8 alike, reports every text
// attribute run as empty (from the asked offset to itself). Orca joins the runs to find the text
// to speak, so it drops the last character: a box holding 400, all selected, was heard as "40
// selected". A line edit has one run, its whole text; the rest is what Qt's interface does,
// through the line edit's public functions.
class AccessibleTextBox : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface
{
public:
    explicit AccessibleTextBox(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText)
    {
    }

    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value) {
            return box()->text();
        }
        return QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value) {
            box()->setText(text);
        } else {
            QAccessibleWidget::setText(kind, text);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // The text interface.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + box()->selectionLength();
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0) {
            box()->deselect();
        }
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0) {
            box()->setSelection(start, end - start);
        }
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return start > end ? QString() : box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QString attributes(int offset, int* start, int* end) const override
    {
        const int count = characterCount();
        if (offset < 0 || offset > count) {
            *start = *end = -1;
            return {};
        }
        *start = 0;
        *end = count;
        return {};
    }
    QRect characterRect(int offset) const override
    {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty()) {
            return {};
        }
        // Where the cursor stands before the character, and the character's advance from there.
        const QRect cursor = cursorRectAt(offset);
        const QFontMetrics metrics(box()->font());
        QRect rect(cursor.left(), cursor.top(), metrics.horizontalAdvance(character),
                   cursor.height());
        rect.moveTopLeft(box()->mapToGlobal(rect.topLeft()));
        return rect;
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }

    // The editable text interface.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override
    {
        box()->setCursorPosition(offset);
        box()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override
    {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

private:
    // The line edit tells where its cursor is drawn only at the cursor; elsewhere on its one line
    // the place differs by the advance of the text in between.
    QRect cursorRectAt(int offset) const
    {
        const QLineEdit* edit = box();
        const QRect cursor = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(edit->font());
        const QString content = edit->text();
        const int shift = metrics.horizontalAdvance(content.left(offset)) -
                          metrics.horizontalAdvance(content.left(edit->cursorPosition()));
        return cursor.translated(shift, 0);
    }
};

} // namespace

QAccessibleInterface* accessibleControl(const QString&, QObject* object)
{
    if (auto* window = dynamic_cast<ScreenWindow*>(object)) {
        // A frame: its name is the window's caption, and a screen reader asked for the title
        // speaks it.
        return new QAccessibleWidget(window, QAccessible::Window);
    }
    if (auto* box = dynamic_cast<PictureBox*>(object)) {
        return new QAccessibleWidget(box, QAccessible::Graphic);
    }
    if (auto* box = qobject_cast<QLineEdit*>(object)) {
        return new AccessibleTextBox(box);
    }
    return nullptr;
}

} // namespace quorvex
