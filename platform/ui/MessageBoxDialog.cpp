#include "platform/ui/MessageBoxDialog.h"

#include "platform/gdi/FontMapper.h"
#include "platform/gdi/TextLayout.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/qt/Screen.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/WindowClassRegistry.h"

#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace platform {
namespace {

constexpr int kWidth = 220;
constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 22;
constexpr const char16_t* kIconClass = u"MessageBoxIcon";

class IconWidget : public QWidget {
public:
    IconWidget(UINT icon, QWidget* parent) : QWidget(parent), m_icon(icon)
    {
        switch (icon) {
        case MB_ICONEXCLAMATION: setAccessibleName(QStringLiteral("Warning")); break;
        case MB_ICONASTERISK: setAccessibleName(QStringLiteral("Information")); break;
        case MB_ICONHAND: setAccessibleName(QStringLiteral("Error")); break;
        case MB_ICONQUESTION: setAccessibleName(QStringLiteral("Question")); break;
        default: break;
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        QString glyph;
        QColor fill;
        if (m_icon == MB_ICONEXCLAMATION) {
            QPainterPath triangle;
            triangle.moveTo(r.center().x(), r.top());
            triangle.lineTo(r.right(), r.bottom());
            triangle.lineTo(r.left(), r.bottom());
            triangle.closeSubpath();
            p.fillPath(triangle, QColor(255, 204, 0));
            p.setPen(Qt::black);
            p.drawPath(triangle);
            glyph = QStringLiteral("!");
        } else if (m_icon != 0) {
            fill = m_icon == MB_ICONHAND ? QColor(204, 0, 0) : QColor(0, 64, 192);
            p.setBrush(fill);
            p.setPen(Qt::NoPen);
            p.drawEllipse(r);
            p.setPen(Qt::white);
            glyph = m_icon == MB_ICONHAND ? QStringLiteral("x") : m_icon == MB_ICONQUESTION ? QStringLiteral("?")
                                                                                            : QStringLiteral("i");
        }
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(20);
        font.setBold(true);
        p.setFont(font);
        p.drawText(rect().adjusted(0, 3, 0, 0), Qt::AlignCenter, glyph);
    }

private:
    UINT m_icon;
};

void RegisterIconClass()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterWindowClass({kIconClass, nullptr, [](HWND, const CREATESTRUCT& cs, QWidget* parent) -> QWidget* {
                             return new IconWidget(static_cast<UINT>(cs.style & MB_ICONMASK), parent);
                         },
                         {}});
}

struct ButtonSpec {
    int id;
    const char16_t* text;
};

std::vector<ButtonSpec> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"Abort"}, {IDRETRY, u"Retry"}, {IDIGNORE, u"Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, u"Yes"}, {IDNO, u"No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO: return {{IDYES, u"Yes"}, {IDNO, u"No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"Retry"}, {IDCANCEL, u"Cancel"}};
    default: return {{IDOK, u"OK"}};
    }
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(CWnd* pOwner, const CString& text, const CString& caption, UINT type)
    : CDialog(0, pOwner), m_strText(text), m_strCaption(caption), m_nType(type)
{
    m_bFullScreen = FALSE;
    m_bCaptionOk = FALSE;
}

INT_PTR MessageBoxDialog::Run()
{
    RegisterIconClass();
    DialogTemplate dialog;
    dialog.caption = m_strCaption;
    dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    dialog.cx = 40;
    dialog.cy = 20;
    dialog.fontName = u"Tahoma";
    dialog.pointSize = 9;
    return DoModalIndirect(dialog);
}

bool MessageBoxDialog::HasButton(int id) const
{
    return std::find(m_buttons.begin(), m_buttons.end(), id) != m_buttons.end();
}

BOOL MessageBoxDialog::OnInitDialog()
{
    const UINT icon = m_nType & MB_ICONMASK;
    const int textLeft = icon ? kMargin + kIconSize + kMargin : kMargin;
    const int textWidth = kWidth - textLeft - kMargin;
    const QFont font = FontFromLogFont(DefaultLogFont());
    TextLayout layout(QString::fromUtf16(m_strText.GetString(), m_strText.GetLength()), font,
                      DT_WORDBREAK | DT_NOPREFIX, RECT{0, 0, textWidth, 0});
    const int textHeight = std::max(layout.Height(), icon ? kIconSize : 0);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));

    if (icon)
        ::CreateWindowEx(0, kIconClass, u"", WS_CHILD | WS_VISIBLE | icon, kMargin, kMargin, kIconSize, kIconSize,
                         m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kIconId)), nullptr, nullptr);
    HWND text = ::CreateWindowEx(0, WC_STATIC, m_strText, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, textLeft,
                                 kMargin, textWidth, textHeight, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(IDC_MSGBOX_TEXT)), nullptr,
                                 nullptr);
    ::SendMessage(text, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);

    const std::vector<ButtonSpec> buttons = ButtonsOf(m_nType);
    const int count = static_cast<int>(buttons.size());
    int defIndex = static_cast<int>((m_nType & MB_DEFMASK) >> 8);
    if (defIndex >= count)
        defIndex = 0;
    const int rowWidth = count * kButtonWidth + (count - 1) * kMargin;
    const int top = kMargin + textHeight + 12;
    int x = (kWidth - rowWidth) / 2;
    HWND defButton = nullptr;
    for (int i = 0; i < count; ++i) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button = ::CreateWindowEx(0, WC_BUTTON, buttons[i].text, style, x, top, kButtonWidth, kButtonHeight,
                                       m_hWnd, reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(buttons[i].id)),
                                       nullptr, nullptr);
        ::SendMessage(button, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        m_buttons.push_back(buttons[i].id);
        if (i == defIndex)
            defButton = button;
        x += kButtonWidth + kMargin;
    }
    SetDefID(m_buttons[static_cast<std::size_t>(defIndex)]);

    const int height = top + kButtonHeight + kMargin;
    const CRect work = WorkArea();
    MoveWindow(work.left + (work.Width() - kWidth) / 2, work.top + (work.Height() - height) / 2, kWidth, height);
    if (icon)
        ::MessageBeep(icon);
    ::SetFocus(defButton);
    return FALSE;
}

void MessageBoxDialog::OnCancel()
{
    if (HasButton(IDCANCEL))
        EndDialog(IDCANCEL);
    else if ((m_nType & MB_TYPEMASK) == MB_OK)
        EndDialog(IDOK);
}

BOOL MessageBoxDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    if (HIWORD(wParam) == BN_CLICKED && HasButton(id)) {
        EndDialog(id);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

}  // namespace platform
