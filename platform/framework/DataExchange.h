#pragma once
// Data exchange between a window's members and its controls, used in
// DoDataExchange (DDX_Control is the ui layer's, in CDataExchange.h).
//
//   void CGeneralPage::DoDataExchange(CDataExchange* pDX)
//   {
//       DDX_Control(pDX, 1128, m_editAmount);
//       DDX_Text(pDX, 1147, m_strName);
//       DDV_MaxChars(pDX, m_strName, 50);
//       DDX_Radio(pDX, 1162, m_nType);
//   }
//
// A refused value shows the framework's standard message, puts the focus back
// on the control and makes UpdateData return FALSE.

#include "platform/core/CString.h"
#include "platform/ui/CDataExchange.h"

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
// Going in: the control is limited to nChars (edit or combo box edit field).
// Coming back: a longer value is refused.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
// The radio group starting at nIDC (which starts the group) and running to
// the next WS_GROUP control: the index of the checked button, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// A combo box's selected index, -1 for none.
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

namespace platform {
// Shows a data-exchange refusal (owner: the exchanging window) and fails the exchange.
[[noreturn]] void FailDataExchange(CDataExchange* pDX, const CString& message);
}  // namespace platform
