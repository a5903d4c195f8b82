#pragma once
// Message maps: static tables declared in a class and defined beside its handlers.
//
//   class CMyDlg : public CDialog {
//       ...
//       DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_CREATE()
//       ON_COMMAND(ID_APP_ABOUT, OnAbout)
//       ON_BN_CLICKED(IDC_RETURNED, OnReturned)
//       ON_NOTIFY(NM_CLICK, IDC_LIST, OnClickList)
//       ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)     // a base class's handler
//   END_MESSAGE_MAP()
//
// Handlers are named bare (OnAbout) or qualified by a base class
// (CWinApp::OnFileNew). Each entry holds a small function generated for it that
// calls the handler with its exact signature: no casts between member-function
// pointer types. Lookup walks the map of the class, then its base's, and so on;
// the first match wins. Other layers may add their own ON_WM_xxx macros the same
// way (see PLATFORM_MSG_ENTRY below).

#include "platform/gdi/CPoint.h"
#include "platform/ui/WinUser.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;

namespace platform {

// One dispatch: what the entry's function gets and where it leaves the result.
struct MsgCall {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;
    int nCode = 0;
    void* pExtra = nullptr;
    LRESULT result = 0;
};

// Returns TRUE when the message counts as handled (the _EX handlers decide).
using MsgThunk = BOOL (*)(CCmdTarget* target, MsgCall& call);

namespace msgmap {
CWnd* WndFromHandle(WPARAM handle);
CWnd* WndFromHandle(LPARAM handle);
CDC* DcFromHandle(WPARAM hdc);
inline CPoint PointFrom(LPARAM lParam) { return CPoint(lParam); }
}  // namespace msgmap

}  // namespace platform

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;            // window message, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + one of them
    UINT nCode;               // notification code (as WORD), CN_UPDATE_COMMAND_UI, or 0
    UINT nID;                 // first control or command id, 0 for window messages
    UINT nLastID;
    const UINT* pnRegistered; // ON_REGISTERED_MESSAGE: the variable holding the message number
    platform::MsgThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Passed as pExtra with WM_NOTIFY through OnCmdMsg.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Codes for OnCmdMsg: CN_COMMAND for commands, CN_UPDATE_COMMAND_UI for state
// queries; notifications pass MAKELONG(code, WM_NOTIFY) or MAKELONG(code, 0).
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;
constexpr UINT CN_UPDATE_COMMAND_UI_CODE = 0xFFFFFFFF;

#define DECLARE_MESSAGE_MAP()                          \
protected:                                             \
    static const AFX_MSGMAP* GetThisMessageMap();      \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        using TheBaseClass = baseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                               \
            {0, 0, 0, 0, nullptr, nullptr}};                                            \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                             \
    }

// An entry whose function runs the trailing statements with `pThis_` (the object, as ThisClass*)
// and `call_` (the platform::MsgCall) in scope; they return the BOOL.
#define PLATFORM_MSG_ENTRY(message, code, id, lastId, registered, ...)                              \
    {static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(lastId), \
     registered, [](CCmdTarget* target_, ::platform::MsgCall& call_) -> BOOL {                       \
         ThisClass* pThis_ = static_cast<ThisClass*>(target_);                                       \
         (void)pThis_;                                                                               \
         (void)call_;                                                                                \
         __VA_ARGS__                                                                                 \
     }},

#define PLATFORM_WM_ENTRY(message, ...) PLATFORM_MSG_ENTRY(message, 0, 0, 0, nullptr, __VA_ARGS__)

