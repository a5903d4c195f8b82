#pragma once
// The Qt side of an edit control (platform internal): a QLineEdit for a
// single-line edit, a QPlainTextEdit for a multi-line one, and the state the
// control keeps about itself (text limit, the one undo level).
//
// Positions and lengths the program sees count a line break as two
// characters ("\r\n"), as the handheld's edit does; Qt keeps one ('\n').

#include "platform/ui/Window.h"

#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace platform {

struct EditState : ControlData {
    int limit = 0x7FFFFFFE;
    bool modified = false;
    // The one undo level: the text and selection before the last change.
    bool canUndo = false;
    QString undoText;
    int undoStart = 0;
    int undoEnd = 0;
    // Consecutive typing makes one undoable change.
    bool typingRun = false;
    // What the control showed after the last change it knows of.
    QString lastText;
    int lastStart = 0;
    int lastEnd = 0;
    int pendingCaret = -1;
    int internal = 0;   // changes made by the control itself, not the user
};

// Uniform access to either widget; positions are Qt's.
class EditAccess {
public:
    explicit EditAccess(HWND hwnd);
    bool Valid() const { return (m_line || m_multi) && m_state; }
    HWND Hwnd() const { return m_hwnd; }
    bool Multiline() const { return m_multi != nullptr; }
    EditState* State() const { return m_state; }
    QWidget* Widget() const;

    QString Text() const;
    void SetText(const QString& text);
    void Selection(int& start, int& end) const;
    int Caret() const;
    void Select(int anchor, int caret);
    void Insert(const QString& text);   // replaces the selection
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    int LineCount() const;

    // Qt text and positions to and from the program's form.
    static QString ToProgram(const QString& text);
    static QString FromProgram(const QString& text);
    int ToProgramPos(int pos) const;
    int FromProgramPos(int pos) const;

private:
    HWND m_hwnd = nullptr;
    QLineEdit* m_line = nullptr;
    QPlainTextEdit* m_multi = nullptr;
    EditState* m_state = nullptr;
};

QWidget* MakeEditWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

}  // namespace platform
