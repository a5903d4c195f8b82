#pragma once
// "Owebook Reminder": shows the item whose alarm has come, with a beep and
// the alarm sound, and lets the user dismiss it, snooze it or mark it as
// returned. It changes only the caller's copy of the item; the caller writes
// it back whatever way the dialog was closed.

#include "owebook/data/ReminderSpec.h"
#include "platform/core/CString.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/controls/button/CButton.h"
#include "platform/ui/controls/combo/CComboBox.h"

class COwebookDoc;
class CItemRecord;

class CReminderDlg : public CDialog {
public:
    CReminderDlg(COwebookDoc* pDoc, CItemRecord* pItem, CEOID oidItem, CWnd* pParentWnd = nullptr);

    // "5 Minutes", "1 Hour", "2 Days": the text of the snooze list's entry.
    static void FormatReminderSpec(const ReminderSpec& spec, CString& text);
    // The interval an entry's text stands for; one day when it is none.
    static ReminderSpec ParseReminderSpec(const CString& text);

    CComboBox m_comboSnooze;
    CButton m_checkSnooze;
    CString m_strName;
    CString m_strCategory;
    CString m_strDue;
    CString m_strDescription;
    CString m_strType;
    COwebookDoc* m_pDoc;
    CItemRecord* m_pItem;
    CEOID m_oidItem;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSnooze();
    void OnItemReturned();
    DECLARE_MESSAGE_MAP()
};
