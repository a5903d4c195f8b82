#include "platform/framework/DataExchange.h"

#include "platform/framework/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinApi.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Control messages the exchange sends (values of the handheld's headers).
constexpr UINT kEmLimitText = 0x00C5;
constexpr UINT kCbLimitText = 0x0141;
constexpr UINT kCbGetCurSel = 0x0147;
constexpr UINT kCbSetCurSel = 0x014E;

bool IsClass(HWND hWnd, LPCWSTR name)
{
    WCHAR buffer[64] = {};
    ::GetClassName(hWnd, buffer, 64);
    return CString(buffer).CompareNoCase(name) == 0;
}

CString ControlText(HWND hWnd)
{
    CString text;
    const int length = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

std::string Narrow(const CString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i) {
        const WCHAR c = text[i];
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');   // not a digit: the parse fails
    }
    return out;
}

bool IsRadioButton(HWND hWnd)
{
    if (!IsClass(hWnd, WC_BUTTON))
        return ::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON;
    const DWORD type = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

namespace platform {

void FailDataExchange(CDataExchange* pDX, const CString& message)
{
    CWinApp* app = AfxGetApp();
    const HWND owner = pDX->m_pDlgWnd ? pDX->m_pDlgWnd->m_hWnd : nullptr;
    ::MessageBox(owner, message.GetString(), app ? app->m_pszAppName : nullptr, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace platform

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        ::SetWindowText(hWnd, value.GetString());
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(u"%d", value);
        ::SetWindowText(hWnd, text.GetString());
        return;
    }
    const std::string text = Narrow(ControlText(hWnd).Trim());
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || parsed < INT32_MIN || parsed > INT32_MAX)
        platform::FailDataExchange(pDX, u"Please enter an integer.");
    value = static_cast<int>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(u"%u", value);
        ::SetWindowText(hWnd, text.GetString());
        return;
    }
    const std::string text = Narrow(ControlText(hWnd).Trim());
    char* end = nullptr;
    errno = 0;
    const unsigned long parsed = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno == ERANGE || parsed > UINT32_MAX)
        platform::FailDataExchange(pDX, u"Please enter a positive integer.");
    value = static_cast<UINT>(parsed);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(u"%.15g", value);
        ::SetWindowText(hWnd, text.GetString());
        return;
    }
    const std::string text = Narrow(ControlText(hWnd).Trim());
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(parsed))
        platform::FailDataExchange(pDX, u"Please enter a number.");
    value = parsed;
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if (value.GetLength() > nChars) {
            CString message;
            message.Format(u"Please enter no more than %d characters.", nChars);
            platform::FailDataExchange(pDX, message);
        }
        return;
    }
    if (HWND hWnd = pDX->m_hWndLastControl; hWnd && pDX->m_bEditLastControl)
        ::SendMessage(hWnd, IsClass(hWnd, WC_COMBOBOX) ? kCbLimitText : kEmLimitText, static_cast<WPARAM>(nChars), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND button = hWnd; button; button = ::GetWindow(button, GW_HWNDNEXT)) {
        if (button != hWnd && (::GetWindowLong(button, GWL_STYLE) & WS_GROUP))
            break;
        if (!IsRadioButton(button))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (value == -1 && ::SendMessage(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            ::SendMessage(button, BM_SETCHECK, index == value ? BST_CHECKED : 0, 0);
        }
        ++index;
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(hWnd, BM_GETCHECK, 0, 0));
    else
        ::SendMessage(hWnd, BM_SETCHECK, value >= 0 && value <= 2 ? static_cast<WPARAM>(value) : 0, 0);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWnd, kCbGetCurSel, 0, 0));
    else
        ::SendMessage(hWnd, kCbSetCurSel, static_cast<WPARAM>(index), 0);
}