// Commands and command state.
#define ON_COMMAND(id, memberFxn) \
    PLATFORM_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, pThis_->memberFxn(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    PLATFORM_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, id, nullptr, return pThis_->memberFxn(call_.nID);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    PLATFORM_MSG_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, nullptr, pThis_->memberFxn(call_.nID); return TRUE;)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                            \
    PLATFORM_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI_CODE, id, id, nullptr,         \
                       pThis_->memberFxn(static_cast<CCmdUI*>(call_.pExtra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                              \
    PLATFORM_MSG_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI_CODE, id, idLast, nullptr,     \
                       pThis_->memberFxn(static_cast<CCmdUI*>(call_.pExtra)); return TRUE;)

// Control notifications through WM_COMMAND.
#define ON_CONTROL(code, id, memberFxn) \
    PLATFORM_MSG_ENTRY(WM_COMMAND, static_cast<WORD>(code), id, id, nullptr, pThis_->memberFxn(); return TRUE;)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                               \
    PLATFORM_MSG_ENTRY(WM_COMMAND, static_cast<WORD>(code), id, idLast, nullptr,    \
                       pThis_->memberFxn(call_.nID); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

// WM_NOTIFY: fn(NMHDR*, LRESULT*); the _EX and range forms also get the id.
#define ON_NOTIFY(code, id, memberFxn)                                                        \
    PLATFORM_MSG_ENTRY(WM_NOTIFY, static_cast<WORD>(code), id, id, nullptr,                   \
                       { auto* n_ = static_cast<AFX_NOTIFY*>(call_.pExtra);                   \
                         pThis_->memberFxn(n_->pNMHDR, n_->pResult); return TRUE; })
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                          \
    PLATFORM_MSG_ENTRY(WM_NOTIFY, static_cast<WORD>(code), id, idLast, nullptr,               \
                       { auto* n_ = static_cast<AFX_NOTIFY*>(call_.pExtra);                   \
                         pThis_->memberFxn(call_.nID, n_->pNMHDR, n_->pResult); return TRUE; })
#define ON_NOTIFY_EX(code, id, memberFxn)                                                     \
    PLATFORM_MSG_ENTRY(WM_NOTIFY, static_cast<WORD>(code), id, id, nullptr,                   \
                       { auto* n_ = static_cast<AFX_NOTIFY*>(call_.pExtra);                   \
                         return pThis_->memberFxn(call_.nID, n_->pNMHDR, n_->pResult); })

// Reflected notifications: the control handles its own notification. The
// plain forms keep it from the parent; an _EX handler returning FALSE lets
// the parent have it too.
#define ON_CONTROL_REFLECT(code, memberFxn)                                                   \
    PLATFORM_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, nullptr,  \
                       pThis_->memberFxn(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                \
    PLATFORM_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, nullptr,  \
                       return pThis_->memberFxn();)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                    \
    PLATFORM_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, nullptr,   \
                       { auto* n_ = static_cast<AFX_NOTIFY*>(call_.pExtra);                   \
                         pThis_->memberFxn(n_->pNMHDR, n_->pResult); return TRUE; })
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                 \
    PLATFORM_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, static_cast<WORD>(code), 0, 0, nullptr,   \
                       { auto* n_ = static_cast<AFX_NOTIFY*>(call_.pExtra);                   \
                         return pThis_->memberFxn(n_->pNMHDR, n_->pResult); })
#define ON_WM_CTLCOLOR_REFLECT()                                                              \
    PLATFORM_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR,                                          \
                      call_.result = reinterpret_cast<LRESULT>(pThis_->CtlColor(              \
                          ::platform::msgmap::DcFromHandle(call_.wParam), static_cast<UINT>(call_.nCode))); \
                      return call_.result != 0;)

// Any message, including private ones: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) \
    PLATFORM_WM_ENTRY(message, call_.result = pThis_->memberFxn(call_.wParam, call_.lParam); return TRUE;)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                               \
    PLATFORM_MSG_ENTRY(WM_REGISTERED_FIRST, 0, 0, 0, &nMessageVariable,                 \
                       call_.result = pThis_->memberFxn(call_.wParam, call_.lParam); return TRUE;)

// The common window messages, with the classic handler signatures.
#define ON_WM_CREATE() \
    PLATFORM_WM_ENTRY(WM_CREATE, call_.result = pThis_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call_.lParam)); return TRUE;)
#define ON_WM_DESTROY() PLATFORM_WM_ENTRY(WM_DESTROY, pThis_->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() PLATFORM_WM_ENTRY(WM_NCDESTROY, pThis_->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() PLATFORM_WM_ENTRY(WM_CLOSE, pThis_->OnClose(); return TRUE;)
#define ON_WM_PAINT() PLATFORM_WM_ENTRY(WM_PAINT, pThis_->OnPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
    PLATFORM_WM_ENTRY(WM_ERASEBKGND, call_.result = pThis_->OnEraseBkgnd(::platform::msgmap::DcFromHandle(call_.wParam)); return TRUE;)
#define ON_WM_SIZE()                                                                      \
    PLATFORM_WM_ENTRY(WM_SIZE, pThis_->OnSize(static_cast<UINT>(call_.wParam),            \
                                              static_cast<SHORT>(LOWORD(call_.lParam)),   \
                                              static_cast<SHORT>(HIWORD(call_.lParam))); return TRUE;)
