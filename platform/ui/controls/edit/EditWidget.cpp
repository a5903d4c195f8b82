#include "platform/ui/controls/edit/EditWidget.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/qt/Style.h"
#include "platform/ui/ControlText.h"
#include "platform/ui/WinApi.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace platform {
namespace {

// Editing shortcuts go through the control's messages, so the one undo level
// and the text limit see every change (Qt's own undo stack is never used).
bool RouteShortcut(HWND hwnd, QKeyEvent* event)
{
    UINT message = 0;
    if (event->matches(QKeySequence::Undo))
        message = WM_UNDO;
    else if (event->matches(QKeySequence::Cut))
        message = WM_CUT;
    else if (event->matches(QKeySequence::Copy))
        message = WM_COPY;
    else if (event->matches(QKeySequence::Paste))
        message = WM_PASTE;
    else if (!event->matches(QKeySequence::Redo))
        return false;
    if (message)
        ::SendMessage(hwnd, message, 0, 0);
    event->accept();
    return true;
}

class EditLine : public QLineEdit {
public:
    EditLine(HWND hwnd, QWidget* parent) : QLineEdit(parent), m_hwnd(hwnd) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!RouteShortcut(m_hwnd, event))
            QLineEdit::keyPressEvent(event);
    }

private:
    HWND m_hwnd;
};

class EditText : public QPlainTextEdit {
public:
    EditText(HWND hwnd, QWidget* parent) : QPlainTextEdit(parent), m_hwnd(hwnd) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!RouteShortcut(m_hwnd, event))
            QPlainTextEdit::keyPressEvent(event);
    }

private:
    HWND m_hwnd;
};

// Qt shows a multi-line edit's scroll bars as its text needs them; the
// window's client area is what is left beside them.
class ScrollBarWatch : public QObject {
public:
    ScrollBarWatch(HWND hwnd, QAbstractScrollArea* area) : QObject(area), m_hwnd(hwnd), m_area(area)
    {
        // Qt shows and hides the bars' containers.
        area->verticalScrollBar()->parentWidget()->installEventFilter(this);
        area->horizontalScrollBar()->parentWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShowToParent && event->type() != QEvent::HideToParent)
            return false;
        if (Window* w = LookupWindow(m_hwnd)) {
            w->vscroll = m_area->verticalScrollBar()->parentWidget()->isVisibleTo(m_area);
            w->hscroll = m_area->horizontalScrollBar()->parentWidget()->isVisibleTo(m_area);
        }
        return false;
    }

private:
    HWND m_hwnd;
    QAbstractScrollArea* m_area;
};

// A change the user made through Qt (typing, Backspace, Delete).
void OnTextChanged(HWND hwnd)
{
    EditAccess edit(hwnd);
    EditState* s = edit.State();
    if (!s || s->internal)
        return;
    const QString now = edit.Text();
    if (now == s->lastText)
        return;
    if (!s->typingRun) {
        s->undoText = s->lastText;
        s->undoStart = s->lastStart;
        s->undoEnd = s->lastEnd;
        s->canUndo = true;
        s->typingRun = true;
    }
    s->modified = true;
    s->lastText = now;
    edit.Selection(s->lastStart, s->lastEnd);
    s->pendingCaret = edit.Caret();
    if (Window* w = LookupWindow(hwnd))
        w->text = CString(reinterpret_cast<LPCWSTR>(EditAccess::ToProgram(now).utf16()));
    NotifyParent(hwnd, EN_UPDATE);
    if (::IsWindow(hwnd))
        NotifyParent(hwnd, EN_CHANGE);
}

// The caret or selection moved; moving it other than by typing ends a typing run.
void OnSelectionMoved(HWND hwnd)
{
    EditAccess edit(hwnd);
    EditState* s = edit.State();
    if (!s || s->internal || edit.Text() != s->lastText)
        return;
    int start = 0;
    int end = 0;
    edit.Selection(start, end);
    if (!(start == end && end == s->pendingCaret))
        s->typingRun = false;
    s->lastStart = start;
    s->lastEnd = end;
}

}  // namespace

EditAccess::EditAccess(HWND hwnd) : m_hwnd(hwnd)
{
    Window* w = LookupWindow(hwnd);
    if (!w || !w->widget)
        return;
    m_line = qobject_cast<QLineEdit*>(w->widget.data());
    m_multi = qobject_cast<QPlainTextEdit*>(w->widget.data());
    m_state = dynamic_cast<EditState*>(w->controlData.get());
}

QWidget* EditAccess::Widget() const
{
    return m_line ? static_cast<QWidget*>(m_line) : static_cast<QWidget*>(m_multi);
}

QString EditAccess::Text() const
{
    if (m_line)
        return m_line->text();
    return m_multi ? m_multi->toPlainText() : QString();
}

void EditAccess::SetText(const QString& text)
{
    if (m_line)
        m_line->setText(text);
    else if (m_multi)
        m_multi->setPlainText(text);
}

void EditAccess::Selection(int& start, int& end) const
{
    start = end = 0;
    if (m_line) {
        if (m_line->hasSelectedText()) {
            start = m_line->selectionStart();
            end = m_line->selectionEnd();
        } else {
            start = end = m_line->cursorPosition();
        }
    } else if (m_multi) {
        const QTextCursor c = m_multi->textCursor();
        start = c.selectionStart();
        end = c.selectionEnd();
    }
}

