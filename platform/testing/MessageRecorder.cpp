#include "platform/testing/MessageRecorder.h"

#include "platform/ui/WindowManager.h"

#include <algorithm>
#include <cstdio>

namespace platform::testing {

MessageRecorder::MessageRecorder(std::vector<UINT> only) : m_only(std::move(only))
{
    m_observer = AddMessageObserver([this](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (m_labels.count(hwnd) == 0)
            return;
        if (!m_only.empty() && std::find(m_only.begin(), m_only.end(), message) == m_only.end())
            return;
        m_records.push_back(Record{hwnd, message, wParam, lParam});
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

std::vector<std::string> MessageRecorder::Trace() const
{
    std::vector<std::string> trace;
    for (const Record& r : m_records) {
        auto it = m_labels.find(r.hwnd);
        trace.push_back((it != m_labels.end() ? it->second : std::string("?")) + " " + NameOf(r.message));
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
        {DM_SETDEFID, "DM_SETDEFID"},     {WM_ERASEBKGND, "WM_ERASEBKGND"},
    };
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

}  // namespace platform::testing
