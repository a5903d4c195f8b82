#pragma once
// A scripted user for tests: queue what the user does with each modal dialog
// or message box that is expected to come up, in order; the steps run inside
// the dialog's modal loop as soon as it shows.
//
//   platform::testing::ScriptedUser user;
//   user.ExpectDialog(159).Tap(32871);                        // the home screen
//   user.ExpectMessageBox(u"Delete Item?").Answer(IDCANCEL);
//   user.ExpectDialog(156)
//       .TypeInto(1147, u"Alice")
//       .Check([](DialogDriver& d) { EXPECT_EQ(d.Text(1124), CString(u"...")); })
//       .Tap(IDOK);
//   view.DoSomething();          // opens the dialogs; returns when they are done
//   user.Verify();               // or let the destructor do it
//
// It fails the test (gtest) when a scene's dialog never comes, when a dialog
// comes that no scene expects or that is not the expected one (it is then
// cancelled so the test goes on), and when a dialog is still open `timeout`
// after its steps (it is then ended with -1).

#include "platform/core/CString.h"
#include "platform/testing/DialogDriver.h"
#include "platform/ui/WinUser.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform::testing {

class ScriptedUser;

class Scene {
public:
    using Step = std::function<void(DialogDriver&)>;

    Scene& Tap(int id);
    Scene& TypeInto(int id, const CString& text);
    Scene& Type(const CString& text);
    Scene& PressKey(UINT vk);
    // Picks a combo box's entry as a finger does (fails the test if it cannot).
    Scene& Pick(int id, const CString& entry);
    Scene& TapOk();
    Scene& CloseWindow();
    Scene& Answer(int id);
    Scene& End(int result);
    // Reads what a control shows into `out` (kept by the caller).
    Scene& Read(int id, CString& out);
    Scene& Check(Step check);
    Scene& Do(Step step);

private:
    friend class ScriptedUser;
    std::string m_description;
    std::function<bool(DialogDriver&)> m_matches;
    std::vector<Step> m_steps;
};

class ScriptedUser {
public:
    explicit ScriptedUser(int timeoutMs = 5000);
    ~ScriptedUser();
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    Scene& ExpectDialog(UINT templateId);
    Scene& ExpectDialogCaption(const CString& caption);
    // With empty text any message box will do.
    Scene& ExpectMessageBox(const CString& text = CString());
    Scene& ExpectAnyDialog();

    // Fails for every scene whose dialog has not come; forgets them.
    void Verify();
    int PendingScenes() const { return static_cast<int>(m_scenes.size()); }
    // What came up, in order: "dialog 159 'Home'", "message box 'Delete Item?'".
    const std::vector<std::string>& Seen() const { return m_seen; }

private:
    void OnModalShown(HWND hDlg);
    void RunScene(std::shared_ptr<Scene> scene, HWND hDlg);
    void Watch(HWND hDlg, const std::string& description);
    Scene& Add(std::string description, std::function<bool(DialogDriver&)> matches);

    int m_timeoutMs;
    std::deque<std::shared_ptr<Scene>> m_scenes;
    std::vector<std::string> m_seen;
    std::shared_ptr<bool> m_alive;
};

std::string Describe(const DialogDriver& dialog);

}  // namespace platform::testing