#define ON_WM_MOVE()                                                                      \
    PLATFORM_WM_ENTRY(WM_MOVE, pThis_->OnMove(static_cast<SHORT>(LOWORD(call_.lParam)),   \
                                              static_cast<SHORT>(HIWORD(call_.lParam))); return TRUE;)
#define ON_WM_ACTIVATE()                                                                   \
    PLATFORM_WM_ENTRY(WM_ACTIVATE, pThis_->OnActivate(LOWORD(call_.wParam),                \
                                                      ::platform::msgmap::WndFromHandle(call_.lParam), \
                                                      HIWORD(call_.wParam) != 0); return TRUE;)
#define ON_WM_SETFOCUS() \
    PLATFORM_WM_ENTRY(WM_SETFOCUS, pThis_->OnSetFocus(::platform::msgmap::WndFromHandle(call_.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS() \
    PLATFORM_WM_ENTRY(WM_KILLFOCUS, pThis_->OnKillFocus(::platform::msgmap::WndFromHandle(call_.wParam)); return TRUE;)
#define ON_WM_ENABLE() PLATFORM_WM_ENTRY(WM_ENABLE, pThis_->OnEnable(call_.wParam != 0); return TRUE;)
#define ON_WM_SHOWWINDOW() \
    PLATFORM_WM_ENTRY(WM_SHOWWINDOW, pThis_->OnShowWindow(call_.wParam != 0, static_cast<UINT>(call_.lParam)); return TRUE;)
#define ON_WM_CHAR()                                                                       \
    PLATFORM_WM_ENTRY(WM_CHAR, pThis_->OnChar(static_cast<UINT>(call_.wParam), LOWORD(call_.lParam), \
                                              HIWORD(call_.lParam)); return TRUE;)
#define ON_WM_KEYDOWN()                                                                    \
    PLATFORM_WM_ENTRY(WM_KEYDOWN, pThis_->OnKeyDown(static_cast<UINT>(call_.wParam), LOWORD(call_.lParam), \
                                                    HIWORD(call_.lParam)); return TRUE;)
#define ON_WM_KEYUP()                                                                      \
    PLATFORM_WM_ENTRY(WM_KEYUP, pThis_->OnKeyUp(static_cast<UINT>(call_.wParam), LOWORD(call_.lParam), \
                                                HIWORD(call_.lParam)); return TRUE;)
#define PLATFORM_MOUSE_ENTRY(message, fn)                                                  \
    PLATFORM_WM_ENTRY(message, pThis_->fn(static_cast<UINT>(call_.wParam),                 \
                                          ::platform::msgmap::PointFrom(call_.lParam)); return TRUE;)
#define ON_WM_LBUTTONDOWN() PLATFORM_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() PLATFORM_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() PLATFORM_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() PLATFORM_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() PLATFORM_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() PLATFORM_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_TIMER() \
    PLATFORM_WM_ENTRY(WM_TIMER, pThis_->OnTimer(static_cast<UINT_PTR>(call_.wParam)); return TRUE;)
#define ON_WM_CTLCOLOR()                                                                   \
    PLATFORM_WM_ENTRY(WM_CTLCOLOR,                                                         \
                      call_.result = reinterpret_cast<LRESULT>(pThis_->OnCtlColor(         \
                          ::platform::msgmap::DcFromHandle(call_.wParam),                  \
                          ::platform::msgmap::WndFromHandle(call_.lParam),                 \
                          static_cast<UINT>(call_.nCode))); return TRUE;)
#define ON_WM_SETTINGCHANGE()                                                              \
    PLATFORM_WM_ENTRY(WM_SETTINGCHANGE, pThis_->OnSettingChange(static_cast<UINT>(call_.wParam), \
                                                                reinterpret_cast<LPCWSTR>(call_.lParam)); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() PLATFORM_WM_ENTRY(WM_SYSCOLORCHANGE, pThis_->OnSysColorChange(); return TRUE;)
#define ON_WM_GETDLGCODE() \
    PLATFORM_WM_ENTRY(WM_GETDLGCODE, call_.result = static_cast<LRESULT>(pThis_->OnGetDlgCode()); return TRUE;)
#define ON_WM_CANCELMODE() PLATFORM_WM_ENTRY(WM_CANCELMODE, pThis_->OnCancelMode(); return TRUE;)
#define ON_WM_CONTEXTMENU()                                                                \
    PLATFORM_WM_ENTRY(WM_CONTEXTMENU, pThis_->OnContextMenu(::platform::msgmap::WndFromHandle(call_.wParam), \
                                                            ::platform::msgmap::PointFrom(call_.lParam)); return TRUE;)