int EditAccess::Caret() const
{
    if (m_line)
        return m_line->cursorPosition();
    return m_multi ? m_multi->textCursor().position() : 0;
}

void EditAccess::Select(int anchor, int caret)
{
    if (m_line) {
        if (anchor == caret)
            m_line->setCursorPosition(caret);
        else
            m_line->setSelection(anchor, caret - anchor);
    } else if (m_multi) {
        QTextCursor c = m_multi->textCursor();
        c.setPosition(anchor);
        c.setPosition(caret, QTextCursor::KeepAnchor);
        m_multi->setTextCursor(c);
    }
}

void EditAccess::Insert(const QString& text)
{
    if (m_line) {
        // QLineEdit::insert would apply its own length limit; the control
        // applies the program's.
        int start = 0;
        int end = 0;
        Selection(start, end);
        QString all = m_line->text();
        all.replace(start, end - start, text);
        m_line->setText(all);
        m_line->setCursorPosition(start + static_cast<int>(text.size()));
    } else if (m_multi) {
        QTextCursor c = m_multi->textCursor();
        c.insertText(text);
        m_multi->setTextCursor(c);
    }
}

bool EditAccess::ReadOnly() const
{
    if (m_line)
        return m_line->isReadOnly();
    return m_multi && m_multi->isReadOnly();
}

void EditAccess::SetReadOnly(bool readOnly)
{
    if (m_line)
        m_line->setReadOnly(readOnly);
    else if (m_multi)
        m_multi->setReadOnly(readOnly);
}

int EditAccess::LineCount() const
{
    if (!m_multi)
        return 1;
    return m_multi->document()->blockCount();
}

QString EditAccess::ToProgram(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return out;
}

QString EditAccess::FromProgram(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

int EditAccess::ToProgramPos(int pos) const
{
    if (!m_multi)
        return pos;
    const QString text = Text();
    pos = std::clamp(pos, 0, static_cast<int>(text.size()));
    return pos + static_cast<int>(text.left(pos).count(QLatin1Char('\n')));
}

int EditAccess::FromProgramPos(int pos) const
{
    const QString text = Text();
    if (!m_multi)
        return std::clamp(pos, 0, static_cast<int>(text.size()));
    int count = 0;
    int i = 0;
    while (i < text.size() && count < pos) {
        count += text.at(i) == QLatin1Char('\n') ? 2 : 1;
        ++i;
    }
    return i;
}

QWidget* MakeEditWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    const DWORD style = static_cast<DWORD>(cs.style);
    const QString text =
        (cs.lpszName && !IS_INTRESOURCE(cs.lpszName)) ? QString::fromUtf16(cs.lpszName) : QString();
    auto state = std::make_unique<EditState>();
    QWidget* widget = nullptr;
    if (style & ES_MULTILINE) {
        auto* multi = new EditText(hwnd, parent);
        multi->setUndoRedoEnabled(false);
        multi->setTabChangesFocus(true);
        multi->setLineWrapMode((style & (ES_AUTOHSCROLL | WS_HSCROLL)) ? QPlainTextEdit::NoWrap
                                                                        : QPlainTextEdit::WidgetWidth);
        multi->setVerticalScrollBarPolicy((style & WS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        multi->setHorizontalScrollBarPolicy((style & WS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        MatchFrame(multi, *w);
        new ScrollBarWatch(hwnd, multi);
        multi->setPlainText(EditAccess::FromProgram(text));
        multi->setReadOnly(style & ES_READONLY);
        QObject::connect(multi, &QPlainTextEdit::textChanged, multi, [hwnd] { OnTextChanged(hwnd); });
        QObject::connect(multi, &QPlainTextEdit::cursorPositionChanged, multi, [hwnd] { OnSelectionMoved(hwnd); });
        QObject::connect(multi, &QPlainTextEdit::selectionChanged, multi, [hwnd] { OnSelectionMoved(hwnd); });
        state->lastText = multi->toPlainText();
        widget = multi;
    } else {
        auto* line = new EditLine(hwnd, parent);
        line->setFrame((style & WS_BORDER) != 0);
        line->setText(text);
        line->setCursorPosition(0);
        line->setReadOnly(style & ES_READONLY);
        const DWORD align = style & (ES_CENTER | ES_RIGHT);
        line->setAlignment((align == ES_CENTER  ? Qt::AlignHCenter
                            : align == ES_RIGHT ? Qt::AlignRight
                                                : Qt::AlignLeft) |
                           Qt::AlignVCenter);
        if (style & ES_PASSWORD)
            line->setEchoMode(QLineEdit::Password);
        QObject::connect(line, &QLineEdit::textChanged, line, [hwnd] { OnTextChanged(hwnd); });
        QObject::connect(line, &QLineEdit::cursorPositionChanged, line, [hwnd] { OnSelectionMoved(hwnd); });
        QObject::connect(line, &QLineEdit::selectionChanged, line, [hwnd] { OnSelectionMoved(hwnd); });
        state->lastText = line->text();
        widget = line;
    }
    widget->setContextMenuPolicy(Qt::NoContextMenu);
    widget->setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    w->controlData = std::move(state);
    return widget;
}

}  // namespace platform
