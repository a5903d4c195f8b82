#include "platform/ui/controls/combo/CComboBox.h"

#include "platform/ui/WinApi.h"

#include <cstdint>
#include <vector>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOX, u"", dwStyle, rect, pParentWnd, nID);
}

namespace {
WPARAM W(int i) { return static_cast<WPARAM>(static_cast<std::intptr_t>(i)); }
LPARAM L(LPCWSTR s) { return reinterpret_cast<LPARAM>(s ? s : u""); }
}  // namespace

int CComboBox::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
int CComboBox::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
int CComboBox::SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, W(nSelect))); }
DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, W(nIndex)));
}
int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return static_cast<int>(SendMessage(CB_SETITEMDATA, W(nIndex), static_cast<LPARAM>(dwItemData)));
}
void* CComboBox::GetItemDataPtr(int nIndex) const { return reinterpret_cast<void*>(GetItemData(nIndex)); }
int CComboBox::SetItemDataPtr(int nIndex, void* pData)
{
    return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(pData));
}
int CComboBox::GetLBText(int nIndex, LPWSTR lpszText) const
{
    return static_cast<int>(SendMessage(CB_GETLBTEXT, W(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}
void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int length = GetLBTextLen(nIndex);
    if (length == CB_ERR) {
        rString.Empty();
        return;
    }
    std::vector<WCHAR> buffer(static_cast<std::size_t>(length) + 1);
    GetLBText(nIndex, buffer.data());
    rString = buffer.data();
}
int CComboBox::GetLBTextLen(int nIndex) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, W(nIndex))); }
int CComboBox::AddString(LPCWSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, L(lpszString))); }
int CComboBox::InsertString(int nIndex, LPCWSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_INSERTSTRING, W(nIndex), L(lpszString)));
}
int CComboBox::DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
void CComboBox::ResetContent() { SendMessage(CB_RESETCONTENT); }
int CComboBox::FindString(int nStartAfter, LPCWSTR lpszString) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRING, W(nStartAfter), L(lpszString)));
}
int CComboBox::FindStringExact(int nIndexStart, LPCWSTR lpszFind) const
{
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, W(nIndexStart), L(lpszFind)));
}
int CComboBox::SelectString(int nStartAfter, LPCWSTR lpszString)
{
    return static_cast<int>(SendMessage(CB_SELECTSTRING, W(nStartAfter), L(lpszString)));
}
int CComboBox::InitStorage(int nItems, UINT nBytes)
{
    return static_cast<int>(SendMessage(CB_INITSTORAGE, W(nItems), nBytes));
}
int CComboBox::SetExtendedUI(BOOL bExtended) { return static_cast<int>(SendMessage(CB_SETEXTENDEDUI, bExtended)); }
BOOL CComboBox::GetExtendedUI() const { return static_cast<BOOL>(SendMessage(CB_GETEXTENDEDUI)); }
BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(nStartChar, nEndChar)));
}
DWORD CComboBox::GetEditSel() const { return static_cast<DWORD>(SendMessage(CB_GETEDITSEL)); }
BOOL CComboBox::LimitText(int nMaxChars) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, W(nMaxChars))); }
void CComboBox::ShowDropDown(BOOL bShowIt) { SendMessage(CB_SHOWDROPDOWN, bShowIt); }
BOOL CComboBox::GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
