#pragma once
// A minimal edit control class for the tests, on a QLineEdit: enough to show
// that typed characters reach the window's WM_CHAR handler before the
// control's own handling, and that text goes both ways.

#include "platform/ui/CWnd.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowClassRegistry.h"

#include <QLineEdit>

class CTestEdit : public CWnd {
protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto* edit = qobject_cast<QLineEdit*>(Widget());
        switch (message) {
        case WM_SETTEXT:
            if (edit)
                edit->setText(QString::fromUtf16(reinterpret_cast<LPCWSTR>(lParam)));
            break;
        case WM_GETTEXTLENGTH:
            return edit ? edit->text().size() : 0;
        case WM_GETTEXT: {
            if (!edit || wParam == 0)
                return 0;
            const QString text = edit->text().left(static_cast<int>(wParam) - 1);
            auto* out = reinterpret_cast<LPWSTR>(lParam);
            for (int i = 0; i < text.size(); ++i)
                out[i] = text.at(i).unicode();
            out[text.size()] = 0;
            return text.size();
        }
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        default:
            break;
        }
        return CWnd::DefWindowProc(message, wParam, lParam);
    }

    QWidget* Widget() const
    {
        platform::Window* w = platform::LookupWindow(m_hWnd);
        return w ? w->widget.data() : nullptr;
    }

public:
    static void Register()
    {
        platform::RegisterWindowClass({u"TESTEDIT", nullptr,
                                       [](HWND, const CREATESTRUCT&, QWidget* parent) -> QWidget* {
                                           auto* edit = new QLineEdit(parent);
                                           edit->setFrame(true);
                                           return edit;
                                       },
                                       []() -> CWnd* { return new CTestEdit; }});
    }
};
