#pragma once
// The item editor's second page: created, due and returned dates, the due
// time of day and the reminder. Accepting it writes the dates into the item
// and, when the reminder or the due time changed, resets the snooze and sets
// the alarm time anew.

#include "owebook/data/ItemRecord.h"
#include "owebook/data/ReminderSpec.h"
#include "platform/ui/controls/button/CButton.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/datetime/CDateTimeCtrl.h"
#include "platform/ui/controls/propsheet/CPropertyPage.h"

class COwebookDoc;

class CDatesPage : public CPropertyPage {
public:
    CDatesPage(CItemRecord& item, COwebookDoc& doc);
    ~CDatesPage() override;

    CDateTimeCtrl m_timeDue;
    CDateTimeCtrl m_dateCreated;
    CButton m_checkReturned;
    CComboBox m_comboCount;
    CComboBox m_comboUnit;
    CComboBox m_comboReminder;
    CDateTimeCtrl m_dateDue;
    CDateTimeCtrl m_dateReturned;
    CString m_strCount;
    CItemRecord* m_pItem;
    COwebookDoc* m_pDoc;
    ReminderSpec m_reminder;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnKillActive() override;

    void UpdateReminderControls();
    void FillCountList();
    // The count field as a number from 0 to 99: anything else is 0.
    static BYTE ReadCount(const CString& text);

protected:
    void OnReminderChange();
    void OnUnitChange();
    void OnReturnedDateChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDueDateChange(NMHDR* pNMHDR, LRESULT* pResult);
    void OnReturnedCheck();
    void OnOkButton();
    void OnDelete();
    // A stored time value into a picker: 0 is no date.
    static void ShowTime(CDateTimeCtrl& picker, DWORD time);
    // The picker's value as a time value; 0 when it holds none.
    static DWORD ReadTime(const CDateTimeCtrl& picker);
    DECLARE_MESSAGE_MAP()
};
