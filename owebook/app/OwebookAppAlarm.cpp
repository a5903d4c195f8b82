// The application's part in reminders: showing the item whose alarm has
// fired, for the launch with "AppRunAtTime" and for WM_OWEBOOK_ALARM.

#include "owebook/app/OwebookApp.h"

#include "owebook/data/ItemRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/data/RegistryKey.h"
#include "owebook/reminders/ReminderDlg.h"
#include "platform/framework/CDocTemplate.h"

#include <memory>

namespace {

// A second request while the reminder is open (another launch with
// "AppRunAtTime") would only show the same item over itself.
bool g_bShowingReminder = false;

COwebookDoc* CurrentDocument(CWinApp& app)
{
    POSITION pos = app.GetFirstDocTemplatePosition();
    CDocTemplate* pTemplate = pos ? app.GetNextDocTemplate(pos) : nullptr;
    if (!pTemplate)
        return nullptr;
    POSITION docPos = pTemplate->GetFirstDocPosition();
    return docPos ? dynamic_cast<COwebookDoc*>(pTemplate->GetNextDoc(docPos)) : nullptr;
}

}  // namespace

BOOL COwebookApp::HandleAlarm()
{
    if (g_bShowingReminder)
        return FALSE;
    CRegistryKey regAlarms(ALARMS_KEY);
    COwebookDoc* pDoc = CurrentDocument(*this);

    DWORD dwItem = 0;
    regAlarms.GetDword(ALARM_VALUE, &dwItem, 0);
    if (dwItem == 0)
        return FALSE;

    std::unique_ptr<COwebookDoc> pOwnDoc;
    if (!pDoc) {
        pOwnDoc = std::make_unique<COwebookDoc>();
        if (!pOwnDoc->OnNewDocument())
            return FALSE;
        pDoc = pOwnDoc.get();
    }

    const CEOID oidItem = dwItem;
    CItemRecord item;
    SYSTEMTIME alarm{};
    if (!pDoc->ReadItem(oidItem, item) || !item.GetAlarmTime(alarm) || CItemRecord::IsZeroSystemTime(alarm))
        return FALSE;

    g_bShowingReminder = true;
    CReminderDlg dlg(pDoc, &item, oidItem);
    dlg.DoModal();
    g_bShowingReminder = false;
    // Whatever way it was closed: the reminder is off now, and writing the
    // item moves the schedule on.
    pDoc->UpdateItem(oidItem, item);
    return TRUE;
}
