#pragma once
// The accessible interface of an edit field (platform internal): a
// single-line edit (QLineEdit, also the field of a drop-down combo box) or a
// multi-line one (QPlainTextEdit). It is named by the label before it and
// gives its text, caret and selection as the field shows them, with
// character positions in device pixels.

#include "platform/ui/qt/AccessibilityWidgets.h"

class QLineEdit;
class QPlainTextEdit;

namespace platform {

class AccessibleEdit : public AccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleEdit(QWidget* edit);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QLineEdit* Line() const;
    QPlainTextEdit* Multi() const;
    QString Shown() const;   // the text as shown (a password's as its bullets)
    // The caret's rectangle at `offset`, in the widget's coordinates.
    QRect LocalCaretRect(int offset) const;
};

}  // namespace platform
