#include "platform/testing/MessageRecorder.h"

#include "platform/ui/CommCtrl.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

#include <algorithm>
#include <cstdio>

namespace platform::testing {
namespace {

struct Name {
    UINT value;
    const char* name;
};

const char* Find(const std::vector<Name>& names, UINT value)
{
    for (const Name& n : names)
        if (n.value == value)
            return n.name;
    return nullptr;
}

std::string Hex(unsigned long long value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%llX", value);
    return buffer;
}

// A control's notification codes overlap between classes: the class of the
// sender says which they are.
std::string CommandCode(HWND control, UINT code)
{
    static const std::vector<Name> edit = {{EN_SETFOCUS, "EN_SETFOCUS"}, {EN_KILLFOCUS, "EN_KILLFOCUS"},
                                           {EN_CHANGE, "EN_CHANGE"},     {EN_UPDATE, "EN_UPDATE"},
                                           {EN_MAXTEXT, "EN_MAXTEXT"},   {EN_ERRSPACE, "EN_ERRSPACE"}};
    static const std::vector<Name> combo = {
        {CBN_SELCHANGE, "CBN_SELCHANGE"},   {CBN_DBLCLK, "CBN_DBLCLK"},     {CBN_SETFOCUS, "CBN_SETFOCUS"},
        {CBN_KILLFOCUS, "CBN_KILLFOCUS"},   {CBN_EDITCHANGE, "CBN_EDITCHANGE"}, {CBN_EDITUPDATE, "CBN_EDITUPDATE"},
        {CBN_DROPDOWN, "CBN_DROPDOWN"},     {CBN_CLOSEUP, "CBN_CLOSEUP"},   {CBN_SELENDOK, "CBN_SELENDOK"},
        {CBN_SELENDCANCEL, "CBN_SELENDCANCEL"}};
    static const std::vector<Name> button = {{BN_CLICKED, "BN_CLICKED"}, {BN_DOUBLECLICKED, "BN_DOUBLECLICKED"},
                                             {BN_SETFOCUS, "BN_SETFOCUS"}, {BN_KILLFOCUS, "BN_KILLFOCUS"}};
    static const std::vector<Name> stat = {{STN_CLICKED, "STN_CLICKED"}, {STN_DBLCLK, "STN_DBLCLK"}};
    const Window* w = LookupWindow(control);
    const char* name = nullptr;
    if (w && w->className.CompareNoCase(WC_EDIT) == 0)
        name = Find(edit, code);
    else if (w && w->className.CompareNoCase(WC_COMBOBOX) == 0)
        name = Find(combo, code);
    else if (w && w->className.CompareNoCase(WC_BUTTON) == 0)
        name = Find(button, code);
    else if (w && w->className.CompareNoCase(WC_STATIC) == 0)
        name = Find(stat, code);
    return name ? name : Hex(code);
}

std::string Notification(const NMHDR& hdr)
{
    static const std::vector<Name> codes = {
        {NM_CLICK, "NM_CLICK"},           {NM_DBLCLK, "NM_DBLCLK"},           {NM_RETURN, "NM_RETURN"},
        {NM_RCLICK, "NM_RCLICK"},         {NM_SETFOCUS, "NM_SETFOCUS"},       {NM_KILLFOCUS, "NM_KILLFOCUS"},
        {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"}, {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
        {LVN_INSERTITEM, "LVN_INSERTITEM"}, {LVN_DELETEITEM, "LVN_DELETEITEM"},
        {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"}, {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"},
        {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE"}, {LVN_KEYDOWN, "LVN_KEYDOWN"},
    };
    const char* name = Find(codes, hdr.code);
    std::string text = std::to_string(hdr.idFrom) + " " + (name ? name : Hex(hdr.code));
    const Window* from = LookupWindow(hdr.hwndFrom);
    if (!from || from->className.CompareNoCase(WC_LISTVIEW) != 0 || hdr.code == LVN_KEYDOWN)
        return text;
    const auto& list = reinterpret_cast<const NMLISTVIEW&>(hdr);
    if (hdr.code == LVN_COLUMNCLICK)
        return text + " column " + std::to_string(list.iSubItem);
    text += " item " + std::to_string(list.iItem);
    if (hdr.code == LVN_ITEMCHANGED || hdr.code == LVN_ITEMCHANGING)
        text += " state " + Hex(list.uNewState) + "/" + Hex(list.uOldState);
    return text;
}

std::string KeyName(WPARAM vk)
{
    static const std::vector<Name> keys = {
        {VK_BACK, "VK_BACK"},   {VK_TAB, "VK_TAB"},   {VK_RETURN, "VK_RETURN"}, {VK_ESCAPE, "VK_ESCAPE"},
        {VK_SPACE, "VK_SPACE"}, {VK_PRIOR, "VK_PRIOR"}, {VK_NEXT, "VK_NEXT"},   {VK_END, "VK_END"},
        {VK_HOME, "VK_HOME"},   {VK_LEFT, "VK_LEFT"}, {VK_UP, "VK_UP"},         {VK_RIGHT, "VK_RIGHT"},
        {VK_DOWN, "VK_DOWN"},   {VK_DELETE, "VK_DELETE"}, {VK_SHIFT, "VK_SHIFT"}, {VK_CONTROL, "VK_CONTROL"},
    };
    if (const char* name = Find(keys, static_cast<UINT>(vk)))
        return name;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return std::string("'") + static_cast<char>(vk) + "'";
    return Hex(vk);
}

std::string Parameters(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return std::to_string(LOWORD(wParam)) + " " +
               (lParam ? CommandCode(reinterpret_cast<HWND>(lParam), HIWORD(wParam)) : std::string("command"));
    case WM_NOTIFY:
        return lParam ? Notification(*reinterpret_cast<const NMHDR*>(lParam)) : std::string();
    case WM_CHAR:
        if (wParam >= 0x20 && wParam < 0x7F)
            return std::string("'") + static_cast<char>(wParam) + "'";
        return Hex(wParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
        return KeyName(wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return std::to_string(static_cast<SHORT>(LOWORD(lParam))) + "," +
               std::to_string(static_cast<SHORT>(HIWORD(lParam)));
    case WM_SIZE:
        return std::to_string(LOWORD(lParam)) + "x" + std::to_string(HIWORD(lParam));
    default:
        return Hex(wParam) + " " + Hex(static_cast<unsigned long long>(lParam));
    }
}

}  // namespace

MessageRecorder::MessageRecorder(std::vector<UINT> only) : m_only(std::move(only))
{
    m_observer = AddMessageObserver([this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (m_labels.count(hwnd) == 0)
            return;
        if (!m_only.empty() && std::find(m_only.begin(), m_only.end(), message) == m_only.end())
            return;
        m_records.push_back(Record{hwnd, message, wParam, lParam, Parameters(message, wParam, lParam)});
    });
}

MessageRecorder::~MessageRecorder() { RemoveMessageObserver(m_observer); }

void MessageRecorder::Watch(HWND hwnd, std::string label) { m_labels[hwnd] = std::move(label); }

std::vector<UINT> MessageRecorder::Messages() const
{
    std::vector<UINT> messages;
    for (const Record& r : m_records)
        messages.push_back(r.message);
    return messages;
}

std::vector<std::string> MessageRecorder::Trace(Show show) const
{
    std::vector<std::string> trace;
    for (const Record& r : m_records) {
        auto it = m_labels.find(r.hwnd);
        std::string line = (it != m_labels.end() ? it->second : std::string("?")) + " " + NameOf(r.message);
        if (show == Show::Parameters && !r.parameters.empty())
            line += " " + r.parameters;
        trace.push_back(line);
    }
    return trace;
}

std::string MessageRecorder::NameOf(UINT message)
{
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"},         {WM_DESTROY, "WM_DESTROY"},       {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},             {WM_ACTIVATE, "WM_ACTIVATE"},     {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},   {WM_ENABLE, "WM_ENABLE"},         {WM_SETTEXT, "WM_SETTEXT"},
        {WM_GETTEXT, "WM_GETTEXT"},       {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
        {WM_PAINT, "WM_PAINT"},           {WM_CLOSE, "WM_CLOSE"},           {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},                             {WM_SETFONT, "WM_SETFONT"},
        {WM_GETFONT, "WM_GETFONT"},       {WM_NOTIFY, "WM_NOTIFY"},         {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_GETDLGCODE, "WM_GETDLGCODE"}, {WM_KEYDOWN, "WM_KEYDOWN"},       {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},             {WM_INITDIALOG, "WM_INITDIALOG"}, {WM_COMMAND, "WM_COMMAND"},
        {WM_TIMER, "WM_TIMER"},           {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},                               {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
        {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},                                 {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},   {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},                               {DM_GETDEFID, "DM_GETDEFID"},
        {DM_SETDEFID, "DM_SETDEFID"},     {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_CUT, "WM_CUT"},
        {WM_COPY, "WM_COPY"},             {WM_PASTE, "WM_PASTE"},           {WM_CLEAR, "WM_CLEAR"},
        {WM_UNDO, "WM_UNDO"},             {EM_GETSEL, "EM_GETSEL"},         {EM_SETSEL, "EM_SETSEL"},
        {EM_UNDO, "EM_UNDO"},             {EM_CANUNDO, "EM_CANUNDO"},       {EM_EMPTYUNDOBUFFER, "EM_EMPTYUNDOBUFFER"},
        {EM_REPLACESEL, "EM_REPLACESEL"}, {EM_LIMITTEXT, "EM_LIMITTEXT"},   {CB_ADDSTRING, "CB_ADDSTRING"},
        {CB_GETCURSEL, "CB_GETCURSEL"},   {CB_SETCURSEL, "CB_SETCURSEL"},   {CB_GETITEMDATA, "CB_GETITEMDATA"},
        {CB_SELECTSTRING, "CB_SELECTSTRING"}, {CB_SHOWDROPDOWN, "CB_SHOWDROPDOWN"},
        {LVM_INSERTITEM, "LVM_INSERTITEM"}, {LVM_DELETEITEM, "LVM_DELETEITEM"},
        {LVM_DELETEALLITEMS, "LVM_DELETEALLITEMS"}, {LVM_SETITEMSTATE, "LVM_SETITEMSTATE"},
        {LVM_SORTITEMS, "LVM_SORTITEMS"}, {BM_CLICK, "BM_CLICK"},           {BM_SETCHECK, "BM_SETCHECK"},
    };
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

}  // namespace platform::testing
