#pragma once
// Records the messages that reach chosen windows, so a test can compare the
// sequence with the one it expects:
//
//   MessageRecorder rec({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE});
//   rec.Watch(edit, "edit");
//   rec.Watch(dialog, "dialog");
//   ...
//   EXPECT_EQ(rec.Trace(), (std::vector<std::string>{"edit WM_KILLFOCUS", "dialog WM_ACTIVATE"}));
//
// With parameters, a notification names its control and code, and the
// messages of input and lists say what they carry:
//
//   "host WM_COMMAND 100 EN_CHANGE", "host WM_NOTIFY 300 LVN_ITEMCHANGED item 1 state 0x3",
//   "edit WM_CHAR 'a'", "edit WM_KEYDOWN VK_LEFT", "list WM_LBUTTONDOWN 10,20", "list WM_SIZE 138x98"

#include "platform/ui/WinUser.h"

#include <map>
#include <string>
#include <vector>

namespace platform::testing {

class MessageRecorder {
public:
    struct Record {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string parameters;   // read while the message was being sent
    };

    // Only these messages are kept; empty keeps them all.
    explicit MessageRecorder(std::vector<UINT> only = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void Watch(HWND hwnd, std::string label);
    void Clear() { m_records.clear(); }

    const std::vector<Record>& Records() const { return m_records; }
    std::vector<UINT> Messages() const;
    enum class Show { Names, Parameters };
    // "label WM_NAME" per record, with Show::Parameters followed by what the
    // message carries.
    std::vector<std::string> Trace(Show show = Show::Names) const;

    static std::string NameOf(UINT message);

private:
    std::vector<UINT> m_only;
    std::map<HWND, std::string> m_labels;
    std::vector<Record> m_records;
    int m_observer;
};

}  // namespace platform::testing
