#include "platform/testing/ScriptedUser.h"

#include "platform/ui/ModalHooks.h"
#include "platform/ui/WinApi.h"

#include <gtest/gtest.h>

#include <QTimer>

namespace platform::testing {

std::string Describe(const DialogDriver& dialog)
{
    if (dialog.IsMessageBox())
        return "message box '" + dialog.MessageText().ToUtf8() + "'";
    return "dialog " + std::to_string(dialog.TemplateId()) + " '" + dialog.Caption().ToUtf8() + "'";
}

Scene& Scene::Tap(int id)
{
    return Do([id](DialogDriver& d) { d.Tap(id); });
}

Scene& Scene::TypeInto(int id, const CString& text)
{
    return Do([id, text](DialogDriver& d) { d.TypeInto(id, text); });
}

Scene& Scene::Type(const CString& text)
{
    return Do([text](DialogDriver& d) { d.Type(text); });
}

Scene& Scene::PressKey(UINT vk)
{
    return Do([vk](DialogDriver& d) { d.PressKey(vk); });
}

Scene& Scene::Pick(int id, const CString& entry)
{
    return Do([id, entry](DialogDriver& d) {
        EXPECT_TRUE(d.Pick(id, entry)) << Describe(d) << ": no entry '" << entry.ToUtf8() << "' to pick in " << id;
    });
}

Scene& Scene::TapOk()
{
    return Do([](DialogDriver& d) { d.TapOk(); });
}

Scene& Scene::CloseWindow()
{
    return Do([](DialogDriver& d) { d.CloseWindow(); });
}

Scene& Scene::Answer(int id)
{
    return Do([id](DialogDriver& d) {
        EXPECT_TRUE(d.Item(id) != nullptr) << Describe(d) << " has no button " << id;
        d.Answer(id);
    });
}

Scene& Scene::End(int result)
{
    return Do([result](DialogDriver& d) { d.End(result); });
}

Scene& Scene::Read(int id, CString& out)
{
    CString* target = &out;
    return Do([id, target](DialogDriver& d) { *target = d.Text(id); });
}

Scene& Scene::Check(Step check) { return Do(std::move(check)); }

Scene& Scene::Do(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

ScriptedUser::ScriptedUser(int timeoutMs) : m_timeoutMs(timeoutMs), m_alive(std::make_shared<bool>(true))
{
    SetModalHook([this](HWND hDlg) { OnModalShown(hDlg); });
}

ScriptedUser::~ScriptedUser()
{
    *m_alive = false;
    SetModalHook({});
    Verify();
}

Scene& ScriptedUser::Add(std::string description, std::function<bool(DialogDriver&)> matches)
{
    auto scene = std::make_shared<Scene>();
    scene->m_description = std::move(description);
    scene->m_matches = std::move(matches);
    m_scenes.push_back(scene);
    return *scene;
}

Scene& ScriptedUser::ExpectDialog(UINT templateId)
{
    return Add("dialog " + std::to_string(templateId),
               [templateId](DialogDriver& d) { return !d.IsMessageBox() && d.TemplateId() == templateId; });
}

Scene& ScriptedUser::ExpectDialogCaption(const CString& caption)
{
    return Add("dialog '" + caption.ToUtf8() + "'",
               [caption](DialogDriver& d) { return !d.IsMessageBox() && d.Caption() == caption; });
}

Scene& ScriptedUser::ExpectMessageBox(const CString& text)
{
    return Add(text.IsEmpty() ? std::string("a message box") : "message box '" + text.ToUtf8() + "'",
               [text](DialogDriver& d) { return d.IsMessageBox() && (text.IsEmpty() || d.MessageText() == text); });
}

Scene& ScriptedUser::ExpectAnyDialog()
{
    return Add("any dialog", [](DialogDriver&) { return true; });
}

void ScriptedUser::Verify()
{
    for (const auto& scene : m_scenes)
        ADD_FAILURE() << "the scripted user waited for " << scene->m_description << ", which never came up";
    m_scenes.clear();
}

void ScriptedUser::OnModalShown(HWND hDlg)
{
    DialogDriver dialog(hDlg);
    const std::string description = Describe(dialog);
    m_seen.push_back(description);
    std::shared_ptr<bool> alive = m_alive;
    if (m_scenes.empty() || !m_scenes.front()->m_matches(dialog)) {
        ADD_FAILURE() << description << " came up, but the scripted user expected "
                      << (m_scenes.empty() ? std::string("no dialog") : m_scenes.front()->m_description);
        // Cancel it once its loop runs, so the test can go on.
        QTimer::singleShot(0, [hDlg] {
            if (::IsWindow(hDlg))
                ::SendMessage(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            QTimer::singleShot(0, [hDlg] {
                if (::IsWindow(hDlg))
                    ::EndDialog(hDlg, -1);   // it would not cancel
            });
        });
        return;
    }
    std::shared_ptr<Scene> scene = m_scenes.front();
    m_scenes.pop_front();
    QTimer::singleShot(0, [this, alive, scene, hDlg] {
        if (*alive)
            RunScene(scene, hDlg);
    });
}

void ScriptedUser::RunScene(std::shared_ptr<Scene> scene, HWND hDlg)
{
    std::shared_ptr<bool> alive = m_alive;
    for (const Scene::Step& step : scene->m_steps) {
        if (!::IsWindow(hDlg)) {
            ADD_FAILURE() << scene->m_description << " closed before the scripted user was done with it";
            return;
        }
        DialogDriver dialog(hDlg);
        step(dialog);
        if (!*alive)
            return;
    }
    if (::IsWindow(hDlg))
        Watch(hDlg, scene->m_description);
}

void ScriptedUser::Watch(HWND hDlg, const std::string& description)
{
    QTimer::singleShot(m_timeoutMs, [hDlg, description] {
        if (!::IsWindow(hDlg))
            return;
        ADD_FAILURE() << description << " was still open after the scripted user's last step";
        ::EndDialog(hDlg, -1);
    });
}

}  // namespace platform::testing
