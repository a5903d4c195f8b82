#include "platform/ui/qt/AccessibilityText.h"

#include "platform/ui/qt/AccessibilitySupport.h"
#include "platform/ui/WinApi.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

namespace platform {

AccessibleEdit::AccessibleEdit(QWidget* edit) : AccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* AccessibleEdit::Line() const { return qobject_cast<QLineEdit*>(widget()); }

QPlainTextEdit* AccessibleEdit::Multi() const { return qobject_cast<QPlainTextEdit*>(widget()); }

void* AccessibleEdit::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return AccessibleWidget::interface_cast(t);
}

QString AccessibleEdit::Shown() const
{
    if (QLineEdit* line = Line())
        return line->displayText();
    if (QPlainTextEdit* multi = Multi())
        return multi->toPlainText();
    return QString();
}

QString AccessibleEdit::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (const HWND hwnd = Hwnd())
            return LabelBefore(hwnd);
        return widget()->accessibleName();
    case QAccessible::Value:
        return Shown();
    default:
        return AccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleEdit::state() const
{
    QAccessible::State s = AccessibleWidget::state();
    const bool readOnly = Line() ? Line()->isReadOnly() : Multi() && Multi()->isReadOnly();
    s.readOnly = readOnly;
    s.editable = !readOnly;
    s.selectableText = true;
    s.multiLine = Multi() != nullptr;
    s.passwordEdit = Line() && Line()->echoMode() != QLineEdit::Normal;
    return s;
}

void AccessibleEdit::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0)
        return;
    if (QLineEdit* line = Line(); line && line->hasSelectedText()) {
        *startOffset = line->selectionStart();
        *endOffset = line->selectionEnd();
    } else if (QPlainTextEdit* multi = Multi()) {
        *startOffset = multi->textCursor().selectionStart();
        *endOffset = multi->textCursor().selectionEnd();
    }
}

int AccessibleEdit::selectionCount() const
{
    int start = 0;
    int end = 0;
    selection(0, &start, &end);
    return end > start ? 1 : 0;
}

void AccessibleEdit::addSelection(int startOffset, int endOffset) { setSelection(0, startOffset, endOffset); }

void AccessibleEdit::removeSelection(int selectionIndex)
{
    if (selectionIndex != 0)
        return;
    if (QLineEdit* line = Line()) {
        line->deselect();
    } else if (QPlainTextEdit* multi = Multi()) {
        QTextCursor cursor = multi->textCursor();
        cursor.clearSelection();
        multi->setTextCursor(cursor);
    }
}

void AccessibleEdit::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    const int count = characterCount();
    startOffset = std::clamp(startOffset, 0, count);
    endOffset = std::clamp(endOffset < 0 ? count : endOffset, 0, count);
    if (selectionIndex != 0)
        return;
    if (QLineEdit* line = Line()) {
        line->setSelection(startOffset, endOffset - startOffset);
    } else if (QPlainTextEdit* multi = Multi()) {
        QTextCursor cursor = multi->textCursor();
        cursor.setPosition(startOffset);
        cursor.setPosition(endOffset, QTextCursor::KeepAnchor);
        multi->setTextCursor(cursor);
    }
}

int AccessibleEdit::cursorPosition() const
{
    if (QLineEdit* line = Line())
        return line->cursorPosition();
    if (QPlainTextEdit* multi = Multi())
        return multi->textCursor().position();
    return 0;
}

void AccessibleEdit::setCursorPosition(int position)
{
    position = std::clamp(position, 0, characterCount());
    if (QLineEdit* line = Line()) {
        line->setCursorPosition(position);
    } else if (QPlainTextEdit* multi = Multi()) {
        QTextCursor cursor = multi->textCursor();
        cursor.setPosition(position);
        multi->setTextCursor(cursor);
    }
}

QString AccessibleEdit::text(int startOffset, int endOffset) const
{
    const QString shown = Shown();
    if (endOffset < 0 || endOffset > shown.size())
        endOffset = static_cast<int>(shown.size());
    startOffset = std::clamp(startOffset, 0, endOffset);
    return shown.mid(startOffset, endOffset - startOffset);
}

int AccessibleEdit::characterCount() const { return static_cast<int>(Shown().size()); }

QRect AccessibleEdit::LocalCaretRect(int offset) const
{
    const QString shown = Shown();
    offset = std::clamp(offset, 0, static_cast<int>(shown.size()));
    const QFontMetrics metrics(widget()->font());
    const int width = std::max(1, metrics.horizontalAdvance(shown.mid(offset, 1)));
    if (QLineEdit* line = Line()) {
        // Qt tells where the caret is, scrolling included, as a box centred
        // on it; other positions lie the text's advance away from it.
        const QRectF caret = line->inputMethodQuery(Qt::ImCursorRectangle).toRectF();
        const qreal dx = metrics.horizontalAdvance(shown.left(offset)) -
                         metrics.horizontalAdvance(shown.left(line->cursorPosition()));
        return QRect(qRound(caret.center().x() + dx), qRound(caret.y()), width, qRound(caret.height()));
    }
    if (QPlainTextEdit* multi = Multi()) {
        QTextCursor cursor(multi->document());
        cursor.setPosition(offset);
        const QRect caret = multi->cursorRect(cursor);
        return QRect(multi->viewport()->mapTo(multi, caret.topLeft()), QSize(width, caret.height()));
    }
    return QRect();
}

QRect AccessibleEdit::characterRect(int offset) const
{
    if (!widget()->isVisible())
        return QRect();
    const QRect local = LocalCaretRect(offset);
    return ToDevicePixels(QRect(widget()->mapToGlobal(local.topLeft()), local.size()), widget());
}

int AccessibleEdit::offsetAtPoint(const QPoint& point) const
{
    const QPoint local = widget()->mapFromGlobal(FromDevicePixels(point, widget()));
    if (!widget()->rect().contains(local))
        return -1;
    if (QLineEdit* line = Line())
        return line->cursorPositionAt(local);
    if (QPlainTextEdit* multi = Multi())
        return multi->cursorForPosition(multi->viewport()->mapFrom(multi, local)).position();
    return -1;
}

// A single-line field keeps the caret in view by itself; a multi-line one
// scrolls by lines, leaving its caret where the user put it.
void AccessibleEdit::scrollToSubstring(int startIndex, int endIndex)
{
    Q_UNUSED(endIndex);
    QPlainTextEdit* multi = Multi();
    if (!multi)
        return;
    QTextCursor cursor(multi->document());
    cursor.setPosition(std::clamp(startIndex, 0, characterCount()));
    if (!multi->viewport()->rect().contains(multi->cursorRect(cursor)))
        multi->verticalScrollBar()->setValue(cursor.block().firstLineNumber());
}

QString AccessibleEdit::attributes(int offset, int* startOffset, int* endOffset) const
{
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return QString();
}

}  // namespace platform
